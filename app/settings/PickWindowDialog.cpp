#include "app/settings/PickWindowDialog.h"

#include <commctrl.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "app/settings/PickableWindows.h"
#include "flib/Owned.h"
#include "flib/window/BoundObject.h"
#include "flib/window/CDialogBox.h"
#include "flib/window/CListView.h"
#include "flib/window/LoadResourceString.h"
#include "resources/ResourceIds.h"

namespace Tolv {

using Flib::Windows::Window::BoundDialogProcedure;
using Flib::Windows::Window::CDialogBox;
using Flib::Windows::Window::CListView;

namespace {

// In dialog units, so they grow with the dialog's font and DPI.
constexpr int kCellPadding = 8;
constexpr int kMinimumTitleWidth = 100;

enum Column { kTitleColumn, kFileNameColumn, kClassNameColumn };

void DestroyImageList(HIMAGELIST list) { ::ImageList_Destroy(list); }

// The rows' icons. The list view only borrows it (LVS_SHAREIMAGELISTS); the
// dialog object, which outlives the list view's window, destroys it.
using OwnedImageList = Flib::Owned<HIMAGELIST, DestroyImageList>;

int DialogUnits(HWND dialog, int units)
{
    RECT rect = {0, 0, units, 0};
    ::MapDialogRect(dialog, &rect);
    return rect.right;
}

// One run of the dialog: the object the system hands to the procedure, kept
// in the window's DWLP_USER slot.
class PickWindowDialog : public CDialogBox {
public:
    friend INT_PTR CALLBACK Flib::Windows::Window::BoundDialogProcedure<PickWindowDialog>(HWND, UINT, WPARAM, LPARAM);

private:
    Engine::TargetWindowInfo& Chosen() { return *static_cast<Engine::TargetWindowInfo*>(GetParam()); }

    void Initialise()
    {
        list_.AttachItem(*this, IDC_PICK_LIST);
        list_.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP | LVS_EX_LABELTIP);
        windows_ = DescribePickableWindows(::GetCurrentProcessId());
        MakeIcons();
        AppendColumn(IDS_PICK_COLUMN_TITLE, kTitleColumn);
        AppendColumn(IDS_PICK_COLUMN_FILENAME, kFileNameColumn);
        AppendColumn(IDS_PICK_COLUMN_CLASSNAME, kClassNameColumn);
        for (std::size_t n = 0; n < windows_.size(); ++n) {
            AppendRow(n);
        }
        FitColumns();
        FollowSelection();
    }

    // The icons are copied in now: the windows' programs may destroy theirs at
    // any time. A window without a usable icon shows the system's application icon.
    void MakeIcons()
    {
        const UINT dpi = ::GetDpiForWindow(list_.GetHandle());
        const int width = ::GetSystemMetricsForDpi(SM_CXSMICON, dpi);
        const int height = ::GetSystemMetricsForDpi(SM_CYSMICON, dpi);
        const int count = static_cast<int>(windows_.size()) + 1;
        icons_.Reset(::ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, count, 8));
        if (!icons_) {
            return;
        }
        // Shared with the system (LR_SHARED): never destroyed here.
        const auto standard = static_cast<HICON>(
            ::LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, width, height, LR_SHARED));
        const int fallback = standard != nullptr ? ::ImageList_AddIcon(icons_.Get(), standard) : -1;
        imageIndexes_.clear();
        for (const PickableWindow& window : windows_) {
            const int index = window.icon != nullptr ? ::ImageList_AddIcon(icons_.Get(), window.icon) : -1;
            imageIndexes_.push_back(index >= 0 ? index : fallback);
        }
        list_.Send(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(icons_.Get()));
    }

    void AppendColumn(UINT headerId, int index)
    {
        std::wstring header;
        Flib::Windows::Window::LoadResourceString(GetInstance(), headerId, header);
        list_.AppendTextColumn(header, index);
        headers_.push_back(header);
    }

    void AppendRow(std::size_t n)
    {
        const Engine::TargetWindowInfo& facts = windows_[n].facts;
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = static_cast<int>(list_.GetItemCount());
        item.pszText = const_cast<wchar_t*>(facts.windowText.c_str());
        item.iImage = n < imageIndexes_.size() ? imageIndexes_[n] : I_IMAGENONE;
        item.lParam = static_cast<LPARAM>(n);
        const int row = static_cast<int>(list_.InsertItem(item));
        if (row < 0) {
            return;
        }
        list_.SetItemText(row, kFileNameColumn, facts.fileName);
        list_.SetItemText(row, kClassNameColumn, facts.className);
    }

    // File name and class name fit their longest text in the list's own font,
    // each at most a third of the list, so one odd name cannot push the rest
    // away; the title, which is often long, takes what is left.
    void FitColumns()
    {
        const int padding = DialogUnits(GetHandle(), kCellPadding);
        RECT client = {};
        list_.GetClientRect(&client);
        const int third = client.right / 3;
        int fileName = list_.StringWidth(headers_[kFileNameColumn]);
        int className = list_.StringWidth(headers_[kClassNameColumn]);
        for (const PickableWindow& window : windows_) {
            fileName = std::max(fileName, list_.StringWidth(window.facts.fileName));
            className = std::max(className, list_.StringWidth(window.facts.className));
        }
        fileName = std::min(fileName + padding, third);
        className = std::min(className + padding, third);
        const int scrollBar = ::GetSystemMetricsForDpi(SM_CXVSCROLL, ::GetDpiForWindow(list_.GetHandle()));
        const int title = std::max(DialogUnits(GetHandle(), kMinimumTitleWidth),
                                   static_cast<int>(client.right) - fileName - className - scrollBar);
        list_.Send(LVM_SETCOLUMNWIDTH, kTitleColumn, title);
        list_.Send(LVM_SETCOLUMNWIDTH, kFileNameColumn, fileName);
        list_.Send(LVM_SETCOLUMNWIDTH, kClassNameColumn, className);
    }

    int SelectedRow() { return static_cast<int>(list_.GetNextItem(-1, LVNI_SELECTED)); }

    void FollowSelection() { EnableDlgItem(IDOK, SelectedRow() >= 0 ? TRUE : FALSE); }

    void Confirm()
    {
        LVITEMW item = {};
        item.mask = LVIF_PARAM;
        item.iItem = SelectedRow();
        if (item.iItem < 0 || !list_.GetItem(item) || static_cast<std::size_t>(item.lParam) >= windows_.size()) {
            return;
        }
        Chosen() = windows_[static_cast<std::size_t>(item.lParam)].facts;
        End(1);
    }

    INT_PTR Notify(const NMHDR& header)
    {
        if (header.idFrom != IDC_PICK_LIST) {
            return FALSE;
        }
        switch (header.code) {
        case LVN_ITEMCHANGED:
            FollowSelection();
            return TRUE;
        case NM_DBLCLK:
            // A double click below the rows hits none.
            if (reinterpret_cast<const NMITEMACTIVATE&>(header).iItem >= 0) {
                Confirm();
            }
            return TRUE;
        default:
            return FALSE;
        }
    }

    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam)
    {
        switch (message) {
        case WM_NOTIFY:
            return Notify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED) {
                return FALSE;
            }
            switch (LOWORD(wParam)) {
            case IDOK:
                Confirm();
                return TRUE;
            case IDCANCEL:
                End(2);
                return TRUE;
            default:
                return FALSE;
            }
        case WM_CLOSE:
            End(2);
            return TRUE;
        default:
            return FALSE;
        }
    }

    OwnedImageList icons_;
    CListView list_;
    std::vector<PickableWindow> windows_;
    std::vector<int> imageIndexes_;
    std::vector<std::wstring> headers_;
};

} // namespace

bool RunPickWindowDialog(HINSTANCE instance, HWND owner, Engine::TargetWindowInfo& chosen)
{
    PickWindowDialog dialog;
    return dialog.DoModalWithParam(IDD_PICK_WINDOW, instance, owner, BoundDialogProcedure<PickWindowDialog>,
                                   &chosen) == 1;
}

} // namespace Tolv
