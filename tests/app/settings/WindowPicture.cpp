#include "tests/app/settings/WindowPicture.h"

#include <cstdio>

#include "tests/support/Wait.h"

namespace TolvTest {

namespace {

// Writes `bits` (a bottom-up 24-bit DIB described by `info`) to a bitmap file.
bool WriteBitmap(const BITMAPINFO& info, const void* bits, const std::wstring& path)
{
    const DWORD stride = ((static_cast<DWORD>(info.bmiHeader.biWidth) * 3 + 3) / 4) * 4;
    const DWORD imageSize = stride * static_cast<DWORD>(info.bmiHeader.biHeight);
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
    return saved;
}

// A 24-bit picture the size of `area`; `draw` paints it through the memory DC it is given.
template <typename Draw>
bool SavePicture(const RECT& area, const std::wstring& path, Draw draw)
{
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = area.right - area.left;
    info.bmiHeader.biHeight = area.bottom - area.top;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = ::SelectObject(memory, bitmap);
    draw(screen, memory);
    ::GdiFlush();
    const bool saved = WriteBitmap(info, bits, path);
    ::SelectObject(memory, previous);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return saved;
}

} // namespace

bool SaveWindow(HWND window, const std::wstring& path)
{
    WaitUntil([] { return false; }, 400);
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    return SavePicture(rect, path, [&](HDC screen, HDC memory) {
        ::BitBlt(memory, 0, 0, rect.right - rect.left, rect.bottom - rect.top, screen, rect.left, rect.top, SRCCOPY);
    });
}

} // namespace TolvTest
