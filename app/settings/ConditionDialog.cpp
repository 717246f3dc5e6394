#include "app/settings/ConditionDialog.h"

#include <commdlg.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "app/settings/ExactExpression.h"
#include "app/settings/ImeChoiceList.h"
#include "app/settings/PickWindowDialog.h"
#include "app/settings/SettingsMessage.h"
#include "app/settings/SheetLists.h"
#include "engine/ConditionMatching.h"
#include "flib/window/BoundObject.h"
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
using Flib::Windows::Window::BoundDialogProcedure;
using Flib::Windows::Window::CButton;
using Flib::Windows::Window::CComboBox;
using Flib::Windows::Window::CDialogBox;
using Flib::Windows::Window::CEditBox;
using Flib::Windows::Window::LoadResourceString;

namespace {

constexpr DWORD kFileBufferLength = 2048;

// The system's open-file dialog for an executable: its name and path as a
// file rule would test them; false when the user cancels.
bool ChooseExecutable(CDialogBox& owner, Engine::TargetWindowInfo& chosen)
{
    const HINSTANCE instance = owner.GetInstance();
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
    request.hwndOwner = owner.GetHandle();
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

// Only the file-name and full-path types have a file to browse for.
bool HasFile(MatchType type)
{
    return type == Configuration::MT_FILENAME || type == Configuration::MT_FILENAME_REGEX ||
           type == Configuration::MT_FULLPATH || type == Configuration::MT_FULLPATH_REGEX;
}

bool IsKnown(MatchType type)
{
    return type >= Configuration::MT_FILENAME && type <= Configuration::MT_WINDOWTEXT_REGEX;
}

// One run of the dialog: the object the system hands to the procedure, kept
// in the window's DWLP_USER slot.
class ConditionDialog : public CDialogBox {
public:
    friend INT_PTR CALLBACK Flib::Windows::Window::BoundDialogProcedure<ConditionDialog>(HWND, UINT, WPARAM, LPARAM);

private:
    CApplication& Condition() { return *static_cast<CApplication*>(GetParam()); }

    // Null for an exclusion condition, which has no IME number.
    CApplication4SwitchOnApplication* PerApplication()
    {
        return dynamic_cast<CApplication4SwitchOnApplication*>(&Condition());
    }

    MatchType ChosenType() { return static_cast<MatchType>(matchTypeList_.GetCurSel()); }

    void Initialise()
    {
        matchTypeList_.AttachItem(*this, IDC_CONDITION_MATCHTYPE);
        expressionBox_.AttachItem(*this, IDC_CONDITION_EXPRESSION);
        browseButton_.AttachItem(*this, IDC_CONDITION_BROWSE);
        pickButton_.AttachItem(*this, IDC_CONDITION_PICK);
        imeList_.AttachItem(*this, IDC_CONDITION_IME);

        const CApplication& condition = Condition();
        for (const std::wstring& name : MatchTypeNames) {
            matchTypeList_.AddString(name);
        }
        matchTypeList_.SetCurSel(condition.GetMatchType()); // an unrecognised type (-1) selects nothing
        expressionBox_.SetText(condition.GetExpression());
        // A hint in the empty box that can never be taken for the expression.
        std::wstring hint;
        LoadResourceString(GetInstance(), IDS_CONDITION_PLACEHOLDER, hint);
        expressionBox_.Send(EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(hint.c_str()));
        if (const CApplication4SwitchOnApplication* perApplication = PerApplication()) {
            if (perApplication->GetImeNumber() < 0) {
                imeList_.Enable(FALSE);
            } else {
                FillImeChoices(imeList_, GetInstance(), perApplication->GetImeNumber());
            }
        }
        FollowMatchType();
    }

    // A window has every fact a type can test; an unrecognised type (nothing selected) has none to fill.
    void FollowMatchType()
    {
        browseButton_.Enable(HasFile(ChosenType()) ? TRUE : FALSE);
        pickButton_.Enable(IsKnown(ChosenType()) ? TRUE : FALSE);
    }

    // Both fill the expression for the type chosen now; a later change of type leaves it.
    void Browse()
    {
        Engine::TargetWindowInfo file;
        if (!HasFile(ChosenType()) || !ChooseExecutable(*this, file)) {
            return;
        }
        expressionBox_.SetText(ExactExpression(ChosenType(), file));
    }

    void Pick()
    {
        Engine::TargetWindowInfo window;
        if (!IsKnown(ChosenType()) || !RunPickWindowDialog(GetInstance(), GetHandle(), window)) {
            return;
        }
        expressionBox_.SetText(ExactExpression(ChosenType(), window));
    }

    // Tells the user why the expression cannot be a rule and hands the text
    // back for correcting; false then.
    bool IsUsable(const std::wstring& expression)
    {
        std::wstring reason;
        std::size_t position = 0;
        if (expression.empty()) {
            ShowSettingsMessage(GetInstance(), GetHandle(), IDS_CONDITION_EMPTY, {}, MB_OK | MB_ICONWARNING);
        } else if (!Engine::PatternCompiles(ChosenType(), expression, reason, position)) {
            ShowSettingsMessage(GetInstance(), GetHandle(), IDS_CONDITION_PATTERN_INVALID,
                                {reason, std::to_wstring(position + 1)}, MB_OK | MB_ICONWARNING);
        } else {
            return true;
        }
        expressionBox_.SetFocus();
        expressionBox_.Send(EM_SETSEL, 0, -1);
        return false;
    }

    void Confirm()
    {
        std::wstring expression;
        GetItemText(IDC_CONDITION_EXPRESSION, expression);
        if (!IsUsable(expression)) {
            return;
        }
        CApplication& condition = Condition();
        // With nothing selected the type read back is -1, which is what an unrecognised type holds already.
        condition.SetMatchType(ChosenType());
        condition.SetExpression(expression);
        if (CApplication4SwitchOnApplication* perApplication = PerApplication()) {
            perApplication->SetImeNumber(ChosenImeNumber(imeList_, perApplication->GetImeNumber()));
        }
        End(1);
    }

    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM)
    {
        switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_CONDITION_MATCHTYPE && HIWORD(wParam) == CBN_SELCHANGE) {
                FollowMatchType();
                return TRUE;
            }
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
            case IDC_CONDITION_BROWSE:
                Browse();
                return TRUE;
            case IDC_CONDITION_PICK:
                Pick();
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

    CComboBox matchTypeList_;
    CEditBox expressionBox_;
    CButton browseButton_;
    CButton pickButton_;
    CComboBox imeList_;
};

} // namespace

INT_PTR RunConditionDialog(HINSTANCE instance, HWND owner, int templateId, CApplication& condition)
{
    ConditionDialog dialog;
    return dialog.DoModalWithParam(templateId, instance, owner, BoundDialogProcedure<ConditionDialog>, &condition);
}

} // namespace Tolv
