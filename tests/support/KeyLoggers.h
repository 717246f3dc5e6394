#pragma once
// The key logger in both bitnesses as a suite fixture: one 64-bit and one
// 32-bit (WOW64) process for the whole suite, since starting a process costs
// far more than a case.
#include <gtest/gtest.h>

#include <memory>

#include "tests/support/KeyLogProcess.h"

namespace TolvTest {

constexpr wchar_t kKeyLogClass64[] = L"TolvKeyLog64";
constexpr wchar_t kKeyLogClass32[] = L"TolvKeyLog32";
constexpr wchar_t kKeyLogTitle64[] = L"キーログ 64";
constexpr wchar_t kKeyLogTitle32[] = L"キーログ 32";
constexpr char kNo32BitKeyLogger[] =
    "the 32-bit key logger was not built (no 32-bit compiler, or a kernel that runs no 32-bit programs)";

// Base is ::testing::Test or ::testing::TestWithParam<...>.
template <class Base = ::testing::Test>
class WithKeyLoggers : public Base {
public:
    static void SetUpTestSuite()
    {
        // Each new window activates itself a little after it appears: let that
        // happen now, so it cannot take the foreground from a case later.
        native_ = std::make_unique<KeyLogProcess>(KeyLogBuild::Native, kKeyLogClass64, kKeyLogTitle64);
        native_->BringToFront();
        if (KeyLogProcess::Available(KeyLogBuild::Wow64)) {
            wow64_ = std::make_unique<KeyLogProcess>(KeyLogBuild::Wow64, kKeyLogClass32, kKeyLogTitle32);
            wow64_->BringToFront();
        }
    }
    static void TearDownTestSuite()
    {
        native_.reset();
        wow64_.reset();
    }

protected:
    // The suite's logger of that bitness; null when this build has no 32-bit logger.
    static KeyLogProcess* Logger(KeyLogBuild build)
    {
        return build == KeyLogBuild::Native ? native_.get() : wow64_.get();
    }

private:
    static inline std::unique_ptr<KeyLogProcess> native_;
    static inline std::unique_ptr<KeyLogProcess> wow64_;
};

} // namespace TolvTest
