#include "source/ui/scan_settings.h"

ScanSettings scanSettings = {1, 200.0};

void ResetScanSettings() {
    scanSettings = {1, 200.0};
}
