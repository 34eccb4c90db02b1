#include "source/library_state.h"

#include <cstring>

#include "source/aps/index_sheet.h"
#include "source/aps/ix_record.h"
#include "source/imaging/film_parameters.h"
#include "source/imaging/tone_curves.h"
#include "source/scanner/command_set.h"
#include "source/scanner/film_transport.h"
#include "source/scanner/focus.h"
#include "source/scanner/link.h"
#include "source/scanner/scan_setup.h"
#include "source/scanner/scanner_check.h"
#include "source/twain/capability_table.h"
#include "source/ui/gamma_curve_model.h"
#include "source/ui/scan_settings.h"

namespace {

// Copies taken before main: these globals are constant-initialised, which
// C++ completes before any dynamic initialisation such as these copies, so
// the start values stay stated once, where the globals are defined.
const LinkState LOADED_LINK_STATE = linkState;
const ScanMode LOADED_SCAN_MODE = scanMode;

}  // namespace

void ResetCoreState() {
    linkState = LOADED_LINK_STATE;
    lastStatus = {};
    focusLevel = 0;
    focusPeak = 0;
    std::memset(calibrationPositive, 0, sizeof calibrationPositive);
    std::memset(calibrationNegative, 0, sizeof calibrationNegative);
    calibrationRead = 0;
    scanWindow = {};
    scanMode = LOADED_SCAN_MODE;
    scanParameters = {};
    filmPosition = 0;
    filmChosenByUser = 0;
    cartridgeInfo = {};
    std::memset(filmParameterPath, 0, sizeof filmParameterPath);
    currentFilm = {};
    std::memset(masterTable16, 0, sizeof masterTable16);
    std::memset(redTable16, 0, sizeof redTable16);
    std::memset(greenTable16, 0, sizeof greenTable16);
    std::memset(blueTable16, 0, sizeof blueTable16);
    std::memset(redTable8, 0, sizeof redTable8);
    std::memset(greenTable8, 0, sizeof greenTable8);
    std::memset(blueTable8, 0, sizeof blueTable8);
    std::memset(exposureTable8, 0, sizeof exposureTable8);
    ResetScanSettings();
    ResetCapabilitySettings();
    ResetGammaCurveModel();
    ResetIndexState();
    ResetIxRecordState();
    repositionNeeded = 0;
}
