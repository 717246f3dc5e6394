// Dialogs from test templates: the binding handshake, end codes, owned controls, wrappers.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "flib/window/CDialogBox.h"
#include "tests/flib/window/WindowTestResourceIds.h"

namespace {

using Flib::Windows::Window::CDialogBox;
using Flib::Windows::Window::CWindow;

HINSTANCE Module() { return ::GetModuleHandleW(nullptr); }

// What the application's procedure saw on WM_INITDIALOG.
struct InitSeen {
    HWND dialog;
    LPARAM lParam;
    LONG_PTR dialogProc;
    HWND objectHandle;
    HWND owner;
};
std::vector<InitSeen> inits;
// Run by the procedure at WM_INITDIALOG with the object it was given.
std::function<void(CDialogBox&)> onInit;
// Any message other than WM_INITDIALOG that reached StaticDialogProc's callee before WM_INITDIALOG.
bool messageBeforeInit = false;

INT_PTR CALLBACK TestDialogProc(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* object = reinterpret_cast<CDialogBox*>(lParam);
        inits.push_back({dialog, lParam, ::GetWindowLongPtrW(dialog, DWLP_DLGPROC), object->GetHandle(),
                         ::GetWindow(dialog, GW_OWNER)});
        if (onInit) {
            onInit(*object);
        }
        return TRUE;
    }
    if (inits.empty() || inits.back().dialog != dialog) {
        messageBeforeInit = true;
    }
    return FALSE;
}

// Ends a modal dialog from its own loop, after it has been shown.
constexpr UINT kEndWith = WM_APP + 1;
CDialogBox* modalObject = nullptr;

INT_PTR CALLBACK EndingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        modalObject = reinterpret_cast<CDialogBox*>(lParam);
        inits.push_back({dialog, lParam, ::GetWindowLongPtrW(dialog, DWLP_DLGPROC), modalObject->GetHandle(),
                         ::GetWindow(dialog, GW_OWNER)});
        ::PostMessageW(dialog, kEndWith, 5, 0);
        return TRUE;
    }
    if (message == kEndWith) {
        modalObject->End(static_cast<INT_PTR>(wParam));
        return TRUE;
    }
    return FALSE;
}

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        inits.clear();
        onInit = nullptr;
        messageBeforeInit = false;
        modalObject = nullptr;
    }
    void TearDown() override { onInit = nullptr; }
};

TEST_F(DialogTest, ModalDialogBindsItsObjectAndEndsWithTheCodeGiven)
{
    CDialogBox dialog;
    EXPECT_EQ(dialog.DoModal(IDD_TEST_DIALOG, Module(), nullptr, EndingDialogProc), 5);

    ASSERT_EQ(inits.size(), 1u);
    EXPECT_EQ(inits[0].lParam, reinterpret_cast<LPARAM>(&dialog));
    EXPECT_EQ(inits[0].objectHandle, inits[0].dialog) << "the handle was not bound before the procedure ran";
    EXPECT_EQ(inits[0].dialogProc, reinterpret_cast<LONG_PTR>(&EndingDialogProc));
    // The window is gone; the field keeps the old value.
    EXPECT_EQ(dialog.GetHandle(), inits[0].dialog);
    EXPECT_FALSE(::IsWindow(dialog.GetHandle()));
    EXPECT_EQ(dialog.GetTemplateId(), IDD_TEST_DIALOG);
}

TEST_F(DialogTest, ModelessDialogHandsItsMessagesToTheApplicationsProcedure)
{
    CDialogBox dialog;
    HWND window = dialog.CreateModeless(IDD_TEST_DIALOG, Module(), nullptr, TestDialogProc);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(dialog.GetHandle(), window);
    ASSERT_EQ(inits.size(), 1u);
    EXPECT_EQ(inits[0].lParam, reinterpret_cast<LPARAM>(&dialog));
    EXPECT_EQ(::GetWindowLongPtrW(window, DWLP_DLGPROC), reinterpret_cast<LONG_PTR>(&TestDialogProc));
    EXPECT_FALSE(messageBeforeInit) << "messages before WM_INITDIALOG reached the application";

    // From now on the system calls the procedure directly.
    messageBeforeInit = false;
    ::SendMessageW(window, WM_APP + 7, 0, 0);
    EXPECT_TRUE(::IsWindow(window));
    EXPECT_TRUE(dialog.Destroy());
    EXPECT_FALSE(::IsWindow(window));
}

TEST_F(DialogTest, DialogsOpenedOneInsideAnotherEachGetTheirOwnObject)
{
    CDialogBox outer;
    CDialogBox inner;
    INT_PTR innerResult = 0;
    onInit = [&](CDialogBox& object) {
        if (&object == &inner) {
            object.End(7);
            return;
        }
        innerResult = inner.DoModal(IDD_TEST_DIALOG, Module(), object.GetHandle(), TestDialogProc);
        object.End(9);
    };
    EXPECT_EQ(outer.DoModal(IDD_TEST_DIALOG, Module(), nullptr, TestDialogProc), 9);
    EXPECT_EQ(innerResult, 7);
    ASSERT_EQ(inits.size(), 2u);
    EXPECT_EQ(inits[0].lParam, reinterpret_cast<LPARAM>(&outer));
    EXPECT_EQ(inits[1].lParam, reinterpret_cast<LPARAM>(&inner));
    EXPECT_EQ(inits[1].owner, inits[0].dialog) << "the inner dialog was not owned by the outer one";
    EXPECT_NE(outer.GetHandle(), inner.GetHandle());
}

TEST_F(DialogTest, MissingTemplateFailsWithoutCallingTheProcedureOrTouchingTheHandle)
{
    CDialogBox dialog;
    HWND previous = reinterpret_cast<HWND>(0x4242);
    dialog.SetHandle(previous);
    EXPECT_EQ(dialog.DoModal(IDD_TEST_MISSING, Module(), nullptr, TestDialogProc), -1);
    EXPECT_EQ(dialog.CreateModeless(IDD_TEST_MISSING, Module(), nullptr, TestDialogProc), nullptr);
    EXPECT_TRUE(inits.empty());
    EXPECT_EQ(dialog.GetHandle(), previous);
}

// The four shows: which parameter each leaves behind.
struct ShowCase {
    const char* name;
    std::function<void(CDialogBox&, void*)> show;
    bool keepsParam;
};

int callerData = 0;

class DialogShowTest : public DialogTest, public ::testing::WithParamInterface<ShowCase> {};

TEST_P(DialogShowTest, StoresTheParameterOnlyForTheShowsThatTakeOne)
{
    const ShowCase& c = GetParam();
    CDialogBox dialog;
    int earlier = 0;
    // A parameter left from an earlier show must not survive a show without one.
    onInit = [](CDialogBox& object) { object.End(1); };
    ASSERT_EQ(dialog.DoModalWithParam(IDD_TEST_DIALOG, Module(), nullptr, TestDialogProc, &earlier), 1);
    ASSERT_EQ(dialog.GetParam(), &earlier);

    c.show(dialog, &callerData);
    EXPECT_EQ(dialog.GetParam(), c.keepsParam ? static_cast<void*>(&callerData) : nullptr);
    ASSERT_EQ(inits.size(), 2u);
    EXPECT_EQ(inits[1].lParam, reinterpret_cast<LPARAM>(&dialog));
    if (::IsWindow(dialog.GetHandle())) {
        dialog.Destroy();
    }
}

const ShowCase kShowCases[] = {
    {"DoModal", [](CDialogBox& d, void*) { d.DoModal(IDD_TEST_DIALOG, Module(), nullptr, TestDialogProc); }, false},
    {"CreateModeless",
     [](CDialogBox& d, void*) { d.CreateModeless(IDD_TEST_DIALOG, Module(), nullptr, TestDialogProc); }, false},
    {"DoModalWithParam",
     [](CDialogBox& d, void* p) { d.DoModalWithParam(IDD_TEST_DIALOG, Module(), nullptr, TestDialogProc, p); },
     true},
    {"CreateModelessWithParam",
     [](CDialogBox& d, void* p) {
         d.CreateModelessWithParam(IDD_TEST_DIALOG, Module(), nullptr, TestDialogProc, p);
     },
     true},
};

INSTANTIATE_TEST_SUITE_P(Shows, DialogShowTest, ::testing::ValuesIn(kShowCases),
                         [](const ::testing::TestParamInfo<ShowCase>& info) { return info.param.name; });

// A control object that reports its own deletion.
class DeletionProbe : public CWindow {
public:
    explicit DeletionProbe(bool& deleted) : deleted_(deleted) {}
    ~DeletionProbe() override { deleted_ = true; }

private:
    bool& deleted_;
};

TEST_F(DialogTest, OwnedControlsLiveUntilTheNextShowOrTheObjectsEnd)
{
    bool firstDeleted = false;
    bool secondDeleted = false;
    bool firstDeletedAtSecondInit = false;
    int run = 0;
    CDialogBox* dialog = new CDialogBox;
    onInit = [&](CDialogBox& object) {
        ++run;
        if (run == 1) {
            object.AddControl(IDC_TEST_EDIT, std::make_unique<DeletionProbe>(firstDeleted));
            object.AddControl(0, nullptr);
        } else {
            firstDeletedAtSecondInit = firstDeleted;
            object.AddControl(IDC_TEST_EDIT, std::make_unique<DeletionProbe>(secondDeleted));
        }
        object.End(run);
    };
    ASSERT_EQ(dialog->DoModal(IDD_TEST_DIALOG, Module(), nullptr, TestDialogProc), 1);
    EXPECT_FALSE(firstDeleted) << "controls must outlive the run they were made for";
    ASSERT_EQ(dialog->DoModal(IDD_TEST_DIALOG, Module(), nullptr, TestDialogProc), 2);
    EXPECT_TRUE(firstDeletedAtSecondInit) << "the first run's controls were still alive when the second began";
    EXPECT_FALSE(secondDeleted);
    delete dialog;
    EXPECT_TRUE(secondDeleted);
}

TEST_F(DialogTest, AControlAddedUnderATakenKeyReplacesTheOldOne)
{
    bool oldDeleted = false;
    bool newDeleted = false;
    {
        CDialogBox dialog;
        dialog.AddControl(1, std::make_unique<DeletionProbe>(oldDeleted));
        dialog.AddControl(1, std::make_unique<DeletionProbe>(newDeleted));
        EXPECT_TRUE(oldDeleted);
        EXPECT_FALSE(newDeleted);
        dialog.ClearControls();
        EXPECT_TRUE(newDeleted);
    }
}

// A property-sheet page stand-in: a child dialog made without the library.
INT_PTR CALLBACK PlainPageProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

class WrappedPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        parent = ::CreateWindowExW(0, L"STATIC", L"sheet", WS_OVERLAPPEDWINDOW, 0, 0, 400, 200, nullptr, nullptr,
                                   Module(), nullptr);
        ASSERT_NE(parent, nullptr);
        page = ::CreateDialogParamW(Module(), MAKEINTRESOURCEW(IDD_TEST_PAGE), parent, PlainPageProc, 0);
        ASSERT_NE(page, nullptr);
    }
    void TearDown() override { ::DestroyWindow(parent); }

    HWND parent = nullptr;
    HWND page = nullptr;
};

TEST_F(WrappedPageTest, WrapperReportsThePagesParentAndInstanceAndLeavesThePageAlone)
{
    {
        CDialogBox wrapper(page);
        EXPECT_EQ(wrapper.GetHandle(), page);
        EXPECT_EQ(wrapper.GetParentCached(), parent);
        EXPECT_EQ(wrapper.GetInstance(), Module());
        EXPECT_EQ(wrapper.GetParam(), nullptr);
        EXPECT_EQ(wrapper.GetTemplateId(), 0);
        EXPECT_EQ(wrapper.GetDialogProc(), nullptr);
    }
    EXPECT_TRUE(::IsWindow(page));
    EXPECT_EQ(::GetWindowLongPtrW(page, DWLP_DLGPROC), reinterpret_cast<LONG_PTR>(&PlainPageProc));
}

TEST_F(WrappedPageTest, ItemOperationsReachTheItemAndFailQuietlyForAMissingId)
{
    CDialogBox wrapper(page);
    HWND edit = ::GetDlgItem(page, IDC_TEST_EDIT);
    EXPECT_EQ(wrapper.GetItem(IDC_TEST_EDIT), edit);

    const std::wstring text = L"設定ファイル フォルダ";
    EXPECT_TRUE(wrapper.SetItemText(IDC_TEST_EDIT, text));
    std::wstring read = L"stale";
    EXPECT_EQ(wrapper.GetItemText(IDC_TEST_EDIT, read), static_cast<int>(text.size()));
    EXPECT_EQ(read, text);

    wrapper.EnableDlgItem(IDC_TEST_EDIT, FALSE);
    EXPECT_FALSE(::IsWindowEnabled(edit));
    wrapper.EnableDlgItem(IDC_TEST_EDIT, TRUE);
    EXPECT_TRUE(::IsWindowEnabled(edit));

    const int missing = 4999;
    EXPECT_EQ(wrapper.GetItem(missing), nullptr);
    EXPECT_FALSE(wrapper.SetItemText(missing, L"x"));
    read = L"stale";
    EXPECT_EQ(wrapper.GetItemText(missing, read), 0);
    EXPECT_EQ(read, L"");
}

} // namespace
