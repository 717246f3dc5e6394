#include "flib/window/CTaskTrayIcon.h"

#include <algorithm>

namespace Flib { namespace Windows { namespace Window {

namespace {

// Copies at most `limit` characters and always terminates.
template <size_t Size>
void CopyCut(wchar_t (&field)[Size], const std::wstring& text, size_t limit)
{
    const size_t count = text.copy(field, std::min(limit, Size - 1));
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
    : id_(0), instance_(nullptr), window_(nullptr), data_{}, taskbarCreatedMessage_(0), notifier_(::Shell_NotifyIconW),
      balloonMayShow_(false)
{
}

CTaskTrayIcon::~CTaskTrayIcon() { Delete(); }

void CTaskTrayIcon::OnTaskbarCreated(UINT, WPARAM, LPARAM) {}

BOOL CTaskTrayIcon::Add(HINSTANCE instance, HWND window, UINT id, UINT callbackMessage, UINT iconId,
                        const std::wstring& tip)
{
    data_ = NOTIFYICONDATAW{};
    id_ = id;
    instance_ = instance;
    window_ = window;
    taskbarCreatedMessage_ = ::RegisterWindowMessageW(L"TaskbarCreated");
    // The shell keeps its own copy of the image, so the old icon may go now.
    icon_.Reset(static_cast<HICON>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
    data_.cbSize = kNotifyIconDataSize;
    data_.hWnd = window;
    data_.uID = id;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = callbackMessage;
    data_.hIcon = icon_.Get();
    CopyCut(data_.szTip, tip, kTrayTipLength);
    return notifier_(NIM_ADD, &data_);
}

BOOL CTaskTrayIcon::ReAdd(UINT message, WPARAM wParam, LPARAM lParam)
{
    OnTaskbarCreated(message, wParam, lParam);
    return notifier_(NIM_ADD, &data_);
}

BOOL CTaskTrayIcon::Remove() { return Delete(); }

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
