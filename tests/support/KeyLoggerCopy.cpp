#include "tests/support/KeyLoggerCopy.h"

#include <windows.h>

#include "tests/support/KeyLogProcess.h"

namespace TolvTest {

KeyLoggerCopy::KeyLoggerCopy(const std::wstring& folder, const std::wstring& fileName)
{
    for (std::size_t end = folder.find(L'\\', 3); ; end = folder.find(L'\\', end + 1)) {
        const std::wstring part = folder.substr(0, end);
        if (::CreateDirectoryW(part.c_str(), nullptr)) {
            created_.push_back(part);
        } else if (::GetLastError() != ERROR_ALREADY_EXISTS) {
            return;
        }
        if (end == std::wstring::npos) {
            break;
        }
    }
    const std::wstring path = folder + L"\\" + fileName;
    if (::CopyFileW(KeyLogProcess::ExePath(KeyLogBuild::Native).c_str(), path.c_str(), FALSE)) {
        path_ = path;
    }
}

KeyLoggerCopy::~KeyLoggerCopy()
{
    if (!path_.empty()) {
        ::DeleteFileW(path_.c_str());
    }
    for (auto folder = created_.rbegin(); folder != created_.rend(); ++folder) {
        ::RemoveDirectoryW(folder->c_str());
    }
}

} // namespace TolvTest
