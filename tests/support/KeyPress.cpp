#include "tests/support/KeyPress.h"

#include <string>

#include "tests/support/TrayClick.h"
#include "tests/support/Wait.h"

namespace TolvTest {

namespace {

const wchar_t* KeySymbol(WORD virtualKey)
{
    switch (virtualKey) {
    case VK_SHIFT:
        return L"Shift_L";
    case VK_CONTROL:
        return L"Control_L";
    case VK_MENU:
        return L"Alt_L";
    default:
        return L"Super_L";
    }
}

bool IsDown(WORD virtualKey) { return (::GetAsyncKeyState(virtualKey) & 0x8000) != 0; }

bool SendKeyEvent(WORD virtualKey, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = flags;
    return ::SendInput(1, &input, sizeof(INPUT)) == 1;
}

} // namespace

void PressKey(WORD virtualKey)
{
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = virtualKey;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, inputs, sizeof(INPUT));
}

HeldKey::HeldKey(WORD virtualKey, Through through) : virtualKey_(virtualKey), through_(through)
{
    const bool pressed = through_ == Through::Keyboard
                             ? StartXdotool(std::wstring(L"keydown ") + KeySymbol(virtualKey_))
                             : SendKeyEvent(virtualKey_, 0);
    down_ = pressed && WaitUntil([this] { return IsDown(virtualKey_); }, 5000);
}

void HeldKey::Release()
{
    if (down_) {
        if (through_ == Through::Keyboard) {
            StartXdotool(std::wstring(L"keyup ") + KeySymbol(virtualKey_));
        } else {
            SendKeyEvent(virtualKey_, KEYEVENTF_KEYUP);
        }
        WaitUntil([this] { return !IsDown(virtualKey_); }, 5000);
        down_ = false;
    }
}

} // namespace TolvTest
