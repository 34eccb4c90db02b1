// Finding the installed sources and the user's default source.
//
// Sources are the *.ds files anywhere below <Windows directory>\twain_32\.
// The default source is kept as a full path under the "Default Source" key
// of WIN.INI's [TWAIN] section.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "manager/manager_state.h"

// Every source below the sources folder that answers
// DG_CONTROL/DAT_IDENTITY/MSG_GET, ordered by path (case-insensitively), each
// with Id 0 and its strings terminated. Files that are no library, export no
// DS_Entry or refuse the query are left out. A file listed in openSources is
// not loaded again: its identity is taken from there (an open source may
// refuse a query from anyone but its application). Loads and frees each
// library; the manager lock must not be held.
std::vector<SourceFile> FindSources(const std::vector<SourceFile>& openSources);

// The index in sources of the file named by WIN.INI's default, or 0 when the
// key is absent or names no file in sources. sources must not be empty.
size_t DefaultSourceIndex(const std::vector<SourceFile>& sources);

// Records path as the default source. Returns false when WIN.INI could not be
// written.
bool WriteDefaultSource(const std::string& path);

// True when both paths name the same file (Windows paths compare
// case-insensitively).
bool SamePath(const std::string& a, const std::string& b);

// True when the bounded, possibly unterminated TW_STR32 name equals
// wanted (also bounded).
bool SameProductName(const char* name, const char* wanted);

// The length of a TW_STR32 that may lack its terminator.
size_t ProductNameLength(const char* name);
