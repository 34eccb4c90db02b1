#include "source/scanner/command_set.h"

#include <cstring>

#include "source/scanner/link.h"

namespace {

struct Transaction {
    const uint8_t* block;
    size_t blockLength;
    const uint8_t* data;  // parameter data, may be null
    size_t dataLength;
    uint8_t* reply;  // may be null
    size_t replyCapacity;
    size_t replyTriples;
    uint32_t settleUnits;  // pause of the data phase
    bool whenIdle;  // the status command waits for an idle scanner
};

// Sends the block and its data and reads the reply triples. Bytes beyond the
// reply's capacity are read from the scanner (it sends them) and dropped; an
// 8-bit running index, as the reply lengths fit in one byte. Every step
// answers 0 only when the scanner stopped answering; the port is idle then,
// and the command ends at once.
uint8_t Run(const Transaction& t) {
    if (!(t.whenIdle ? SelectScannerWhenIdle() : SelectScanner())) {
        return 0;
    }
    for (size_t i = 0; i < t.blockLength; ++i) {
        if (!SendByte(t.block[i])) return 0;
    }
    for (size_t i = 0; i < t.dataLength; ++i) {
        if (!SendByte(t.data[i])) return 0;
    }
    if (!FinishCommand()) {
        return 0;
    }
    if (t.replyTriples == 0) {
        Delay(10000);
        return 1;
    }
    BeginDataPhase(t.settleUnits);
    uint8_t index = 0;
    for (size_t i = 0; i < t.replyTriples; ++i) {
        uint8_t bytes[3] = {0, 0, 0};
        if (!ReadTriple(&bytes[0], &bytes[1], &bytes[2])) {
            return 0;
        }
        for (uint8_t byte : bytes) {
            if (t.reply != nullptr && index < t.replyCapacity) {
                t.reply[index] = byte;
            }
            ++index;
        }
    }
    ReleasePort();
    Delay(10000);
    return 1;
}

uint8_t SendCommand(const uint8_t* block, size_t length, const uint8_t* data = nullptr, size_t dataLength = 0) {
    return Run({block, length, data, dataLength, nullptr, 0, 0, 100, false});
}

uint8_t ReadReply(const uint8_t* block, uint8_t* reply, size_t capacity, size_t triples, uint32_t settle = 100) {
    if (reply != nullptr) {
        std::memset(reply, 0, capacity);
    }
    return Run({block, 10, nullptr, 0, reply, capacity, triples, settle, false});
}

uint8_t High(uint32_t value) {
    return static_cast<uint8_t>(value >> 8);
}
uint8_t Low(uint32_t value) {
    return static_cast<uint8_t>(value);
}

void Put16(uint8_t* out, uint32_t value) {
    out[0] = High(value);
    out[1] = Low(value);
}

}  // namespace

void EncodeScanWindow(const ScanWindow& window, uint8_t out[SCAN_WINDOW_BYTES]) {
    std::memset(out, 0, SCAN_WINDOW_BYTES);
    Put16(out + 2, window.xResolution);
    Put16(out + 4, window.yResolution);
    Put16(out + 8, static_cast<uint32_t>(window.windowLeft));
    Put16(out + 12, static_cast<uint32_t>(window.windowTop));
    Put16(out + 16, static_cast<uint32_t>(window.windowWidth));
    Put16(out + 20, static_cast<uint32_t>(window.windowHeight));
    out[25] = window.composition;
    out[29] = window.reverseFlag;
}

ScannerStatus lastStatus = {};

uint8_t ReadStatus(ScannerStatus& status) {
    static constexpr uint8_t BLOCK[] = {0xD0, 0, 0, 0, 0x02, 0};
    uint8_t reply[3] = {0, 0, 0};
    uint8_t ok = Run({BLOCK, sizeof BLOCK, nullptr, 0, reply, sizeof reply, 1, 100, true});
    if (ok) {
        status.statusFlags = reply[0];
        status.positionByte = reply[1];
        lastStatus = status;
    }
    return ok;
}

uint8_t ReadCartridgeData(CartridgeInfo& info) {
    static constexpr uint8_t BLOCK[] = {0x28, 0, DATA_CARTRIDGE, 0, 0, 0, 0, 0, 0x04, 0};
    uint8_t reply[6];
    // The cartridge data takes the scanner longer to prepare.
    if (!ReadReply(BLOCK, reply, sizeof reply, 2, 1000)) {
        return 0;
    }
    info.filmKind = static_cast<char>(reply[0]);
    info.exposureCount = reply[1];
    info.filmSpeed = static_cast<uint16_t>((reply[2] << 8) | reply[3]);
    // Some colour negative cartridges identify as black-and-white ISO 25;
    // the adapter's film kind byte tells them apart. A scanner that does not
    // answer that read has stopped answering: the record stays as read, and
    // the command fails.
    if (info.filmKind == 'B' && info.filmSpeed == 25) {
        WaitMilliseconds(100);
        uint8_t kind[6];
        if (!ReadAdapterData(DATA_ADAPTER, kind, sizeof kind, ADAPTER_FILM_KIND, 1)) {
            return 0;
        }
        if (kind[3] == 0) {
            info.filmKind = 'N';
            info.filmSpeed = 400;
        }
    }
    return 1;
}

uint8_t ReadFrameBlock(uint8_t block[FRAME_BLOCK_BYTES]) {
    static constexpr uint8_t BLOCK[] = {0x28, 0, DATA_FRAME_BLOCK, 0, 0, 0, 0, 0, 0x20, 0};
    uint8_t reply[33];
    uint8_t ok = ReadReply(BLOCK, reply, sizeof reply, 11);
    std::memcpy(block, reply, FRAME_BLOCK_BYTES);
    return ok;
}

uint8_t WriteFrameBlock(const uint8_t block[FRAME_BLOCK_BYTES], uint8_t frame) {
    const uint8_t command[] = {0x2A, 0, DATA_FRAME_BLOCK, 0, 0, frame, 0, 0, 0x20, 0};
    return SendCommand(command, sizeof command, block, FRAME_BLOCK_BYTES);
}

uint8_t ReadScannerBlock(uint8_t* buffer, size_t capacity, uint8_t qualifier, uint8_t length) {
    const uint8_t command[] = {0x28, 0, DATA_CALIBRATION, 0, 0, qualifier, 0, 0, length, 0};
    return ReadReply(command, buffer, capacity, (length + 2u) / 3u);
}

uint8_t ReadAdapterData(uint8_t type, uint8_t* buffer, size_t capacity, uint16_t qualifier, uint8_t length) {
    if (length > 252) {
        return 0;
    }
    const uint8_t command[] = {0x28, 0, type, 0, High(qualifier), Low(qualifier), 0, 0, length, 0};
    return ReadReply(command, buffer, capacity, (length + 3u + 2u) / 3u);
}

uint8_t SendAdapterByte(uint8_t type, uint16_t qualifier, uint8_t length, uint8_t value) {
    const uint8_t command[] = {0x2A, 0, type, 0, High(qualifier), Low(qualifier), 0, 0, length, 0};
    return SendCommand(command, sizeof command, &value, length > 0 ? 1 : 0);
}

uint8_t PositionFilm(uint8_t type, uint16_t count) {
    if (type == POSITION_FRAME && count == 1) {
        SendAdapterByte(DATA_ADAPTER_RAW, ADAPTER_CLEAR, 1, 0);
        WaitMilliseconds(100);
    }
    const uint8_t command[] = {0x31, static_cast<uint8_t>(type & 7), 0, High(count), Low(count), 0, 0, 0, 0, 0};
    return SendCommand(command, sizeof command);
}

uint8_t SetScanWindow(const ScanWindow& window) {
    static constexpr uint8_t BLOCK[] = {0x24, 0, 0, 0, SCAN_WINDOW_BYTES, 0};
    uint8_t data[SCAN_WINDOW_BYTES];
    EncodeScanWindow(window, data);
    return SendCommand(BLOCK, sizeof BLOCK, data, sizeof data);
}

uint8_t SetScanMode(const ScanMode& mode) {
    static constexpr uint8_t BLOCK[] = {0xD2, 0, 0, 0, SCAN_MODE_BYTES, 0};
    const uint8_t data[SCAN_MODE_BYTES] = {static_cast<uint8_t>(mode.filmSide), static_cast<uint8_t>(mode.modeLetter),
                                           mode.two, mode.exposureA, mode.exposureB,
                                           static_cast<uint8_t>(mode.scanLetter), static_cast<uint8_t>(mode.detailLetter)};
    return SendCommand(BLOCK, sizeof BLOCK, data, sizeof data);
}

uint8_t SetScanParameters(const ScanParameterBlock& block) {
    static constexpr uint8_t BLOCK[] = {0xD1, 0, 0, 0, 0, 0};
    return SendCommand(BLOCK, sizeof BLOCK, block.bytes, sizeof block.bytes);
}

uint8_t StartScan() {
    static constexpr uint8_t BLOCK[] = {0x1B, 0, 0, 0, 0, 0};
    return SendCommand(BLOCK, sizeof BLOCK);
}

uint8_t StartFocus(uint8_t parameter) {
    const uint8_t command[] = {0xD5, 0, 0, 0, parameter, 0};
    return SendCommand(command, sizeof command);
}
