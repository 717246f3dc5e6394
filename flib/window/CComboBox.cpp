#include "flib/window/CComboBox.h"

namespace Flib { namespace Windows { namespace Window {

CComboBox::~CComboBox() = default;

LRESULT CComboBox::Add(const wchar_t* text, void* data)
{
    itemData_.push_back(data);
    return Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

LRESULT CComboBox::AddString(const std::wstring& text) { return Add(text.c_str(), nullptr); }
LRESULT CComboBox::AddString(const wchar_t* text) { return Add(text, nullptr); }

LRESULT CComboBox::ResetContent()
{
    itemData_.clear();
    return Send(CB_RESETCONTENT, 0, 0);
}

LRESULT CComboBox::SetCurSel(int index) { return Send(CB_SETCURSEL, static_cast<WPARAM>(index), 0); }
LRESULT CComboBox::GetCurSel() { return Send(CB_GETCURSEL, 0, 0); }
LRESULT CComboBox::FindString(int start, const std::wstring& text) { return FindString(start, text.c_str()); }

LRESULT CComboBox::FindString(int start, const wchar_t* text)
{
    return Send(CB_FINDSTRING, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text));
}

LRESULT CComboBox::SelectString(int start, const std::wstring& text) { return SelectString(start, text.c_str()); }

LRESULT CComboBox::SelectString(int start, const wchar_t* text)
{
    return Send(CB_SELECTSTRING, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text));
}

LRESULT CComboBox::AddStringWithData(const std::wstring& text, void* data) { return Add(text.c_str(), data); }
LRESULT CComboBox::AddStringWithData(const wchar_t* text, void* data) { return Add(text, data); }

void* CComboBox::GetItemData(LRESULT index)
{
    if (index < 0 || static_cast<size_t>(index) >= itemData_.size()) {
        return nullptr;
    }
    return itemData_[static_cast<size_t>(index)];
}

}}} // namespace Flib::Windows::Window
