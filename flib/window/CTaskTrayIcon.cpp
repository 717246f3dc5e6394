#include "flib/window/CTaskTrayIcon.h"

#include <algorithm>

namespace Flib { namespace Windows { namespace Window {

namespace {

// Copies at most `limit` characters and always terminates; a cut never leaves
// half of a surrogate pair, which the shell would show as a broken character.
template <size_t Size>
void CopyCut(wchar_t (&field)[Size], const std::wstring& text, size_t limit)
{
    size_t count = text.copy(field, std::min(limit, Size - 1));
    if (count < text.size() && count > 0 && IS_HIGH_SURROGATE(field[count - 1])) {
        --count;
    }
    field[count] = L'\0';
}

} // namespace

NOTIFYICONDATAW MakeBalloonRecord(const NOTIFYICONDATAW& stored, const std::wstring& title, const std::wstring& text)
{
    NOTIFYICONDATAW balloon = stored;
    // Windows 10 and 11 turn balloons into notices that stay about five seconds
    // whatever uTimeout says and queue behind each other; a switch notice that
    // cannot be shown at once is stale, so the shell drops it instead.
    balloon.uFlags = NIF_INFO | NIF_REALTIME;
    CopyCut(balloon.szInfoTitle, title, kBalloonTitleLength);
    CopyCut(balloon.szInfo, text, kBalloonTextLength);
    // Not NIIF_RESPECT_QUIET_TIME: a notice that answers the user's own action
    // is what quiet time still lets through.
    balloon.dwInfoFlags = NIIF_INFO | NIIF_NOSOUND;
    balloon.uTimeout = kBalloonTimeoutMs;
    return balloon;
}

NOTIFYICONDATAW MakeBalloonRemovalRecord(const NOTIFYICONDATAW& stored)
{
    NOTIFYICONDATAW removal = stored;
    removal.uFlags = NIF_INFO;
    removal.szInfoTitle[0] = L'\0';
    removal.szInfo[0] = L'\0';
    removal.dwInfoFlags = NIIF_NONE;
    return removal;
}

CTaskTrayIcon::CTaskTrayIcon()
    : id_(0), instance_(nullptr), window_(nullptr), data_{}, taskbarCreatedMessage_(0), iconId_(0), retriesLeft_(0),
      notifier_(::Shell_NotifyIconW), balloonMayShow_(false)
{
}

CTaskTrayIcon::~CTaskTrayIcon() { Remove(); }

void CTaskTrayIcon::OnTaskbarCreated(UINT, WPARAM, LPARAM) {}

BOOL CTaskTrayIcon::Add(HINSTANCE instance, HWND window, UINT id, UINT callbackMessage, UINT iconId,
                        const std::wstring& tip)
{
    StopRetrying(); // of an earlier add, on the window it was made for
    data_ = NOTIFYICONDATAW{};
    id_ = id;
    instance_ = instance;
    window_ = window;
    iconId_ = iconId;
    taskbarCreatedMessage_ = ::RegisterWindowMessageW(L"TaskbarCreated");
    // An elevated owner would otherwise never hear of a restarted taskbar.
    ::ChangeWindowMessageFilterEx(window, taskbarCreatedMessage_, MSGFLT_ALLOW, nullptr);
    data_.cbSize = kNotifyIconDataSize;
    data_.hWnd = window;
    data_.uID = id;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = callbackMessage;
    LoadIconForDpi(::GetDpiForWindow(window));
    CopyCut(data_.szTip, tip, kTrayTipLength);
    return AddOrRetry();
}

BOOL CTaskTrayIcon::ReAdd(UINT message, WPARAM wParam, LPARAM lParam)
{
    LoadIconForDpi(::GetDpiForWindow(window_));
    OnTaskbarCreated(message, wParam, lParam);
    return AddOrRetry();
}

bool CTaskTrayIcon::OnTimer(UINT_PTR timerId)
{
    if (retriesLeft_ == 0 || timerId != id_) {
        return false;
    }
    bool shown = false;
    TryAdd(shown);
    if (shown || --retriesLeft_ == 0) {
        ::KillTimer(window_, id_);
        retriesLeft_ = 0;
    }
    return true;
}

BOOL CTaskTrayIcon::OnDpiChanged(UINT dpi)
{
    LoadIconForDpi(dpi);
    return notifier_(NIM_MODIFY, &data_);
}

BOOL CTaskTrayIcon::SetIconAndTip(UINT iconId, const std::wstring& tip)
{
    iconId_ = iconId;
    LoadIconForDpi(::GetDpiForWindow(window_));
    CopyCut(data_.szTip, tip, kTrayTipLength);
    return notifier_(NIM_MODIFY, &data_);
}

BOOL CTaskTrayIcon::Remove()
{
    StopRetrying();
    return Delete();
}

void CTaskTrayIcon::LoadIconForDpi(UINT dpi)
{
    // The notification area shows small icons; one loaded at 16 x 16 would be
    // scaled up, blurred, above 100 %. The .ico holds the larger sizes.
    const int size = dpi != 0 ? ::GetSystemMetricsForDpi(SM_CXSMICON, dpi) : ::GetSystemMetrics(SM_CXSMICON);
    HICON icon = static_cast<HICON>(
        ::LoadImageW(instance_, MAKEINTRESOURCEW(iconId_), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    // The shell keeps its own copy of the image, so the old icon may go now.
    icon_.Reset(icon);
    data_.hIcon = icon;
}

BOOL CTaskTrayIcon::TryAdd(bool& shown)
{
    const BOOL added = notifier_(NIM_ADD, &data_);
    shown = added || notifier_(NIM_MODIFY, &data_);
    return added;
}

BOOL CTaskTrayIcon::AddOrRetry()
{
    bool shown = false;
    const BOOL added = TryAdd(shown);
    if (shown) {
        StopRetrying();
    } else if (retriesLeft_ == 0 && window_ != nullptr &&
               ::SetTimer(window_, id_, kTrayAddRetryIntervalMs, nullptr) != 0) {
        retriesLeft_ = kTrayAddRetryCount;
    }
    return added;
}

void CTaskTrayIcon::StopRetrying()
{
    if (retriesLeft_ != 0) {
        ::KillTimer(window_, id_);
        retriesLeft_ = 0;
    }
}

BOOL CTaskTrayIcon::ShowTrayBalloon(const std::wstring& title, const std::wstring& text)
{
    if (balloonMayShow_) {
        // A real-time balloon would be dropped while the last one still shows, yet
        // the newest is the one that tells the truth. Failure changes nothing.
        NOTIFYICONDATAW removal = MakeBalloonRemovalRecord(data_);
        notifier_(NIM_MODIFY, &removal);
        balloonMayShow_ = false;
    }
    NOTIFYICONDATAW balloon = MakeBalloonRecord(data_, title, text);
    const BOOL shown = notifier_(NIM_MODIFY, &balloon);
    if (!shown) {
        return shown;
    }
    balloonMayShow_ = true;
    return notifier_(NIM_MODIFY, &data_);
}

BOOL CTaskTrayIcon::Delete()
{
    // Only the identity: the stored record stays intact for a later re-add.
    NOTIFYICONDATAW identity{};
    identity.cbSize = kNotifyIconDataSize;
    identity.hWnd = window_;
    identity.uID = id_;
    identity.uFlags = 0;
    return notifier_(NIM_DELETE, &identity);
}

}}} // namespace Flib::Windows::Window
