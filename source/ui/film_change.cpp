#include "source/ui/film_change.h"

#include "source/scanner/scanner_check.h"

uint32_t DecideAdapterAndFilmChange(ScanSettings& settings, int32_t filmCode,
                                    int32_t (*findFilmRecord)(int32_t filmCode)) {
    uint32_t message = 0;
    if (settings.lastAdapterType == 0) {
        // The window remembers the adapter at its first paint; a check
        // before that (a command that came ahead of the paint) has nothing
        // to compare with, and the adapter it finds is the window's own.
        settings.lastAdapterType = settings.adapterType;
    }
    if (settings.lastAdapterType != settings.adapterType) {
        settings.apsAdapter = settings.adapterType == 'A' ? 1 : 0;
        if (filmCode != 0) settings.filmNumber = findFilmRecord(filmCode);
        message = MSG_ADAPTER_EXCHANGED;
    } else if (filmCode != 0) {
        // The check asks by type code; the window selects by record number.
        // Only where the file keeps each code at its own record number are
        // the two alike, so the code's record is what is compared: a code
        // that happened to equal the selected record would otherwise leave
        // the wrong film type selected at every check.
        int32_t record = findFilmRecord(filmCode);
        if (record != settings.filmNumber) {
            settings.filmNumber = record;
            message = MSG_FILM_EXCHANGED;
        }
    }
    if (message != 0) settings.lastAdapterType = settings.adapterType;
    return message;
}

bool ChooseFilmType(ScanSettings& settings, int32_t row, int32_t (*checkScanner)(void* owner), void* owner) {
    int32_t previous = settings.filmNumber;
    settings.filmNumber = row + 1;
    filmChosenByUser = 1;
    int32_t status = checkScanner(owner);
    filmChosenByUser = 1;
    settings.apsAdapter = settings.adapterType == 'A' ? 1 : 0;
    if (status >= CHECK_FILM_CHANGE) {
        settings.filmNumber = previous;
        return false;
    }
    return true;
}
