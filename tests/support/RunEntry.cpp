#include "tests/support/RunEntry.h"

namespace TolvTest {

namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kValueName[] = L"tolv";

} // namespace

std::optional<std::wstring> ReadRunEntry()
{
    wchar_t text[2048] = {};
    DWORD bytes = sizeof(text);
    if (::RegGetValueW(HKEY_CURRENT_USER, kRunKey, kValueName, RRF_RT_REG_SZ | RRF_NOEXPAND, nullptr, text, &bytes) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::wstring(text);
}

void WriteRunEntry(const std::wstring& command)
{
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, kValueName, REG_SZ, command.c_str(),
                      static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
}

void DeleteRunEntry() { ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kValueName); }

RunEntryGuard::RunEntryGuard()
{
    DWORD bytes = 0;
    if (::RegGetValueW(HKEY_CURRENT_USER, kRunKey, kValueName, RRF_RT_ANY | RRF_NOEXPAND, &type_, nullptr, &bytes) ==
        ERROR_SUCCESS) {
        data_.resize(bytes);
        existed_ = ::RegGetValueW(HKEY_CURRENT_USER, kRunKey, kValueName, RRF_RT_ANY | RRF_NOEXPAND, &type_,
                                  data_.data(), &bytes) == ERROR_SUCCESS;
        data_.resize(bytes);
    }
    DeleteRunEntry();
}

RunEntryGuard::~RunEntryGuard()
{
    DeleteRunEntry();
    if (existed_) {
        ::RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, kValueName, type_, data_.data(), static_cast<DWORD>(data_.size()));
    }
}

} // namespace TolvTest
