// Closes the source's message boxes ("QX-52 Information") from a thread of
// its own while the test's thread is inside the modal box, and keeps their
// texts in the order they appeared.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

class MessageBoxWatcher {
public:
    // Watches until Finish, or until `boxes` boxes were closed.
    explicit MessageBoxWatcher(size_t boxes = SIZE_MAX) : wanted(boxes) {
        thread = CreateThread(nullptr, 0, Watch, this, 0, nullptr);
    }
    ~MessageBoxWatcher() { Finish(); }
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

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
        auto* self = static_cast<MessageBoxWatcher*>(context);
        // At most a minute; a box closed is looked for again only once it
        // has gone, so one box is never counted twice.
        HWND last = nullptr;
        for (int i = 0; i < 6000 && self->texts.size() < self->wanted; ++i) {
            HWND box = FindWindowA("#32770", "QX-52 Information");
            if (box != nullptr && box != last) {
                char buffer[256] = {};
                GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);  // the message's static text
                self->texts.emplace_back(buffer);
                PostMessageA(box, WM_COMMAND, IDOK, 0);
                last = box;
            } else if (box == nullptr) {
                last = nullptr;
                if (self->stop) break;
            }
            Sleep(10);
        }
        return 0;
    }

    size_t wanted;
    std::atomic<bool> stop{false};
    std::vector<std::string> texts;
    HANDLE thread = nullptr;
};
