// What the test data sources (the fake source of the manager's tests and
// the picture source of KORVEL's) share: their ProductName is the stem of
// their own file name, so that each copy under another name is another
// source, and the rest of the identity they report.
#pragma once

#include <windows.h>

#include <cstring>

#include "common/twain_records.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

// The file name stem of this library, at most size - 1 characters.
inline void ReadStem(char* stem, size_t size) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(reinterpret_cast<HMODULE>(&__ImageBase), path, sizeof path - 1);
    const char* name = std::strrchr(path, '\\');
    name = name != nullptr ? name + 1 : path;
    size_t length = std::strcspn(name, ".");
    if (length >= size) length = size - 1;
    std::memcpy(stem, name, length);
    stem[length] = '\0';
}

// A test source's identity: Id as the manager gave it, the file stem as its
// ProductName, and the version text and family that tell the two apart.
inline void FillTestIdentity(TW_IDENTITY& identity, TW_UINT32 id, const char* info, const char* family) {
    identity = TW_IDENTITY{};
    identity.Id = id;
    identity.Version.MajorNum = 1;
    identity.Version.Language = TWLG_USA;
    identity.Version.Country = TWCY_USA;
    std::strcpy(identity.Version.Info, info);
    identity.ProtocolMajor = 1;
    identity.ProtocolMinor = 9;
    identity.SupportedGroups = DG_CONTROL | DG_IMAGE;
    std::strcpy(identity.Manufacturer, "QX tests");
    std::strcpy(identity.ProductFamily, family);
    ReadStem(identity.ProductName, sizeof(TW_STR32) - 1);
}
