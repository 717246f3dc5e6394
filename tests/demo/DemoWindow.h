#pragma once
// A plain top-level window of the demo that stands for an application: it
// shows its rule and records the keys that arrive at it, with their times.
#include <windows.h>

#include <string>
#include <vector>

namespace TolvDemo {

struct ArrivedKey {
    UINT virtualKey;
    DWORD time; // GetTickCount time the input was made
};

class DemoWindow {
public:
    // The window is created hidden; the demo destroys it (windows are not destroyed by their objects).
    DemoWindow(const std::wstring& title, const std::wstring& rule, int left, int top);
    DemoWindow(const DemoWindow&) = delete;
    DemoWindow& operator=(const DemoWindow&) = delete;

    HWND Handle() const { return window_; }
    const std::wstring& Title() const { return title_; }
    // Key presses (not releases) that arrived since the last call of Forget.
    const std::vector<ArrivedKey>& Arrived() const { return arrived_; }
    void Forget() { arrived_.clear(); }
    // Shown in the window, so the picture of the desktop tells the story too.
    void SetStatus(const std::wstring& status);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint() const;

    std::wstring title_;
    std::wstring rule_;
    std::wstring status_;
    std::vector<ArrivedKey> arrived_;
    HWND window_ = nullptr;
};

} // namespace TolvDemo
