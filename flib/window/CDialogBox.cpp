#include "flib/window/CDialogBox.h"

#include <utility>
#include <vector>

namespace Flib { namespace Windows { namespace Window {

CDialogBox::CDialogBox() : templateId_(0), procedure_(nullptr), param_(nullptr) {}

CDialogBox::CDialogBox(HWND dialog) : templateId_(0), procedure_(nullptr), param_(nullptr)
{
    handle_ = dialog;
    parent_ = ::GetParent(dialog);
    instance_ = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
}

CDialogBox::~CDialogBox() { CDialogBox::ClearControls(); }

void CDialogBox::Prepare(int templateId, HINSTANCE instance, HWND parent, DLGPROC procedure, void* param)
{
    ClearControls();
    templateId_ = templateId;
    procedure_ = procedure;
    instance_ = instance;
    parent_ = parent;
    param_ = param;
}

INT_PTR CDialogBox::DoModal(int templateId, HINSTANCE instance, HWND parent, DLGPROC procedure)
{
    return DoModalWithParam(templateId, instance, parent, procedure, nullptr);
}

HWND CDialogBox::CreateModeless(int templateId, HINSTANCE instance, HWND parent, DLGPROC procedure)
{
    return CreateModelessWithParam(templateId, instance, parent, procedure, nullptr);
}

INT_PTR CDialogBox::DoModalWithParam(int templateId, HINSTANCE instance, HWND parent, DLGPROC procedure,
                                     void* param)
{
    Prepare(templateId, instance, parent, procedure, param);
    return ::DialogBoxParamW(instance_, MAKEINTRESOURCEW(templateId_ & 0xFFFF), parent_, StaticDialogProc,
                             reinterpret_cast<LPARAM>(this));
}

HWND CDialogBox::CreateModelessWithParam(int templateId, HINSTANCE instance, HWND parent, DLGPROC procedure,
                                         void* param)
{
    Prepare(templateId, instance, parent, procedure, param);
    return ::CreateDialogParamW(instance_, MAKEINTRESOURCEW(templateId_ & 0xFFFF), parent_, StaticDialogProc,
                                reinterpret_cast<LPARAM>(this));
}

void* CDialogBox::GetParam() { return param_; }
HWND CDialogBox::GetItem(int controlId) { return ::GetDlgItem(handle_, controlId); }
BOOL CDialogBox::End(INT_PTR result) { return ::EndDialog(handle_, result); }

BOOL CDialogBox::SetItemText(int controlId, const std::wstring& text)
{
    return ::SetWindowTextW(::GetDlgItem(handle_, controlId), text.c_str());
}

int CDialogBox::GetItemText(int controlId, std::wstring& text)
{
    HWND item = ::GetDlgItem(handle_, controlId);
    const int length = ::GetWindowTextLengthW(item);
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(item, buffer.data(), length + 1);
    text.assign(buffer.data());
    return copied;
}

BOOL CDialogBox::EnableDlgItem(int controlId, BOOL enable)
{
    return ::EnableWindow(::GetDlgItem(handle_, controlId), enable);
}

void CDialogBox::ClearControls() { controls_.clear(); }

void CDialogBox::AddControl(INT_PTR key, std::unique_ptr<CWindow> control)
{
    controls_[key] = std::move(control);
}

INT_PTR CALLBACK StaticDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_INITDIALOG) {
        return FALSE; // default handling until the object's procedure takes over
    }
    auto* object = reinterpret_cast<CDialogBox*>(lParam);
    object->SetHandle(dialog);
    DLGPROC procedure = object->GetDialogProc();
    ::SetWindowLongPtrW(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(procedure));
    return procedure(dialog, WM_INITDIALOG, wParam, reinterpret_cast<LPARAM>(object));
}

}}} // namespace Flib::Windows::Window
