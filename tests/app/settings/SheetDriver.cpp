#include "tests/app/settings/SheetDriver.h"

#include <commctrl.h>
#include <prsht.h>

#include <vector>

#include "app/settings/SettingsSheet.h"
#include "configuration/CLoader.h"
#include "tests/flib/io/IniTestFiles.h"
#include "tests/support/Wait.h"

namespace TolvTest {

namespace {

std::vector<HWND> VisibleDialogsOf(DWORD threadId)
{
    std::vector<HWND> dialogs;
    ::EnumThreadWindows(
        threadId,
        [](HWND window, LPARAM found) {
            wchar_t className[16] = {};
            ::GetClassNameW(window, className, 16);
            if (::IsWindowVisible(window) && std::wstring(className) == L"#32770") {
                reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&dialogs));
    return dialogs;
}

} // namespace

UiThread::UiThread(std::function<void()> body)
    : thread_([this, body = std::move(body)] {
          threadId_ = ::GetCurrentThreadId();
          body();
          finished_ = true;
      })
{
}

UiThread::~UiThread()
{
    // A failed test may leave dialogs open: cancel them, innermost (enabled) first.
    while (!WaitForEnd(200)) {
        for (HWND dialog : VisibleDialogsOf(threadId_)) {
            if (::IsWindowEnabled(dialog)) {
                ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            }
        }
    }
    thread_.join();
}

HWND UiThread::WaitForDialog(const std::wstring& caption, DWORD timeoutMs) const
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND dialog : VisibleDialogsOf(threadId_)) {
                wchar_t text[256] = {};
                ::GetWindowTextW(dialog, text, 256);
                if (caption == text) {
                    found = dialog;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

bool UiThread::WaitForEnd(DWORD timeoutMs) const
{
    return WaitUntil([&] { return finished_.load(); }, timeoutMs);
}

OpenSheet::OpenSheet(Configuration::CConfigurations& live)
{
    thread_ = std::make_unique<UiThread>([this, &live] {
        modal_.Run([this, &live] {
            const auto edited = Tolv::ShowSettingsSheet(::GetModuleHandleW(nullptr), nullptr, live, modal_);
            if (edited) {
                ++applied_;
                modalWindowAtApply_ = modal_.Window();
                // What the main window does with it before its engine gets it.
                live.Assign(*edited);
            }
        });
    });
    sheet_ = thread_->WaitForDialog(L"設定 - トルヴ");
}

HWND OpenSheet::ShowPage(int index) const
{
    ::SendMessageW(sheet_, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    return reinterpret_cast<HWND>(::SendMessageW(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0));
}

void OpenSheet::PressOk() const { ClickLater(sheet_, IDOK); }
void OpenSheet::PressCancel() const { ClickLater(sheet_, IDCANCEL); }

std::wstring ItemText(HWND dialog, int id)
{
    wchar_t text[512] = {};
    ::GetDlgItemTextW(dialog, id, text, 512);
    return text;
}

bool IsTicked(HWND dialog, int id)
{
    return ::SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool IsItemEnabled(HWND dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE; }

void Click(HWND dialog, int id) { ::SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0); }

void ClickLater(HWND dialog, int id) { ::PostMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void Choose(HWND dialog, int comboId, int index)
{
    HWND combo = ::GetDlgItem(dialog, comboId);
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void Type(HWND dialog, int id, const std::wstring& text) { ::SetDlgItemTextW(dialog, id, text.c_str()); }

std::wstring SavedText(const Configuration::CConfigurations& configuration)
{
    const TempFolder temp;
    const std::wstring path = temp.File(L"tolv.ini");
    Configuration::CLoader(path).Save(configuration);
    return ReadText(path);
}

} // namespace TolvTest
