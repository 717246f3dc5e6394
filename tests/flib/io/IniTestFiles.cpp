#include "tests/flib/io/IniTestFiles.h"

#include <windows.h>

#include <atomic>
#include <stdexcept>
#include <vector>

namespace TolvTest {

namespace {

void RemoveTree(const std::wstring& path)
{
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            const std::wstring child = path + L"\\" + name;
            ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                ::DeleteFileW(child.c_str());
            }
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryW(path.c_str());
}

void WriteRaw(const std::wstring& path, const void* data, DWORD size)
{
    const HANDLE file =
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw std::runtime_error("cannot write a test file");
    }
    DWORD written = 0;
    ::WriteFile(file, data, size, &written, nullptr);
    ::CloseHandle(file);
}

} // namespace

TempFolder::TempFolder()
{
    static std::atomic<int> counter{0};
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH + 1, temp);
    std::wstring base = temp;
    if (!base.empty() && base.back() == L'\\') {
        base.pop_back();
    }
    path_ = base + L"\\tolv-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
    RemoveTree(path_);
    if (!::CreateDirectoryW(path_.c_str(), nullptr)) {
        throw std::runtime_error("cannot create a test folder");
    }
}

TempFolder::~TempFolder() { RemoveTree(path_); }

void WriteUtf16File(const std::wstring& path, const std::wstring& text)
{
    const std::wstring content = L"\xFEFF" + text;
    WriteRaw(path, content.data(), static_cast<DWORD>(content.size() * sizeof(wchar_t)));
}

void WriteBytes(const std::wstring& path, const std::string& bytes)
{
    WriteRaw(path, bytes.data(), static_cast<DWORD>(bytes.size()));
}

std::string ReadBytes(const std::wstring& path)
{
    const HANDLE file =
        ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::string();
    }
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        bytes.append(buffer, read);
    }
    ::CloseHandle(file);
    return bytes;
}

std::wstring ReadText(const std::wstring& path)
{
    const std::string bytes = ReadBytes(path);
    std::wstring text;
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE) {
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                         (static_cast<unsigned char>(bytes[i + 1]) << 8));
        }
    } else {
        for (const char byte : bytes) {
            text += static_cast<wchar_t>(static_cast<unsigned char>(byte));
        }
    }
    return text;
}

} // namespace TolvTest
