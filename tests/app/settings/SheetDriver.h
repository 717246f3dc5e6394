#pragma once
// Driving the settings sheet and its dialogs as a user would: the sheet runs
// modally on its own thread, the test thread clicks, types and reads.
#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "app/ActiveModalWindow.h"
#include "configuration/CConfigurations.h"

namespace TolvTest {

// Runs `body` (which opens a modal window and returns when it closes) on a
// new thread. Whatever is still open at destruction is cancelled, then the
// thread is joined.
class UiThread {
public:
    explicit UiThread(std::function<void()> body);
    ~UiThread();
    UiThread(const UiThread&) = delete;
    UiThread& operator=(const UiThread&) = delete;

    // A visible top-level dialog of the thread with this caption; null after the time-out.
    HWND WaitForDialog(const std::wstring& caption, DWORD timeoutMs = 10000) const;
    // True once `body` has returned, waiting at most `timeoutMs`.
    bool WaitForEnd(DWORD timeoutMs = 10000) const;

private:
    std::atomic<DWORD> threadId_{0};
    std::atomic<bool> finished_{false};
    std::thread thread_;
};

// The settings sheet opened on `live`; OK assigns the edited copy to `live`
// and empties the processed memories, as the main window does.
class OpenSheet {
public:
    explicit OpenSheet(Configuration::CConfigurations& live);

    HWND Sheet() const { return sheet_; }
    // Brings tab `index` (0 to 4) to the front and returns its page.
    HWND ShowPage(int index) const;
    void PressOk() const;
    void PressCancel() const;
    // After OK or Cancel: true when the sheet thread ended.
    bool Closed() const { return thread_->WaitForEnd(); }

    int Applied() const { return applied_; }
    // The modal window the sheet ran as, when its copy was applied.
    HWND ModalWindowAtApply() const { return modalWindowAtApply_; }
    // After Closed(): the sheet's run as the modal thing has ended.
    bool ModalRunEnded() const { return !modal_.IsRunning() && modal_.Window() == nullptr; }
    const UiThread& Thread() const { return *thread_; }

private:
    int applied_ = 0;
    HWND modalWindowAtApply_ = nullptr;
    Tolv::ActiveModalWindow modal_;
    std::unique_ptr<UiThread> thread_;
    HWND sheet_ = nullptr;
};

// The text of a control of another thread's dialog.
std::wstring ItemText(HWND dialog, int id);
bool IsTicked(HWND dialog, int id);
bool IsItemEnabled(HWND dialog, int id);
// A click on a button that does not open a window of its own.
void Click(HWND dialog, int id);
// A click whose handler opens a modal dialog: posted, so the test thread does not wait for it.
void ClickLater(HWND dialog, int id);
// Chooses item `index` of a drop-down list, with the notification a user's choice sends.
void Choose(HWND dialog, int comboId, int index);
// Replaces the text of an edit field or an editable combo box as typing would.
void Type(HWND dialog, int id, const std::wstring& text);

// The settings as the file would hold them, for comparing whole configurations.
std::wstring SavedText(const Configuration::CConfigurations& configuration);

} // namespace TolvTest
