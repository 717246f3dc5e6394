#include "engine/KeySending.h"

#include <windows.h>

#include <vector>

namespace Engine {

using Flib::IO::Input::CKey;
using Flib::IO::Input::CKeys;

static_assert(sizeof(void*) != 8 || sizeof(INPUT) == 40, "SendInput takes 40-byte records on 64-bit Windows");

CKeys BuildSendKeys(const CKeys& stored, std::uint8_t firstModifier)
{
    CKeys keys;
    for (const CKey& key : stored) {
        if (key.GetCode() == firstModifier) {
            keys.AddFront(key);
        } else {
            keys.AddBack(key);
        }
    }
    return keys;
}

namespace {

INPUT KeyEvent(const CKey& key, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key.GetCode();
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(key.GetCode(), MAPVK_VK_TO_VSC));
    input.ki.dwFlags = flags;
    return input;
}

} // namespace

bool Press(const CKeys& keys)
{
    std::vector<INPUT> events;
    events.reserve(keys.Count() * 2);
    for (const CKey& key : keys) {
        events.push_back(KeyEvent(key, 0));
    }
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
        events.push_back(KeyEvent(*key, KEYEVENTF_KEYUP));
    }
    if (events.empty()) {
        return true;
    }
    // One call, so no other input can fall between the keys of the combination.
    const UINT count = static_cast<UINT>(events.size());
    return ::SendInput(count, events.data(), static_cast<int>(sizeof(INPUT))) == count;
}

} // namespace Engine
