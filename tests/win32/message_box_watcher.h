// Watching the dialogs a program under test opens: from a thread of its
// own, while the test's thread is inside the modal loop, each new top-level
// dialog with the caption is handed to an action and its static text kept
// in the order they appeared.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "source/scanner/win32/user_messages.h"

// Watches, from a thread of its own, for top-level dialogs with the given
// caption and hands each new one to act (on the watching thread) until
// Finish or until `dialogs` were handled; keeps the static text of each
// (a message box's message).
class DialogWatcher {
public:
    DialogWatcher(const char* caption, std::function<void(HWND)> act, size_t dialogs = SIZE_MAX)
        : title(caption), action(std::move(act)), wanted(dialogs) {
        thread = CreateThread(nullptr, 0, Watch, this, 0, nullptr);
    }
    ~DialogWatcher() { Finish(); }
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;

    // Stops watching (at the latest after 10 s) and answers the texts seen.
    const std::vector<std::string>& Finish() {
        if (thread != nullptr) {
            stop = true;
            WaitForSingleObject(thread, 10000);
            CloseHandle(thread);
            thread = nullptr;
        }
        return texts;
    }

private:
    static DWORD WINAPI Watch(LPVOID context) {
        auto* self = static_cast<DialogWatcher*>(context);
        HWND last = nullptr;
        // At most a minute; a dialog handled is looked for again only once
        // it has gone, so that one is never handled twice.
        for (int i = 0; i < 3000 && self->texts.size() < self->wanted; ++i) {
            HWND dialog = FindWindowA("#32770", self->title.c_str());
            if (dialog != nullptr && dialog != last && IsWindowVisible(dialog)) {
                char text[256] = {};
                GetDlgItemTextA(dialog, 0xFFFF, text, sizeof text);
                self->texts.emplace_back(text);
                self->action(dialog);
                last = dialog;
            } else if (dialog == nullptr) {
                last = nullptr;
                if (self->stop) break;
            }
            Sleep(20);
        }
        return 0;
    }

    std::string title;
    std::function<void(HWND)> action;
    size_t wanted;
    std::atomic<bool> stop{false};
    std::vector<std::string> texts;
    HANDLE thread = nullptr;
};

// The source's message boxes (MESSAGE_CAPTION), each closed with OK.
class MessageBoxWatcher : public DialogWatcher {
public:
    explicit MessageBoxWatcher(size_t boxes = SIZE_MAX)
        : DialogWatcher(MESSAGE_CAPTION, [](HWND box) { PostMessageA(box, WM_COMMAND, IDOK, 0); }, boxes) {}
};
