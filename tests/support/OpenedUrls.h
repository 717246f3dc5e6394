#pragma once
// Addresses that processes of the test prefix asked the browser to open.
// Under Wine the browser is a stand-in that writes them to a log (see dev.sh).
#include <string>
#include <vector>

namespace TolvTest {

bool OpenedUrlsAreRecorded();
void ForgetOpenedUrls();
std::vector<std::string> OpenedUrls();

} // namespace TolvTest
