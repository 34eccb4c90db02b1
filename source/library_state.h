// One reset of the portable core's module-level state: every global the
// scanner link, the scan set-up, the film record, the tone tables and the
// settings keep goes back to the value it holds when the library is loaded.
// The data source calls it when the process attaches; tests call it so that
// each starts from a freshly loaded library. Portable: no Windows headers.
// It touches no port and allocates nothing; the port access chosen with
// SetPortAccess is left as it is.
#pragma once

void ResetCoreState();
