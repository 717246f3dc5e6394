// Not a test: opens the settings sheet, shows each tab and the hotkey dialog
// and saves each window as a bitmap, for the pictures in docs/. Run by
// take-screenshots.sh, which converts them and repeats at a second DPI.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "configuration/CConfigurations.h"
#include "flib/io/CKeys.h"
#include "resources/ResourceIds.h"
#include "tests/app/settings/SheetDriver.h"
#include "tests/support/Wait.h"

namespace {

// Lets the window finish painting, then copies it off the screen into `path`.
bool SaveWindow(HWND window, const std::wstring& path)
{
    TolvTest::WaitUntil([] { return false; }, 400);
    RECT rect;
    ::GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    ::SelectObject(memory, previous);
    const DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
    const DWORD imageSize = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + imageSize;
    bool saved = false;
    if (FILE* out = _wfopen(path.c_str(), L"wb")) {
        saved = std::fwrite(&file, sizeof(file), 1, out) == 1 &&
                std::fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, out) == 1 &&
                std::fwrite(bits, imageSize, 1, out) == 1;
        std::fclose(out);
    }
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return saved;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3) {
        std::fwprintf(stderr, L"usage: settings_screenshots <output folder> <name suffix>\n");
        return 2;
    }
    const std::wstring folder = argv[1];
    const std::wstring suffix = argv[2];
    Configuration::CConfigurations live;
    live.GetImes()->GetAt(0)->SetName(L"Microsoft IME");
    live.GetImes()->GetAt(1)->SetName(L"Google 日本語入力");
    live.GetImes()->GetAt(1)->SetKeys(Flib::IO::Input::CKeys{VK_CONTROL, VK_SHIFT, '2'});
    TolvTest::OpenSheet sheet(live);
    if (sheet.Sheet() == nullptr) {
        return 1;
    }
    int failures = 0;
    for (int tab = 0; tab < 5; ++tab) {
        sheet.ShowPage(tab);
        failures += !SaveWindow(sheet.Sheet(), folder + L"\\settings-tab" + std::to_wstring(tab + 1) + suffix + L".bmp");
    }
    HWND ime = sheet.ShowPage(0);
    TolvTest::ClickLater(ime, IDC_IME2_CHANGE);
    if (HWND hotkey = sheet.Thread().WaitForDialog(L"送信キーの設定")) {
        failures += !SaveWindow(hotkey, folder + L"\\settings-hotkey" + suffix + L".bmp");
        TolvTest::ClickLater(hotkey, IDCANCEL);
        TolvTest::WaitUntil([&] { return !::IsWindow(hotkey); }, 5000);
    } else {
        ++failures;
    }
    sheet.PressCancel();
    sheet.Closed();
    return failures == 0 ? 0 : 1;
}
