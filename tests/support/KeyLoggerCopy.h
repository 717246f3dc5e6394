#pragma once
// The 64-bit key logger copied to a folder of the test's choosing, for targets
// whose path matters (a long one, for instance).
#include <string>
#include <vector>

namespace TolvTest {

class KeyLoggerCopy {
public:
    // Copies the logger into `folder` (a full path on a drive, created with its
    // parents) as `fileName`; Path() is empty when that failed.
    KeyLoggerCopy(const std::wstring& folder, const std::wstring& fileName);
    // Deletes the copy and the folders it created.
    ~KeyLoggerCopy();
    KeyLoggerCopy(const KeyLoggerCopy&) = delete;
    KeyLoggerCopy& operator=(const KeyLoggerCopy&) = delete;

    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
    std::vector<std::wstring> created_; // outermost first
};

} // namespace TolvTest
