// The transfer and capability triplets inside this process: the shell
// library, the source's resources and its DS_Entry are linked in, the test
// puts a picture into transferImage and the source into the state it needs,
// and calls DS_Entry as the source manager would.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "common/twain_records.h"
#include "source/imaging/dib_header.h"
#include "source/twain/capability_table.h"
#include "source/twain/win32/session_state.h"
#include "source/ui/scan_settings.h"
#include "tests/win32/prefix_paths.h"

extern "C" TW_UINT16 TW_CALLINGSTYLE DS_Entry(TW_IDENTITY* origin, TW_UINT32 dataGroup, TW_UINT16 dataArgType,
                                              TW_UINT16 message, TW_MEMREF data);

namespace {

using Bytes = std::vector<BYTE>;

// A field of a packed record, copied: gtest takes its arguments by reference.
template <typename T>
T Copy(T value) {
    return value;
}

// A picture as the final scan leaves it: stored row r (bottom first) has
// blue r, green 100 + x % 100, red 200 in pixel x.
HGLOBAL MakePicture(uint32_t width, uint32_t height) {
    uint32_t rowBytes = DibRowBytes(width);
    HGLOBAL picture = GlobalAlloc(GHND, DIB_HEADER_BYTES + rowBytes * height);
    auto* bytes = static_cast<BYTE*>(GlobalLock(picture));
    WriteDibHeader(bytes, width, height, 11811);
    for (uint32_t r = 0; r < height; ++r) {
        for (uint32_t x = 0; x < width; ++x) {
            BYTE* pixel = bytes + DIB_HEADER_BYTES + r * rowBytes + 3 * x;
            pixel[0] = static_cast<BYTE>(r);
            pixel[1] = static_cast<BYTE>(100 + x % 100);
            pixel[2] = 200;
        }
    }
    GlobalUnlock(picture);
    return picture;
}

class InProcessSource : public ::testing::Test {
protected:
    TW_IDENTITY app = {};

    void SetUp() override {
        ResetSession(GetModuleHandleA(nullptr));
        app.Id = 0;  // no application holds the source: every call is served
    }
    // Frees a picture a test left offered.
    void TearDown() override { ResetSession(GetModuleHandleA(nullptr)); }

    TW_UINT16 Call(TW_UINT32 group, TW_UINT16 dat, TW_UINT16 msg, void* data) {
        return DS_Entry(&app, group, dat, msg, data);
    }
    TW_UINT16 Status() {
        TW_STATUS status = {0xFFFF, 0};
        EXPECT_EQ(Call(DG_CONTROL, DAT_STATUS, MSG_GET, &status), TWRC_SUCCESS);
        return status.ConditionCode;
    }
    void ExpectRefused(TW_UINT32 group, TW_UINT16 dat, TW_UINT16 msg, void* data, TW_UINT16 code) {
        EXPECT_EQ(Call(group, dat, msg, data), TWRC_FAILURE) << std::hex << dat << "/" << msg;
        EXPECT_EQ(Status(), code) << std::hex << dat << "/" << msg;
    }
    // A picture offered to the application, as NotifyTransferReady leaves it.
    void Offer(uint32_t width, uint32_t height) {
        OfferTransferImage(MakePicture(width, height));
        sourceState = STATE_XFER_READY;
    }
    TW_UINT16 Strip(Bytes& buffer, TW_IMAGEMEMXFER& record, TW_UINT32 length) {
        record = {};
        record.Memory = {0, length, buffer.data()};
        return Call(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &record);
    }
};

TEST_F(InProcessSource, MemoryTransferOneRowPerCallTopRowFirst) {
    Offer(101, 3);
    TW_SETUPMEMXFER setup = {};
    ASSERT_EQ(Call(DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, &setup), TWRC_SUCCESS);
    EXPECT_EQ(Copy(setup.MinBufSize), 304u);
    EXPECT_EQ(Copy(setup.MaxBufSize), 304u);
    EXPECT_EQ(Copy(setup.Preferred), 304u);

    const TW_UINT16 answers[3] = {TWRC_SUCCESS, TWRC_SUCCESS, TWRC_XFERDONE};
    for (uint32_t strip = 0; strip < 3; ++strip) {
        SCOPED_TRACE(strip);
        Bytes buffer(304, 0xEE);
        TW_IMAGEMEMXFER record;
        EXPECT_EQ(Strip(buffer, record, 304), answers[strip]);
        EXPECT_EQ(Copy(record.YOffset), strip);
        EXPECT_EQ(Copy(record.BytesWritten), 304u);
        EXPECT_EQ(Copy(record.Columns), 101u);
        EXPECT_EQ(Copy(record.Rows), 1u);
        // Stored row 2 - strip; red, green, blue; the last byte is padding.
        EXPECT_EQ(buffer[0], 200);
        EXPECT_EQ(buffer[1], 100);
        EXPECT_EQ(buffer[2], 2 - strip);
        EXPECT_EQ(buffer[300], 200);
        EXPECT_EQ(buffer[302], 2 - strip);
        EXPECT_EQ(buffer[303], 0);
        EXPECT_EQ(sourceState, strip < 2 ? STATE_XFER_READY : STATE_TRANSFERRING);
    }
    EXPECT_EQ(transferImage, nullptr);  // freed after its last row

    TW_PENDINGXFERS pending = {5, 5};
    EXPECT_EQ(Call(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending), TWRC_SUCCESS);
    EXPECT_EQ(pending.Count, 0);
    EXPECT_EQ(sourceState, STATE_ENABLED);
    ExpectRefused(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending, TWCC_SEQERROR);
}

TEST_F(InProcessSource, ShortOrMissingStripBufferIsRefusedAndTheStripComesAgain) {
    Offer(101, 3);
    Bytes buffer(304 + 16, 0xEE);
    TW_IMAGEMEMXFER record;
    EXPECT_EQ(Strip(buffer, record, 303), TWRC_FAILURE);
    EXPECT_EQ(Status(), TWCC_BADVALUE);
    EXPECT_EQ(buffer, Bytes(320, 0xEE));
    record.Memory = {0, 304, nullptr};
    ExpectRefused(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &record, TWCC_BADVALUE);
    ExpectRefused(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, nullptr, TWCC_BADVALUE);

    EXPECT_EQ(Strip(buffer, record, 320), TWRC_SUCCESS);
    EXPECT_EQ(Copy(record.YOffset), 0u);
    EXPECT_EQ(buffer[304], 0xEE);  // one row only, whatever the buffer holds

    // A buffer passed as a global handle is written through its lock, and
    // only when the block holds a row.
    HGLOBAL small = GlobalAlloc(GHND, 100);
    record.Memory = {TWMF_HANDLE, 304, small};
    ExpectRefused(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &record, TWCC_BADVALUE);
    HGLOBAL row = GlobalAlloc(GHND, 304);
    record.Memory = {TWMF_HANDLE, 304, row};
    EXPECT_EQ(Call(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &record), TWRC_SUCCESS);
    EXPECT_EQ(Copy(record.YOffset), 1u);
    const BYTE* written = static_cast<BYTE*>(GlobalLock(row));
    EXPECT_EQ(written[0], 200);
    EXPECT_EQ(written[2], 1);
    GlobalUnlock(row);
    EXPECT_EQ(GlobalFlags(row) & GMEM_LOCKCOUNT, 0u);
    GlobalFree(row);
    GlobalFree(small);
    // Called a handle but no global block: a pointer, as ever.
    BYTE onTheStack[304] = {};
    record.Memory = {TWMF_HANDLE, 304, onTheStack};
    EXPECT_EQ(Call(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &record), TWRC_XFERDONE);
    EXPECT_EQ(onTheStack[2], 0);
}

TEST_F(InProcessSource, NativeTransferHandsThePictureOver) {
    Offer(64, 48);
    HGLOBAL picture = transferImage;
    TW_IMAGEINFO info = {};
    EXPECT_EQ(Call(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info), TWRC_SUCCESS);

    TW_HANDLE handed = nullptr;
    EXPECT_EQ(Call(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &handed), TWRC_XFERDONE);
    EXPECT_EQ(handed, picture);
    EXPECT_EQ(sourceState, STATE_XFER_READY);
    // The source keeps no reference: it cannot free the application's
    // picture or hand it out twice.
    EXPECT_EQ(transferImage, nullptr);
    ExpectRefused(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &handed, TWCC_SEQERROR);
    TW_IMAGEMEMXFER record = {};
    ExpectRefused(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &record, TWCC_SEQERROR);
    ExpectRefused(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info, TWCC_SEQERROR);
    TW_PENDINGXFERS pending = {};
    EXPECT_EQ(Call(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending), TWRC_SUCCESS);
    EXPECT_EQ(GlobalSize(picture), 40u + 192u * 48u);  // still the application's, whole
    EXPECT_EQ(GlobalFree(picture), nullptr);
}

TEST_F(InProcessSource, ImageInformationOfTheOfferedPicture) {
    Offer(101, 3);
    scanSettings.outputResolution = 300.7;
    TW_IMAGEINFO info = {};
    ASSERT_EQ(Call(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info), TWRC_SUCCESS);
    EXPECT_EQ(info.XResolution.Whole, 300);
    EXPECT_EQ(info.YResolution.Whole, 300);
    EXPECT_EQ(Copy(info.ImageWidth), 101);
    EXPECT_EQ(Copy(info.ImageLength), 3);
    EXPECT_EQ(info.BitsPerPixel, 24);
    EXPECT_EQ(info.PixelType, TWPT_RGB);
    ExpectRefused(DG_IMAGE, DAT_IMAGEINFO, MSG_GETDEFAULT, &info, TWCC_BADPROTOCOL);
    sourceState = STATE_ENABLED;
    ExpectRefused(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info, TWCC_SEQERROR);
    ExpectRefused(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &info, TWCC_SEQERROR);
    ExpectRefused(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &info, TWCC_SEQERROR);
    sourceState = STATE_TRANSFERRING;
    ExpectRefused(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info, TWCC_SEQERROR);
}

TEST_F(InProcessSource, PictureLargerThanItsBlockIsNeverRead) {
    // The header claims 1000 rows; the block holds 3.
    Offer(101, 3);
    auto* header = static_cast<BYTE*>(GlobalLock(transferImage));
    const DWORD rows = 1000;
    const DWORD size = 304 * rows;
    std::memcpy(header + 8, &rows, 4);
    std::memcpy(header + 20, &size, 4);
    GlobalUnlock(transferImage);

    TW_IMAGEINFO info = {};
    ExpectRefused(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info, TWCC_BUMMER);
    Bytes buffer(304);
    TW_IMAGEMEMXFER record;
    EXPECT_EQ(Strip(buffer, record, 304), TWRC_FAILURE);
    EXPECT_EQ(Status(), TWCC_BUMMER);
    TW_HANDLE handed = nullptr;
    ExpectRefused(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &handed, TWCC_BUMMER);
    EXPECT_EQ(handed, nullptr);
    TW_SETUPMEMXFER setup = {1, 2, 3};
    EXPECT_EQ(Call(DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, &setup), TWRC_SUCCESS);
    EXPECT_EQ(Status(), TWCC_SEQERROR);
    EXPECT_EQ(Copy(setup.MinBufSize), 1u);
    TW_IMAGELAYOUT layout = {};
    EXPECT_EQ(Call(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, &layout), TWRC_SUCCESS);
    EXPECT_EQ(layout.Frame.Bottom.Whole, 0);
}

TEST_F(InProcessSource, EndingAnOfferDiscardsItAndTheNextPictureStartsAtTheTop) {
    Offer(10, 5);
    Bytes buffer(32);
    TW_IMAGEMEMXFER record;
    EXPECT_EQ(Strip(buffer, record, 32), TWRC_SUCCESS);
    EXPECT_EQ(Strip(buffer, record, 32), TWRC_SUCCESS);
    TW_PENDINGXFERS pending = {};
    EXPECT_EQ(Call(DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &pending), TWRC_SUCCESS);
    EXPECT_EQ(sourceState, STATE_ENABLED);
    EXPECT_EQ(transferImage, nullptr);

    Offer(10, 2);
    EXPECT_EQ(Strip(buffer, record, 32), TWRC_SUCCESS);
    EXPECT_EQ(Copy(record.YOffset), 0u);
    EXPECT_EQ(buffer[2], 1);  // the top row of the new picture
    EXPECT_EQ(Strip(buffer, record, 32), TWRC_XFERDONE);
}

// A new scan replaces a picture whose memory transfer is under way; the
// allocator may well give the new one the old handle. Its rows must come
// from the top all the same.
TEST_F(InProcessSource, RescanDuringAMemoryTransferStartsTheNewPictureAtTheTop) {
    Offer(10, 8);
    Bytes buffer(32);
    TW_IMAGEMEMXFER record;
    for (int strip = 0; strip < 5; ++strip) {
        ASSERT_EQ(Strip(buffer, record, 32), TWRC_SUCCESS);
    }
    FreeTransferImage();  // as the final scan does before it allocates
    Offer(10, 8);
    EXPECT_EQ(Strip(buffer, record, 32), TWRC_SUCCESS);
    EXPECT_EQ(Copy(record.YOffset), 0u);
    EXPECT_EQ(buffer[2], 7);  // stored row 7 is the top row
}

// The application leaves 600 or 700 without ending the transfer: it never
// got the handle, so the source must free the picture.
TEST_F(InProcessSource, DisableOrCloseWithAPictureOfferedFreesIt) {
    Offer(10, 3);
    Bytes buffer(32);
    TW_IMAGEMEMXFER record;
    EXPECT_EQ(Strip(buffer, record, 32), TWRC_SUCCESS);
    sourceState = STATE_TRANSFERRING;
    TW_USERINTERFACE ui = {};
    EXPECT_EQ(Call(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui), TWRC_SUCCESS);
    EXPECT_EQ(transferImage, nullptr);
    EXPECT_EQ(sourceState, STATE_OPEN);

    Offer(10, 3);
    EXPECT_EQ(Call(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, nullptr), TWRC_SUCCESS);
    EXPECT_EQ(transferImage, nullptr);
    EXPECT_EQ(sourceState, STATE_LOADED);
}

// The 32-bit build computes in the x87's extended precision: the header's
// resolution must still be the exact truncated value.
TEST(TransferHeader, PixelsPerMetreExactInThisBuild) {
    for (uint32_t dpi = 1; dpi <= 65535; ++dpi) {
        ASSERT_EQ(PixelsPerMetre(dpi), dpi * 3937u / 100u) << dpi << " dpi";
    }
}

TEST_F(InProcessSource, LayoutSetInAnyStateGetReportsThePicture) {
    TW_IMAGELAYOUT layout = {};
    layout.Frame = {{0, 0}, {0, 0}, {100, 0}, {100, 0}};
    EXPECT_EQ(Call(DG_IMAGE, DAT_IMAGELAYOUT, MSG_SET, &layout), TWRC_SUCCESS);  // state 300
    EXPECT_EQ(scanSettings.layoutSet, 1);
    EXPECT_EQ(scanSettings.layoutFrame.right, 19);
    EXPECT_EQ(scanSettings.layoutFrame.bottom, 19);
    EXPECT_DOUBLE_EQ(scanSettings.outputWidth, 47.5);
    EXPECT_DOUBLE_EQ(scanSettings.cropHeight, 20);
    ExpectRefused(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, &layout, TWCC_BADPROTOCOL);
    ExpectRefused(DG_IMAGE, DAT_IMAGELAYOUT, MSG_SET, nullptr, TWCC_BADVALUE);

    Offer(101, 3);
    layout = {};
    ASSERT_EQ(Call(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, &layout), TWRC_SUCCESS);
    EXPECT_EQ(layout.Frame.Right.Whole, 101);
    EXPECT_EQ(layout.Frame.Bottom.Whole, 3);
    EXPECT_EQ(Copy(layout.FrameNumber), 1u);
    ExpectRefused(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GETDEFAULT, &layout, TWCC_BADPROTOCOL);
    ExpectRefused(DG_IMAGE, DAT_IMAGELAYOUT, MSG_RESET, &layout, TWCC_BADPROTOCOL);
    sourceState = STATE_TRANSFERRING;
    ExpectRefused(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, &layout, TWCC_BADPROTOCOL);
}

// The container a capability reply carries, copied out and freed.
Bytes TakeContainer(TW_CAPABILITY& capability) {
    auto container = static_cast<HGLOBAL>(capability.hContainer);
    Bytes bytes(GlobalSize(container));
    std::memcpy(bytes.data(), GlobalLock(container), bytes.size());
    GlobalUnlock(container);
    GlobalFree(container);
    capability.hContainer = nullptr;
    return bytes;
}

// A container the application made: a movable block holding `bytes`.
HGLOBAL Container(const Bytes& bytes) {
    HGLOBAL block = GlobalAlloc(GHND, bytes.size());
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    return block;
}

TEST_F(InProcessSource, CapabilityRepliesAndSettings) {
    for (TW_UINT16 msg : {MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT}) {
        TW_CAPABILITY pixelType = {ICAP_PIXELTYPE, TWON_DONTCARE16, nullptr};
        ASSERT_EQ(Call(DG_CONTROL, DAT_CAPABILITY, msg, &pixelType), TWRC_SUCCESS);
        EXPECT_EQ(pixelType.ConType, TWON_ENUMERATION);
        EXPECT_EQ(TakeContainer(pixelType), (Bytes{4, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 1, 0, 3, 0, 0}));
    }
    TW_CAPABILITY count = {CAP_XFERCOUNT, 0, nullptr};
    ASSERT_EQ(Call(DG_CONTROL, DAT_CAPABILITY, MSG_GET, &count), TWRC_SUCCESS);
    EXPECT_EQ(count.ConType, TWON_ONEVALUE);
    EXPECT_EQ(TakeContainer(count), (Bytes{4, 0, 1, 0, 0, 0}));

    count.hContainer = Container({TWTY_INT16, 0, 0xFF, 0xFF, 0, 0});
    count.ConType = TWON_ONEVALUE;
    EXPECT_EQ(Call(DG_CONTROL, DAT_CAPABILITY, MSG_SET, &count), TWRC_SUCCESS);
    GlobalFree(count.hContainer);
    ASSERT_EQ(Call(DG_CONTROL, DAT_CAPABILITY, MSG_GET, &count), TWRC_SUCCESS);
    EXPECT_EQ(TakeContainer(count), (Bytes{4, 0, 0xFF, 0xFF, 0, 0}));

    // A pixel type set is accepted and changes nothing.
    TW_CAPABILITY pixelType = {ICAP_PIXELTYPE, TWON_ONEVALUE, Container({TWTY_UINT16, 0, TWPT_GRAY, 0, 0, 0})};
    EXPECT_EQ(Call(DG_CONTROL, DAT_CAPABILITY, MSG_RESET, &pixelType), TWRC_SUCCESS);
    GlobalFree(pixelType.hContainer);
    ASSERT_EQ(Call(DG_CONTROL, DAT_CAPABILITY, MSG_GET, &pixelType), TWRC_SUCCESS);
    EXPECT_EQ(TakeContainer(pixelType)[6], 0);  // current index

    TW_CAPABILITY resolution = {ICAP_XRESOLUTION, TWON_ONEVALUE, nullptr};
    ExpectRefused(DG_CONTROL, DAT_CAPABILITY, MSG_GET, &resolution, TWCC_BADCAP);
    EXPECT_EQ(Call(DG_CONTROL, DAT_CAPABILITY, MSG_SET, &resolution), TWRC_SUCCESS);
    for (TW_UINT16 msg : {MSG_QUERYSUPPORT, MSG_GETFIRST, MSG_GETNEXT}) {
        ExpectRefused(DG_CONTROL, DAT_CAPABILITY, msg, &count, TWCC_BADPROTOCOL);
    }
}

TEST_F(InProcessSource, ContainersThatCannotBeReadAreLeftAlone) {
    int onTheStack = 0;
    HGLOBAL freed = Container({TWTY_UINT32, 0, 9, 0, 0, 0});
    GlobalFree(freed);
    HGLOBAL tooShort = Container({TWTY_UINT32, 0, 9, 0});  // claims 4 item bytes, holds 2
    HGLOBAL typeOnly = Container({TWTY_UINT8});
    const TW_HANDLE handles[] = {nullptr,
                                 freed,
                                 tooShort,
                                 typeOnly,
                                 &onTheStack,
                                 reinterpret_cast<TW_HANDLE>(static_cast<uintptr_t>(0xDEADBEE0)),
                                 reinterpret_cast<TW_HANDLE>(static_cast<uintptr_t>(0x12345))};
    for (TW_HANDLE handle : handles) {
        TW_CAPABILITY count = {CAP_XFERCOUNT, TWON_ONEVALUE, handle};
        EXPECT_EQ(Call(DG_CONTROL, DAT_CAPABILITY, MSG_SET, &count), TWRC_SUCCESS) << handle;
        TW_CAPABILITY mechanism = {ICAP_XFERMECH, TWON_ENUMERATION, handle};
        EXPECT_EQ(Call(DG_CONTROL, DAT_CAPABILITY, MSG_SET, &mechanism), TWRC_SUCCESS) << handle;
    }
    EXPECT_EQ(capabilitySettings.transferCount, 1u);
    EXPECT_EQ(GlobalFlags(tooShort) & GMEM_LOCKCOUNT, 0u);
    GlobalFree(tooShort);
    GlobalFree(typeOnly);
}

// The installed qx52ds.ds, loaded from the prefix: the same answers reach an
// application through the library's export.
class InstalledSource : public ::testing::Test {
protected:
    HMODULE library = nullptr;
    DSENTRYPROC entry = nullptr;
    TW_IDENTITY app = {};

    void SetUp() override {
        library = LoadLibraryA(Installed("qx52ds.ds").c_str());
        ASSERT_NE(library, nullptr) << "qx52ds.ds is not installed in the prefix";
        entry = reinterpret_cast<DSENTRYPROC>(reinterpret_cast<void*>(GetProcAddress(library, "DS_Entry")));
        ASSERT_NE(entry, nullptr);
        app.Id = 31;
    }
    void TearDown() override {
        if (library != nullptr) {
            entry(&app, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, nullptr);
            FreeLibrary(library);
        }
    }
};

TEST_F(InstalledSource, CapabilitiesAndLayoutBeforeAndAfterOpen) {
    TW_CAPABILITY mechanism = {ICAP_XFERMECH, 0, nullptr};
    ASSERT_EQ(entry(&app, DG_CONTROL, DAT_CAPABILITY, MSG_GET, &mechanism), TWRC_SUCCESS);  // state 300
    EXPECT_EQ(mechanism.ConType, TWON_ENUMERATION);
    EXPECT_EQ(TakeContainer(mechanism), (Bytes{4, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    TW_CAPABILITY count = {CAP_XFERCOUNT, TWON_ONEVALUE, reinterpret_cast<TW_HANDLE>(static_cast<uintptr_t>(0x4321))};
    EXPECT_EQ(entry(&app, DG_CONTROL, DAT_CAPABILITY, MSG_SET, &count), TWRC_SUCCESS);
    TW_IMAGELAYOUT layout = {};
    layout.Frame = {{-50, 0}, {0, 0}, {2400, 0}, {1600, 0}};
    EXPECT_EQ(entry(&app, DG_IMAGE, DAT_IMAGELAYOUT, MSG_SET, &layout), TWRC_SUCCESS);

    TW_IDENTITY source = {};
    source.Id = 7;
    ASSERT_EQ(entry(&app, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &source), TWRC_SUCCESS);
    ASSERT_EQ(entry(&app, DG_CONTROL, DAT_CAPABILITY, MSG_GET, &count), TWRC_SUCCESS);
    EXPECT_EQ(TakeContainer(count), (Bytes{4, 0, 1, 0, 0, 0}));
    ASSERT_EQ(entry(&app, DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, &layout), TWRC_SUCCESS);
    EXPECT_EQ(layout.Frame.Right.Whole, 0);  // no picture yet
    EXPECT_EQ(Copy(layout.DocumentNumber), 1u);
}

}  // namespace
