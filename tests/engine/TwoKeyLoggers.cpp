#include "tests/engine/TwoKeyLoggers.h"

namespace EngineTest {

using TolvTest::KeyLogBuild;
using TolvTest::KeyLogProcess;

KeyLogProcess* TwoKeyLoggersTest::a = nullptr;
KeyLogProcess* TwoKeyLoggersTest::b = nullptr;

void TwoKeyLoggersTest::SetUpTestSuite()
{
    // Each new window activates itself a little after it appears: wait for that,
    // so it cannot take the foreground from a case later.
    a = new KeyLogProcess(KeyLogBuild::Native, L"TolvWatchA", L"watch A");
    a->BringToFront();
    b = new KeyLogProcess(KeyLogBuild::Native, L"TolvWatchB", L"watch B");
    b->BringToFront();
}

void TwoKeyLoggersTest::TearDownTestSuite()
{
    delete a;
    delete b;
    a = b = nullptr;
}

void TwoKeyLoggersTest::SetUp()
{
    ASSERT_NE(a->Window(), nullptr);
    ASSERT_NE(b->Window(), nullptr);
}

} // namespace EngineTest
