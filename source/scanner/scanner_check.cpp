#include "source/scanner/scanner_check.h"

#include "source/imaging/film_parameters.h"
#include "source/ui/scan_settings.h"

uint8_t filmPosition = 0;
uint8_t filmChosenByUser = 0;
CartridgeInfo cartridgeInfo = {};

namespace {

constexpr uint8_t FRAME_BITS = 0x3F;

// The film type code the scanner's kind letter stands for.
uint8_t FilmCodeOfKind(char filmKind, uint8_t useJapanese) {
    switch (filmKind) {
    case 'R':
        return FILM_CODE_REVERSAL;
    case 'B':
        return FILM_CODE_BLACK_AND_WHITE;
    default:
        return useJapanese == 1 ? FILM_CODE_NEGATIVE_JAPANESE : FILM_CODE_NEGATIVE_ENGLISH;
    }
}

// Strip film: from the first record of code 8 on the records are the APS
// cartridges' own, and the caller is sent back to film type 1.
int32_t CheckStripFilm(const ScannerCheckDeps& deps) {
    filmPosition = 0;
    if (deps.findFilmRecord(FILM_CODE_REVERSAL) > scanSettings.filmNumber) {
        return CHECK_READY;
    }
    filmChosenByUser = 0;
    return CHECK_FILM_CHANGE + 1;
}

// The loaded cartridge's film type against the selected record.
int32_t CheckCartridgeFilm(const ScannerCheckDeps& deps, const CartridgeInfo& cartridge) {
    uint8_t code = FilmCodeOfKind(cartridge.filmKind, deps.useJapanese);
    if (deps.findFilmRecord(code) == scanSettings.filmNumber) {
        return CHECK_READY;
    }
    if (filmChosenByUser == 0) {
        return CHECK_FILM_CHANGE + code;
    }
    // A choice the user made past the first record of code 7 stands.
    if (deps.findFilmRecord(FILM_CODE_REVERSAL_STRIP) < scanSettings.filmNumber) {
        return CHECK_READY;
    }
    filmChosenByUser = 0;
    return CHECK_FILM_CHANGE + code;
}

}  // namespace

int32_t CheckScannerWith(const ScannerCheckDeps& deps, void* owner) {
    scanSettings.adapterType = 'N';
    bool retryTaken = false;
    ScannerStatus status = {};
    // At most two rounds: every way back to the top takes the one retry.
    for (;;) {
        status = {};
        if (!deps.readStatus(status)) {
            if (!retryTaken) {
                retryTaken = true;
                deps.resetScanner();
                continue;
            }
            deps.showMessage(deps.applicationWindow, MSG_NO_SCANNER);
            return CHECK_NOT_READY;
        }
        if ((status.statusFlags & STATUS_APS_ADAPTER) == 0) {
            if ((status.statusFlags & STATUS_STRIP_ADAPTER) == 0) {
                deps.showMessage(owner, MSG_NO_ADAPTER);
                return CHECK_NOT_READY;
            }
            return CheckStripFilm(deps);
        }
        if ((status.statusFlags & STATUS_APS_SILENT) == 0) {
            break;
        }
        if (retryTaken) {
            deps.showMessage(owner, MSG_APS_SILENT);
            return CHECK_NOT_READY;
        }
        retryTaken = true;
    }

    scanSettings.adapterType = 'A';
    if (status.positionByte == POSITION_AUTOLOADING || status.positionByte == POSITION_REWINDING) {
        filmPosition = 0;
        deps.showMessage(owner, status.positionByte == POSITION_AUTOLOADING ? MSG_AUTOLOADING : MSG_REWINDING);
        return CHECK_NOT_READY;
    }
    filmPosition = static_cast<uint8_t>(status.positionByte & FRAME_BITS);
    // Read into a copy: a check that ends with a message keeps the
    // cartridge data of the last good one.
    CartridgeInfo cartridge = {};
    uint8_t cartridgeRead = deps.readCartridgeData(cartridge);
    if (filmPosition == 0) {
        deps.showMessage(owner, MSG_FILM_NOT_LOADED);
        if (status.statusFlags >= STATUS_NOT_PROCESSED) {
            deps.showMessage(owner, MSG_FILM_NOT_PROCESSED);
        }
        return CHECK_NOT_READY;
    }
    // Without the cartridge data the film type would be guessed from
    // nothing; the scanner stopped answering.
    if (!cartridgeRead) {
        deps.showMessage(deps.applicationWindow, MSG_NO_SCANNER);
        return CHECK_NOT_READY;
    }
    cartridgeInfo = cartridge;
    return CheckCartridgeFilm(deps, cartridge);
}
