#pragma once
// A combo box with one data pointer kept beside each item added through the
// object. The dialog owns the window; the object owns only the pointer list,
// never what the pointers point at.
#include <windows.h>

#include <string>
#include <vector>

#include "flib/window/CTextBox.h"

namespace Flib { namespace Windows { namespace Window {

class CComboBox : public CTextBox {
public:
    ~CComboBox() override;

    // Each add keeps one data entry, even when the control refuses the item.
    // Entry i matches item i only while the list is unsorted.
    virtual LRESULT AddString(const std::wstring& text);
    virtual LRESULT AddString(const wchar_t* text);
    virtual LRESULT ResetContent();
    virtual LRESULT SetCurSel(int index);
    // CB_ERR (-1) when nothing is selected.
    virtual LRESULT GetCurSel();
    virtual LRESULT FindString(int start, const std::wstring& text);
    virtual LRESULT FindString(int start, const wchar_t* text);
    virtual LRESULT SelectString(int start, const std::wstring& text);
    virtual LRESULT SelectString(int start, const wchar_t* text);
    virtual LRESULT AddStringWithData(const std::wstring& text, void* data);
    virtual LRESULT AddStringWithData(const wchar_t* text, void* data);
    // Null for an index without an entry (CB_ERR included).
    virtual void* GetItemData(LRESULT index);

private:
    LRESULT Add(const wchar_t* text, void* data);

    std::vector<void*> itemData_;
};

}}} // namespace Flib::Windows::Window
