#pragma once
// Two key-logging windows of another process for a whole suite: a process start
// costs far more than a case.
#include <gtest/gtest.h>

#include "tests/support/KeyLogProcess.h"

namespace EngineTest {

// Window classes "TolvWatchA" and "TolvWatchB".
class TwoKeyLoggersTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    // Fails the case when either logger did not start.
    void SetUp() override;

    static TolvTest::KeyLogProcess* a;
    static TolvTest::KeyLogProcess* b;
};

} // namespace EngineTest
