// The last stop for exceptions in KORVEL's window and dialog procedures:
// Windows calls them from C, and nothing may unwind through it.
#pragma once

#include <windows.h>

#include <new>

#include "host/resources/resource_ids.h"
#include "host/win32/program_text.h"

// Runs work (the procedure's real body) and answers what it answers. An
// exception that escapes it ends here: a failed allocation shows the
// out-of-memory warning over window, anything else is dropped; the
// procedure then answers fallback (the "not handled" answer of its kind).
template <typename Result, typename Work>
Result AnswerWithoutThrowing(HWND window, Result fallback, Work&& work) noexcept {
    try {
        return work();
    } catch (const std::bad_alloc&) {
        ShowWarning(window, IDS_OUT_OF_MEMORY);
    } catch (...) {
    }
    return fallback;
}
