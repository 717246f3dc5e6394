#include "tests/support/OpenedUrls.h"

#include <cstdlib>
#include <cstdio>
#include <fstream>

namespace TolvTest {

namespace {
// The log's Unix path, as the Windows path Wine maps it to.
std::string LogPath()
{
    const char* unixPath = std::getenv("TOLV_OPENED_URLS");
    if (unixPath == nullptr) {
        return {};
    }
    std::string path = std::string("Z:") + unixPath;
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
}
} // namespace

bool OpenedUrlsAreRecorded() { return !LogPath().empty(); }

void ForgetOpenedUrls()
{
    if (OpenedUrlsAreRecorded()) {
        std::remove(LogPath().c_str());
    }
}

std::vector<std::string> OpenedUrls()
{
    std::vector<std::string> urls;
    std::ifstream log(LogPath());
    for (std::string line; std::getline(log, line);) {
        if (!line.empty()) {
            urls.push_back(line);
        }
    }
    return urls;
}

} // namespace TolvTest
