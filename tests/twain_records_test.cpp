// Field offsets of the TWAIN records against TWAIN's packed layout, checked
// when this file compiles; the sizes are asserted in the header itself.
// Built natively and for Windows; the records that carry pointers are
// checked at their 32-bit Windows layout only there.
#include <cstddef>
#include <cstdint>

#include "common/twain_records.h"

static_assert(offsetof(TW_IDENTITY, Id) == 0);
static_assert(offsetof(TW_IDENTITY, Version) == 4);
static_assert(offsetof(TW_IDENTITY, Version.Info) == 12);
static_assert(offsetof(TW_IDENTITY, ProtocolMajor) == 46);
static_assert(offsetof(TW_IDENTITY, ProtocolMinor) == 48);
static_assert(offsetof(TW_IDENTITY, SupportedGroups) == 50);
static_assert(offsetof(TW_IDENTITY, Manufacturer) == 54);
static_assert(offsetof(TW_IDENTITY, ProductFamily) == 88);
static_assert(offsetof(TW_IDENTITY, ProductName) == 122);

static_assert(offsetof(TW_FIX32, Frac) == 2);
static_assert(offsetof(TW_FRAME, Bottom) == 12);
static_assert(offsetof(TW_ONEVALUE, Item) == 2);
static_assert(offsetof(TW_ENUMERATION, NumItems) == 2);
static_assert(offsetof(TW_ENUMERATION, CurrentIndex) == 6);
static_assert(offsetof(TW_ENUMERATION, DefaultIndex) == 10);
static_assert(offsetof(TW_IMAGEINFO, ImageWidth) == 8);
static_assert(offsetof(TW_IMAGEINFO, SamplesPerPixel) == 16);
static_assert(offsetof(TW_IMAGEINFO, BitsPerSample) == 18);
static_assert(offsetof(TW_IMAGEINFO, BitsPerPixel) == 34);
static_assert(offsetof(TW_IMAGEINFO, Compression) == 40);
static_assert(offsetof(TW_IMAGELAYOUT, DocumentNumber) == 16);
static_assert(offsetof(TW_PENDINGXFERS, Reserved) == 2);
static_assert(offsetof(TW_SETUPFILEXFER, Format) == 256);

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(offsetof(TW_USERINTERFACE, hParent) == 4);
static_assert(offsetof(TW_EVENT, TWMessage) == 4);
static_assert(offsetof(TW_CAPABILITY, hContainer) == 4);
static_assert(offsetof(TW_IMAGEMEMXFER, BytesPerRow) == 2);
static_assert(offsetof(TW_IMAGEMEMXFER, YOffset) == 18);
static_assert(offsetof(TW_IMAGEMEMXFER, BytesWritten) == 22);
static_assert(offsetof(TW_IMAGEMEMXFER, Memory) == 26);
static_assert(offsetof(TW_ENTRYPOINT, DSM_Entry) == 4);
static_assert(offsetof(TW_ENTRYPOINT, DSM_MemAllocate) == 8);
static_assert(offsetof(TW_ENTRYPOINT, DSM_MemFree) == 12);
static_assert(offsetof(TW_ENTRYPOINT, DSM_MemLock) == 16);
static_assert(offsetof(TW_ENTRYPOINT, DSM_MemUnlock) == 20);
#endif
