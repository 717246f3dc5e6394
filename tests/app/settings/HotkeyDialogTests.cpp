// The hotkey dialog on its own thread, driven like a user: what it shows for
// the keys it is given and the keys it writes back.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/settings/HotkeyDialog.h"
#include "app/settings/HotkeyText.h"
#include "resources/ResourceIds.h"
#include "tests/app/settings/SheetDriver.h"
#include "tests/support/Wait.h"

namespace {

using Flib::IO::Input::CKeys;
using TolvTest::IsTicked;

// The caption names the slot being edited.
constexpr wchar_t kCaption[] = L"送信キーの設定 - IME-2: Google 日本語入力";
constexpr wchar_t kMessageCaption[] = L"トルヴ : 自動IME切り替え機";

struct TextCase {
    CKeys keys;
    std::wstring text;
};

TEST(HotkeyTextTest, NamesModifiersAndWritesOtherKeysAsTheirCharacter)
{
    const TextCase cases[] = {
        {CKeys{}, L""},
        {CKeys{VK_MENU, VK_SHIFT, '1'}, L"Alt + Shift + 1"},
        {CKeys{VK_CONTROL, '9'}, L"Ctrl + 9"},
        {CKeys{VK_SHIFT}, L"Shift"},
        {CKeys{VK_MENU, VK_CONTROL, VK_SHIFT, '0'}, L"Alt + Ctrl + Shift + 0"},
        {CKeys{'A', VK_MENU}, L"A + Alt"},
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(Tolv::HotkeyText(c.keys), c.text);
    }
}

// The dialog opened on `keys` on its own thread, with its result once closed.
class OpenHotkeyDialog {
public:
    explicit OpenHotkeyDialog(CKeys initial, std::vector<Tolv::HotkeyInUse> inUse = {})
        : keys(std::move(initial)),
          others(std::move(inUse)),
          thread([this] {
              result = Tolv::RunHotkeyDialog(::GetModuleHandleW(nullptr), nullptr, L"IME-2: Google 日本語入力", others,
                                             keys);
          }),
          dialog(thread.WaitForDialog(kCaption))
    {
    }

    INT_PTR Close(int button)
    {
        TolvTest::ClickLater(dialog, button);
        EXPECT_TRUE(thread.WaitForEnd());
        return result;
    }

    CKeys keys;
    std::vector<Tolv::HotkeyInUse> others;
    INT_PTR result = 0;
    TolvTest::UiThread thread;
    HWND dialog;
};

int SelectedDigit(HWND dialog) { return static_cast<int>(::SendDlgItemMessageW(dialog, IDC_HOTKEY_DIGIT, CB_GETCURSEL, 0, 0)); }

TEST(HotkeyDialogTest, OpensOnTheStoredKeysAndOkWithoutChangesWritesThemInTheFixedOrder)
{
    // Stored in an order the dialog would not write.
    OpenHotkeyDialog open(CKeys{VK_SHIFT, '3', VK_CONTROL});
    ASSERT_NE(open.dialog, nullptr);
    EXPECT_FALSE(IsTicked(open.dialog, IDC_HOTKEY_ALT));
    EXPECT_TRUE(IsTicked(open.dialog, IDC_HOTKEY_CTRL));
    EXPECT_TRUE(IsTicked(open.dialog, IDC_HOTKEY_SHIFT));
    EXPECT_EQ(SelectedDigit(open.dialog), 3);
    EXPECT_EQ(::SendDlgItemMessageW(open.dialog, IDC_HOTKEY_DIGIT, CB_GETCOUNT, 0, 0), 10);
    EXPECT_TRUE(TolvTest::IsItemEnabled(open.dialog, IDOK));
    EXPECT_EQ(open.Close(IDOK), 1);
    EXPECT_EQ(open.keys, (CKeys{VK_CONTROL, VK_SHIFT, '3'}));
}

// Boxes clicked in the given order, then a digit chosen, then OK.
struct ClickCase {
    const char* name;
    std::vector<int> clicks;
    CKeys stored;
    const wchar_t* shown;
};

class HotkeyClickOrderTest : public ::testing::TestWithParam<ClickCase> {};

TEST_P(HotkeyClickOrderTest, StoresAltCtrlShiftInThatOrderWhateverTheClickOrder)
{
    OpenHotkeyDialog open(CKeys{VK_CONTROL, '5'});
    ASSERT_NE(open.dialog, nullptr);
    for (const int box : GetParam().clicks) {
        TolvTest::Click(open.dialog, box);
    }
    TolvTest::Choose(open.dialog, IDC_HOTKEY_DIGIT, 1);
    EXPECT_EQ(open.Close(IDOK), 1);
    EXPECT_EQ(open.keys, GetParam().stored);
    EXPECT_EQ(Tolv::HotkeyText(open.keys), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, HotkeyClickOrderTest,
    ::testing::Values(ClickCase{"ShiftThenAlt", {IDC_HOTKEY_CTRL, IDC_HOTKEY_SHIFT, IDC_HOTKEY_ALT},
                                CKeys{VK_MENU, VK_SHIFT, '1'}, L"Alt + Shift + 1"},
                      ClickCase{"AltThenShift", {IDC_HOTKEY_ALT, IDC_HOTKEY_SHIFT, IDC_HOTKEY_CTRL},
                                CKeys{VK_MENU, VK_SHIFT, '1'}, L"Alt + Shift + 1"},
                      ClickCase{"ShiftTwiceOnTheWay",
                                {IDC_HOTKEY_SHIFT, IDC_HOTKEY_SHIFT, IDC_HOTKEY_ALT, IDC_HOTKEY_CTRL, IDC_HOTKEY_SHIFT},
                                CKeys{VK_MENU, VK_SHIFT, '1'}, L"Alt + Shift + 1"},
                      // Ctrl stays ticked from the stored keys.
                      ClickCase{"AllThreeClickedBackwards", {IDC_HOTKEY_SHIFT, IDC_HOTKEY_ALT},
                                CKeys{VK_MENU, VK_CONTROL, VK_SHIFT, '1'}, L"Alt + Ctrl + Shift + 1"}),
    [](const ::testing::TestParamInfo<ClickCase>& info) { return info.param.name; });

TEST(HotkeyDialogTest, CancelAndClosingLeaveTheKeysAlone)
{
    for (const bool close : {false, true}) {
        OpenHotkeyDialog open(CKeys{VK_CONTROL, '2'});
        ASSERT_NE(open.dialog, nullptr);
        TolvTest::Click(open.dialog, IDC_HOTKEY_ALT);
        TolvTest::Choose(open.dialog, IDC_HOTKEY_DIGIT, 7);
        if (close) {
            ::PostMessageW(open.dialog, WM_CLOSE, 0, 0);
            EXPECT_TRUE(open.thread.WaitForEnd());
        } else {
            open.Close(IDCANCEL);
        }
        EXPECT_EQ(open.result, 2) << (close ? "closed" : "cancelled");
        EXPECT_EQ(open.keys, (CKeys{VK_CONTROL, '2'}));
    }
}

TEST(HotkeyDialogTest, WithoutADigitOkWaitsForOneAndStoresNothingUntilThen)
{
    // Keys from a hand-edited file: modifiers, a key the dialog cannot show, no digit.
    OpenHotkeyDialog open(CKeys{VK_MENU, 'A', VK_SHIFT});
    ASSERT_NE(open.dialog, nullptr);
    EXPECT_TRUE(IsTicked(open.dialog, IDC_HOTKEY_ALT));
    EXPECT_TRUE(IsTicked(open.dialog, IDC_HOTKEY_SHIFT));
    EXPECT_EQ(SelectedDigit(open.dialog), CB_ERR);
    EXPECT_FALSE(TolvTest::IsItemEnabled(open.dialog, IDOK));

    // Enter still sends IDOK to a dialog whose OK button is disabled. Sent, so
    // answered when the call returns; a dialog that ended has hidden itself by then.
    ::SendMessageW(open.dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(::IsWindowVisible(open.dialog)) << "OK ended the dialog without a digit";
    EXPECT_EQ(open.keys, (CKeys{VK_MENU, 'A', VK_SHIFT}));

    TolvTest::Choose(open.dialog, IDC_HOTKEY_DIGIT, 4);
    EXPECT_TRUE(TolvTest::IsItemEnabled(open.dialog, IDOK));
    EXPECT_EQ(open.Close(IDOK), 1);
    EXPECT_EQ(open.keys, (CKeys{VK_MENU, VK_SHIFT, '4'}));
}

// A bare digit would be typed into the user's application on every switch:
// OK needs a modifier and a digit, and Enter (IDOK) cannot get around it.
TEST(HotkeyDialogTest, OkIsEnabledOnlyWithAModifierAndADigit)
{
    struct Case {
        const char* name;
        CKeys keys;
        bool enabled;
    };
    for (const Case& c : {Case{"digit only", CKeys{'3'}, false}, Case{"modifier only", CKeys{VK_CONTROL}, false},
                          Case{"nothing", CKeys{}, false}, Case{"modifier and digit", CKeys{VK_SHIFT, '3'}, true}}) {
        OpenHotkeyDialog open(c.keys);
        ASSERT_NE(open.dialog, nullptr) << c.name;
        EXPECT_EQ(TolvTest::IsItemEnabled(open.dialog, IDOK), c.enabled) << c.name;
        if (!c.enabled) {
            ::PostMessageW(open.dialog, WM_COMMAND, IDOK, 0);
            EXPECT_EQ(open.Close(IDCANCEL), 2) << c.name << ": OK ended the dialog";
            EXPECT_EQ(open.keys, c.keys) << c.name;
        } else {
            EXPECT_EQ(open.Close(IDOK), 1) << c.name;
        }
    }
    // Unticking the last modifier takes OK away again; ticking one gives it back.
    OpenHotkeyDialog open(CKeys{VK_CONTROL, '5'});
    ASSERT_NE(open.dialog, nullptr);
    TolvTest::Click(open.dialog, IDC_HOTKEY_CTRL);
    EXPECT_FALSE(TolvTest::IsItemEnabled(open.dialog, IDOK));
    TolvTest::Click(open.dialog, IDC_HOTKEY_ALT);
    EXPECT_TRUE(TolvTest::IsItemEnabled(open.dialog, IDOK));
    EXPECT_EQ(open.Close(IDOK), 1);
    EXPECT_EQ(open.keys, (CKeys{VK_MENU, '5'}));
}

// The message box that points out another slot's hotkey; null after the time-out.
HWND WaitForInUseMessage(const OpenHotkeyDialog& open, const std::wstring& slotText)
{
    HWND box = open.thread.WaitForDialog(kMessageCaption);
    if (box != nullptr) {
        EXPECT_NE(TolvTest::ItemText(box, 0xFFFF).find(slotText), std::wstring::npos) << "the message names the slot";
    }
    return box;
}

TEST(HotkeyDialogTest, AHotkeyAnotherSlotUsesIsPointedOutAndTakenOnlyWhenConfirmed)
{
    OpenHotkeyDialog open(CKeys{VK_MENU, '2'}, {{L"IME-1: ATOK", CKeys{VK_CONTROL, '1'}}});
    ASSERT_NE(open.dialog, nullptr);
    TolvTest::Click(open.dialog, IDC_HOTKEY_ALT);
    TolvTest::Click(open.dialog, IDC_HOTKEY_CTRL);
    TolvTest::Choose(open.dialog, IDC_HOTKEY_DIGIT, 1);

    // No: back in the dialog, nothing stored.
    TolvTest::ClickLater(open.dialog, IDOK);
    HWND box = WaitForInUseMessage(open, L"IME-1: ATOK");
    ASSERT_NE(box, nullptr);
    TolvTest::ClickLater(box, IDNO);
    ASSERT_TRUE(TolvTest::WaitUntil([&] { return !::IsWindow(box); }, 5000));
    EXPECT_EQ(open.keys, (CKeys{VK_MENU, '2'}));

    // Yes: stored as chosen.
    TolvTest::ClickLater(open.dialog, IDOK);
    box = WaitForInUseMessage(open, L"IME-1: ATOK");
    ASSERT_NE(box, nullptr);
    TolvTest::ClickLater(box, IDYES);
    EXPECT_TRUE(open.thread.WaitForEnd());
    EXPECT_EQ(open.result, 1);
    EXPECT_EQ(open.keys, (CKeys{VK_CONTROL, '1'}));
}

TEST(HotkeyDialogTest, AHotkeyNoOtherSlotUsesIsTakenWithoutAQuestion)
{
    OpenHotkeyDialog open(CKeys{VK_MENU, '2'}, {{L"IME-1: ATOK", CKeys{VK_CONTROL, '1'}}});
    ASSERT_NE(open.dialog, nullptr);
    TolvTest::Click(open.dialog, IDC_HOTKEY_SHIFT);
    TolvTest::Choose(open.dialog, IDC_HOTKEY_DIGIT, 1);
    EXPECT_EQ(open.Close(IDOK), 1);
    EXPECT_EQ(open.keys, (CKeys{VK_MENU, VK_SHIFT, '1'}));
}

} // namespace
