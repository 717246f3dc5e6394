#pragma once
// One notification-area icon and the record it was added with. Used on the
// main thread only: other threads reach it by posting to the owner window.
#include <windows.h>
#include <shellapi.h>

#include <cstddef>
#include <string>

#include "flib/Owned.h"

namespace Flib { namespace Windows { namespace Window {

// The Windows XP layout up to and including guidItem; the shell reads no
// further (no hBalloonIcon).
constexpr DWORD kNotifyIconDataSize = 968;
static_assert(offsetof(NOTIFYICONDATAW, hBalloonIcon) == kNotifyIconDataSize || sizeof(void*) != 8,
              "NOTIFYICONDATAW up to guidItem must be 968 bytes on 64-bit Windows");

constexpr size_t kTrayTipLength = 127;
// A refused add (no taskbar yet at logon) is tried again this often, this many
// times: five minutes.
constexpr UINT kTrayAddRetryIntervalMs = 2000;
constexpr unsigned kTrayAddRetryCount = 150;
constexpr size_t kBalloonTitleLength = 63;
constexpr size_t kBalloonTextLength = 255;
constexpr UINT kBalloonTimeoutMs = 3000;

// The record of a balloon: `stored` with only NIF_INFO and NIF_REALTIME, the
// title and text cut to what the record holds (never inside a surrogate pair),
// an information icon and no sound.
NOTIFYICONDATAW MakeBalloonRecord(const NOTIFYICONDATAW& stored, const std::wstring& title, const std::wstring& text);
// The record that takes the icon's balloon away: `stored` with NIF_INFO and no text.
NOTIFYICONDATAW MakeBalloonRemovalRecord(const NOTIFYICONDATAW& stored);

class CTaskTrayIcon {
public:
    using Notifier = BOOL(WINAPI*)(DWORD message, PNOTIFYICONDATAW data);

    CTaskTrayIcon();
    // Removes the icon, even when the owner already did (that call fails harmlessly).
    ~CTaskTrayIcon();
    CTaskTrayIcon(const CTaskTrayIcon&) = delete;
    CTaskTrayIcon& operator=(const CTaskTrayIcon&) = delete;

    // Called just before the icon is added again for a new taskbar.
    virtual void OnTaskbarCreated(UINT message, WPARAM wParam, LPARAM lParam);

    // Fills the record (icon `iconId` from `instance` at the small-icon size
    // of the window's DPI, tip cut to 127 characters), registers
    // "TaskbarCreated", lets it through to an elevated owner and adds the icon.
    // When the shell refuses, a timer of the owner window (its id is the icon
    // id) tries again until it accepts or kTrayAddRetryCount tries have failed.
    BOOL Add(HINSTANCE instance, HWND window, UINT id, UINT callbackMessage, UINT iconId, const std::wstring& tip);
    // For the owner's handler of GetTaskbarCreatedMessage(): reloads the icon
    // for the DPI of the new taskbar, calls the hook, then adds the record
    // (retrying as Add does). Returns what the add returned.
    BOOL ReAdd(UINT message, WPARAM wParam, LPARAM lParam);
    // For the owner's WM_TIMER: true when `timerId` is this icon's retry timer,
    // which then makes its next try.
    bool OnTimer(UINT_PTR timerId);
    // For the owner's WM_DPICHANGED: the icon at the small-icon size of `dpi`.
    BOOL OnDpiChanged(UINT dpi);
    // Shows another icon of the instance and another tip. A record the shell has
    // not taken yet gets them too, for the retries and for a new taskbar.
    BOOL SetIconAndTip(UINT iconId, const std::wstring& tip);
    // Stops the retries and removes the icon.
    BOOL Remove();
    // Shows a balloon from a modified copy; on success modifies once more with
    // the stored record. Returns the last call's result. A balloon shown before
    // is taken away first, so a new one replaces it instead of waiting behind it.
    BOOL ShowTrayBalloon(const std::wstring& title, const std::wstring& text);

    UINT GetTaskbarCreatedMessage() const { return taskbarCreatedMessage_; }
    const NOTIFYICONDATAW& GetNotifyIconData() const { return data_; }
    // Every Shell_NotifyIconW call goes through here; tests watch what is sent.
    void SetNotifier(Notifier notifier) { notifier_ = notifier; }

private:
    BOOL Delete();
    void LoadIconForDpi(UINT dpi);
    // NIM_ADD; when refused, the icon may still be there (a taskbar that never
    // went away), which a modify tells. Returns the add's result.
    BOOL TryAdd(bool& shown);
    // TryAdd, then starts the retries when the icon is not shown, else ends them.
    BOOL AddOrRetry();
    void StopRetrying();

    UINT id_;
    HINSTANCE instance_;
    HWND window_;
    NOTIFYICONDATAW data_;
    UINT taskbarCreatedMessage_;
    // The record's icon, kept for re-adding after the taskbar restarts.
    Owned<HICON, ::DestroyIcon> icon_;
    UINT iconId_;
    unsigned retriesLeft_;
    Notifier notifier_;
    // A balloon was shown and may still be on screen (or in the notification centre).
    bool balloonMayShow_;
};

}}} // namespace Flib::Windows::Window
