#pragma once
// The current user's Run entry that starts tolv at logon. It is the only thing
// tolv writes to the registry; its settings live in the INI file alone.
#include <string>

namespace Tolv {

class StartWithWindows {
public:
    // HKEY_CURRENT_USER\<kRunKey>, value kValueName.
    static constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    static constexpr wchar_t kValueName[] = L"tolv";

    // The entry for the program at `exePath`, a full path.
    explicit StartWithWindows(std::wstring exePath);

    // Full path of the running tolv.exe.
    static std::wstring ThisProgram();
    // What the entry holds: the path in quotes, so that a blank in it starts no argument.
    static std::wstring CommandFor(const std::wstring& exePath);

    // True when the entry starts this program. An entry naming another path
    // (tolv.exe was moved since) is not on: choosing the item rewrites it.
    bool IsOn() const;
    // Writes the entry for this program; true on success.
    bool TurnOn() const;
    // Removes the entry; true when it is gone.
    bool TurnOff() const;
    // What choosing the menu item does: off when on, else on.
    bool Toggle() const { return IsOn() ? TurnOff() : TurnOn(); }

private:
    std::wstring exePath_;
};

} // namespace Tolv
