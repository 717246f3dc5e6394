#pragma once
// A dialog run from a template, modal or modeless, whose messages go to an
// application-supplied procedure. The object travels as the dialog's
// initialisation parameter, so dialogs may open one inside another. It never
// destroys its dialog; it owns the control objects added with AddControl.
#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "flib/window/CWindow.h"

namespace Flib { namespace Windows { namespace Window {

class CDialogBox : public CWindow {
public:
    CDialogBox();
    // A view of an existing dialog (a property-sheet page): handle, parent and instance from the window.
    explicit CDialogBox(HWND dialog);
    CDialogBox(const CDialogBox&) = delete;
    CDialogBox& operator=(const CDialogBox&) = delete;

    ~CDialogBox() override;
    virtual INT_PTR DoModal(int templateId, HINSTANCE instance, HWND parent, DLGPROC procedure);
    virtual HWND CreateModeless(int templateId, HINSTANCE instance, HWND parent, DLGPROC procedure);
    virtual INT_PTR DoModalWithParam(int templateId, HINSTANCE instance, HWND parent, DLGPROC procedure,
                                     void* param);
    virtual HWND CreateModelessWithParam(int templateId, HINSTANCE instance, HWND parent, DLGPROC procedure,
                                         void* param);
    virtual void* GetParam();
    virtual HWND GetItem(int controlId);
    virtual BOOL End(INT_PTR result);
    virtual BOOL SetItemText(int controlId, const std::wstring& text);
    virtual int GetItemText(int controlId, std::wstring& text);
    virtual BOOL EnableDlgItem(int controlId, BOOL enable);
    virtual void ClearControls();

    // Hands a control object to the dialog until the next show or its
    // destruction; a control already under `key` is deleted first.
    void AddControl(INT_PTR key, std::unique_ptr<CWindow> control);

    int GetTemplateId() const { return templateId_; }
    DLGPROC GetDialogProc() const { return procedure_; }

private:
    void Prepare(int templateId, HINSTANCE instance, HWND parent, DLGPROC procedure, void* param);

    int templateId_;
    DLGPROC procedure_;
    void* param_;
    std::map<INT_PTR, std::unique_ptr<CWindow>> controls_;
};

// The procedure every show passes to the system: ignores the messages before
// WM_INITDIALOG; on it binds the handle, installs the object's procedure as
// DWLP_DLGPROC and calls it with the object as lParam.
INT_PTR CALLBACK StaticDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}}} // namespace Flib::Windows::Window
