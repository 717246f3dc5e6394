#include "app/settings/ConditionDialog.h"

#include <commdlg.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/settings/ImeChoiceList.h"
#include "app/settings/PageProtocol.h"
#include "app/settings/SheetLists.h"
#include "flib/window/CButton.h"
#include "flib/window/CComboBox.h"
#include "flib/window/CDialogBox.h"
#include "flib/window/CEditBox.h"
#include "flib/window/LoadResourceString.h"
#include "resources/ResourceIds.h"

namespace Tolv {

using Configuration::CApplication;
using Configuration::CApplication4SwitchOnApplication;
using Configuration::MatchType;
using Flib::Windows::Window::CButton;
using Flib::Windows::Window::CComboBox;
using Flib::Windows::Window::CDialogBox;
using Flib::Windows::Window::CEditBox;
using Flib::Windows::Window::LoadResourceString;

namespace {

constexpr DWORD kFileBufferLength = 2048;

// Modal and on the main thread: one condition dialog at a time.
CDialogBox* openDialog = nullptr;
CButton okButton;
CButton cancelButton;
CComboBox matchTypeList;
CEditBox expressionBox;
CButton browseButton;
CComboBox imeList;

CApplication& Condition() { return *static_cast<CApplication*>(openDialog->GetParam()); }

// Null for an exclusion condition, which has no IME number.
CApplication4SwitchOnApplication* PerApplication()
{
    return dynamic_cast<CApplication4SwitchOnApplication*>(&Condition());
}

std::wstring EscapedForPattern(const std::wstring& text)
{
    static const std::wstring kSpecial = L"\\^$.|?*+()[]{}";
    std::wstring escaped;
    for (const wchar_t c : text) {
        if (kSpecial.find(c) != std::wstring::npos) {
            escaped += L'\\';
        }
        escaped += c;
    }
    return escaped;
}

struct ChosenFile {
    std::wstring fileName;
    std::wstring fullPath;
};

// The system's open-file dialog for an executable; false when the user cancels.
bool ChooseExecutable(ChosenFile& chosen)
{
    const HINSTANCE instance = openDialog->GetInstance();
    std::wstring title;
    std::wstring filter;
    LoadResourceString(instance, IDS_BROWSE_TITLE, title);
    LoadResourceString(instance, IDS_BROWSE_FILTER, filter);
    // The table cannot hold NULs: tabs stand for them, the last one closing the list.
    std::replace(filter.begin(), filter.end(), L'\t', L'\0');
    filter.push_back(L'\0');
    std::vector<wchar_t> file(kFileBufferLength, L'\0');
    std::vector<wchar_t> fileTitle(kFileBufferLength, L'\0');

    OPENFILENAMEW request = {};
    request.lStructSize = sizeof(request);
    request.hwndOwner = openDialog->GetHandle();
    request.hInstance = instance;
    request.lpstrFilter = filter.c_str();
    request.lpstrFile = file.data();
    request.nMaxFile = kFileBufferLength;
    request.lpstrFileTitle = fileTitle.data();
    request.nMaxFileTitle = kFileBufferLength;
    request.lpstrTitle = title.c_str();
    request.Flags = OFN_FILEMUSTEXIST | OFN_EXTENSIONDIFFERENT;
    request.lpstrDefExt = L"exe";
    if (!::GetOpenFileNameW(&request)) {
        return false;
    }
    chosen.fileName = fileTitle.data();
    chosen.fullPath = file.data();
    return true;
}

// What the browse button puts into the expression: the file name for the
// file-name types, the full path for the full-path types, escaped to stand
// only for itself in the pattern types. Class and title types have no file.
struct BrowseFill {
    bool fullPath;
    bool escaped;
};

const BrowseFill* BrowseFillFor(MatchType type)
{
    static constexpr BrowseFill kName{false, false};
    static constexpr BrowseFill kNamePattern{false, true};
    static constexpr BrowseFill kPath{true, false};
    static constexpr BrowseFill kPathPattern{true, true};
    switch (type) {
    case Configuration::MT_FILENAME:
        return &kName;
    case Configuration::MT_FILENAME_REGEX:
        return &kNamePattern;
    case Configuration::MT_FULLPATH:
        return &kPath;
    case Configuration::MT_FULLPATH_REGEX:
        return &kPathPattern;
    default:
        return nullptr;
    }
}

void Browse()
{
    const BrowseFill* fill = BrowseFillFor(static_cast<MatchType>(matchTypeList.GetCurSel()));
    ChosenFile chosen;
    if (fill == nullptr || !ChooseExecutable(chosen)) {
        return;
    }
    const std::wstring& text = fill->fullPath ? chosen.fullPath : chosen.fileName;
    expressionBox.SetText(fill->escaped ? EscapedForPattern(text) : text);
}

void Initialise()
{
    okButton.AttachItem(*openDialog, IDOK);
    cancelButton.AttachItem(*openDialog, IDCANCEL);
    matchTypeList.AttachItem(*openDialog, IDC_CONDITION_MATCHTYPE);
    expressionBox.AttachItem(*openDialog, IDC_CONDITION_EXPRESSION);
    browseButton.AttachItem(*openDialog, IDC_CONDITION_BROWSE);
    imeList.AttachItem(*openDialog, IDC_CONDITION_IME);

    const CApplication& condition = Condition();
    matchTypeList.ResetContent();
    for (const std::wstring& name : MatchTypeNames) {
        matchTypeList.AddString(name);
    }
    matchTypeList.SetCurSel(condition.GetMatchType()); // an unrecognised type (-1) selects nothing
    if (condition.GetExpression().empty()) {
        std::wstring placeholder;
        LoadResourceString(openDialog->GetInstance(), IDS_CONDITION_PLACEHOLDER, placeholder);
        expressionBox.SetText(placeholder);
    } else {
        expressionBox.SetText(condition.GetExpression());
    }
    if (const CApplication4SwitchOnApplication* perApplication = PerApplication()) {
        if (perApplication->GetImeNumber() < 0) {
            imeList.Enable(FALSE);
        } else {
            FillImeChoices(imeList, openDialog->GetInstance(), perApplication->GetImeNumber());
        }
    }
}

void Confirm()
{
    CApplication& condition = Condition();
    // With nothing selected the type read back is -1, which is what an unrecognised type holds already.
    condition.SetMatchType(static_cast<MatchType>(matchTypeList.GetCurSel()));
    std::wstring expression;
    openDialog->GetItemText(IDC_CONDITION_EXPRESSION, expression);
    condition.SetExpression(expression);
    if (CApplication4SwitchOnApplication* perApplication = PerApplication()) {
        perApplication->SetImeNumber(ChosenImeNumber(imeList, perApplication->GetImeNumber()));
    }
    openDialog->End(1);
}

INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        openDialog = reinterpret_cast<CDialogBox*>(lParam);
        Initialise();
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED) {
            return FALSE;
        }
        switch (LOWORD(wParam)) {
        case IDOK:
            Confirm();
            return TRUE;
        case IDCANCEL:
            openDialog->End(2);
            return TRUE;
        case IDC_CONDITION_BROWSE:
            Browse();
            return TRUE;
        default:
            return FALSE;
        }
    case WM_CLOSE:
        openDialog->End(2);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK ConditionDialogProc(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Guarded([&] { return Handle(message, wParam, lParam); });
}

} // namespace

INT_PTR RunConditionDialog(HINSTANCE instance, HWND owner, int templateId, CApplication& condition)
{
    CDialogBox dialog;
    const INT_PTR result = dialog.DoModalWithParam(templateId, instance, owner, ConditionDialogProc, &condition);
    openDialog = nullptr;
    return result;
}

} // namespace Tolv
