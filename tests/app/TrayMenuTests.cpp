// The tray menu, its marks and the paused icon and tip, read from the built tolv.exe.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "app/TrayMenuState.h"
#include "flib/window/CMenu.h"
#include "resources/ResourceIds.h"
#include "tests/support/TolvProcess.h"

namespace {

using Flib::Windows::Window::CMenu;
using Flib::Windows::Window::OwnedMenu;

struct FreeModule {
    void operator()(HMODULE module) const { ::FreeLibrary(module); }
};

// One line per item: "---" for a separator, "text id" for a command, "text >" then
// the submenu's lines indented for a submenu.
std::vector<std::wstring> Describe(HMENU menu, const std::wstring& indent = L"")
{
    std::vector<std::wstring> lines;
    const int count = ::GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        wchar_t text[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = 256;
        if (!::GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) {
            lines.push_back(indent + L"(unreadable)");
        } else if (info.fType & MFT_SEPARATOR) {
            lines.push_back(indent + L"---");
        } else if (info.hSubMenu != nullptr) {
            lines.push_back(indent + text + L" >");
            for (const std::wstring& line : Describe(info.hSubMenu, indent + L"  ")) {
                lines.push_back(line);
            }
        } else {
            lines.push_back(indent + text + L" " + std::to_wstring(info.wID));
        }
    }
    return lines;
}

bool Checked(HMENU menu, UINT command)
{
    return (::GetMenuState(menu, command, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

// The icon drawn on black at its own size, as 32-bit pixels.
std::vector<DWORD> Pixels(HICON icon, int size)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<DWORD> pixels;
    if (bitmap != nullptr) {
        HGDIOBJ old = ::SelectObject(dc, bitmap);
        ::DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
        ::GdiFlush();
        pixels.assign(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + size * size);
        ::SelectObject(dc, old);
        ::DeleteObject(bitmap);
    }
    ::DeleteDC(dc);
    return pixels;
}

// How much bluer than red the icon is on average: the normal icon is a blue square.
int Blueness(const std::vector<DWORD>& pixels)
{
    long long sum = 0;
    for (DWORD p : pixels) {
        sum += static_cast<int>(p & 0xFF) - static_cast<int>((p >> 16) & 0xFF);
    }
    return pixels.empty() ? 0 : static_cast<int>(sum / static_cast<long long>(pixels.size()));
}

// The pixel sizes an icon resource holds, from its group directory.
std::vector<int> IconSizes(HMODULE module, UINT id)
{
    std::vector<int> sizes;
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), RT_GROUP_ICON);
    if (found == nullptr) {
        return sizes;
    }
    const auto* data = static_cast<const BYTE*>(::LockResource(::LoadResource(module, found)));
    const DWORD bytes = ::SizeofResource(module, found);
    constexpr DWORD kHeader = 6;
    constexpr DWORD kEntry = 14; // width, height, colours, reserved, planes, bit count, size, id
    if (data == nullptr || bytes < kHeader) {
        return sizes;
    }
    const WORD count = static_cast<WORD>(data[4] | (data[5] << 8));
    for (DWORD n = 0; n < count && kHeader + (n + 1) * kEntry <= bytes; ++n) {
        const BYTE width = data[kHeader + n * kEntry];
        sizes.push_back(width == 0 ? 256 : width);
    }
    return sizes;
}

class TrayMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        exe_.reset(::LoadLibraryExW(TolvTest::TolvExePath().c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
        ASSERT_NE(exe_, nullptr);
        menu_ = OwnedMenu(exe_.get(), IDR_TRAY_MENU);
        ASSERT_TRUE(menu_);
        popup_ = menu_.GetSubMenu(0);
        ASSERT_NE(popup_.GetHandle(), nullptr);
    }

    std::unique_ptr<std::remove_pointer_t<HMODULE>, FreeModule> exe_;
    OwnedMenu menu_;
    CMenu popup_;
};

TEST_F(TrayMenuTest, HoldsEveryItemWithItsTextAndIdInOrder)
{
    const std::vector<std::wstring> expected = {
        L"メニューを閉じる(&C) 40001",
        L"---",
        L"一時停止(&P) 40006",
        L"設定(&O) 40002",
        L"ヘルプ(&H) >",
        L"  バージョン情報(&A) 40003",
        L"  ---",
        L"  設定ファイル フォルダを開く(&C) 40004",
        L"---",
        L"Windows の起動時に実行(&W) 40007",
        L"---",
        L"終了(&X) 40005",
    };
    EXPECT_EQ(Describe(popup_.GetHandle()), expected);
}

TEST_F(TrayMenuTest, ChecksFollowThePauseAndTheRunEntry)
{
    const struct {
        bool paused;
        bool startsWithWindows;
    } states[] = {{true, false}, {false, true}, {true, true}, {false, false}};
    // One menu through every state: a mark must also go away again.
    for (const auto& state : states) {
        Tolv::ShowStateInTrayMenu(popup_, state.paused, state.startsWithWindows);
        EXPECT_EQ(Checked(popup_.GetHandle(), IDM_PAUSE), state.paused);
        EXPECT_EQ(Checked(popup_.GetHandle(), IDM_START_WITH_WINDOWS), state.startsWithWindows);
        for (UINT other : {IDM_CLOSE_MENU, IDM_SETTINGS, IDM_ABOUT, IDM_OPEN_SETTINGS_FOLDER, IDM_EXIT}) {
            EXPECT_FALSE(Checked(popup_.GetHandle(), other)) << other;
        }
    }
}

TEST_F(TrayMenuTest, PausedTipAndIconDifferAtEverySize)
{
    const wchar_t* text = nullptr;
    const int length = ::LoadStringW(exe_.get(), IDS_TRAY_TIP_PAUSED, reinterpret_cast<LPWSTR>(&text), 0);
    EXPECT_EQ(std::wstring(text, length > 0 ? length : 0), L"トルヴ (一時停止中)");

    const std::vector<int> sizes = IconSizes(exe_.get(), IDI_TOLV);
    EXPECT_EQ(sizes, std::vector<int>({16, 20, 24, 32, 48}));
    EXPECT_EQ(IconSizes(exe_.get(), IDI_TOLV_PAUSED), sizes) << "drawn at each size, not scaled";
    for (int size : sizes) {
        auto load = [&](UINT id) {
            return static_cast<HICON>(::LoadImageW(exe_.get(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
        };
        HICON normal = load(IDI_TOLV);
        HICON paused = load(IDI_TOLV_PAUSED);
        ASSERT_NE(normal, nullptr);
        ASSERT_NE(paused, nullptr);
        EXPECT_GT(Blueness(Pixels(normal, size)), 40) << size;
        EXPECT_LT(Blueness(Pixels(paused, size)), 0) << size << ": the paused icon is grey and orange";
        ::DestroyIcon(normal);
        ::DestroyIcon(paused);
    }
}

} // namespace
