// Prints what one save and one load of the settings file cost; a measurement, not a test.
// Run: ./dev.sh bench, or build/wine-run build/bin/settings_bench.exe
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "configuration/CLoader.h"
#include "tests/configuration/ConfigurationTestSupport.h"
#include "tests/flib/io/IniTestFiles.h"
#include "tests/support/TimePerRun.h"

namespace {

using namespace Configuration;
std::unique_ptr<CConfigurations> WithConditions(int count)
{
    auto configuration = TolvTest::MakeStartupConfiguration();
    CApplications4SwitchOnApplication& list = *configuration->GetSwitchOnApplication()->GetApplications();
    for (int n = 0; n < count; ++n) {
        list.Add(std::make_unique<CApplication4SwitchOnApplication>(MT_WINDOWTEXT, L"無題 - メモ帳 " + std::to_wstring(n), n % 4));
    }
    return configuration;
}

} // namespace

int main()
{
    const TolvTest::TempFolder temp;
    std::printf("settings file, milliseconds per operation:\n");
    int fileNumber = 0;
    for (const int count : {0, 100, 300, 1000}) {
        const std::unique_ptr<CConfigurations> configuration = WithConditions(count);
        // Fewer runs for the big files, so a slow save does not make the bench take minutes.
        const int runs = count >= 1000 ? 5 : count >= 300 ? 10 : 20;
        const double first = TolvTest::MeanTimePerRun<std::milli>(runs, [&] {
            CLoader(temp.File(L"new" + std::to_wstring(fileNumber++) + L".ini")).Save(*configuration);
        });
        CLoader loader(temp.File(L"again" + std::to_wstring(count) + L".ini"));
        loader.Save(*configuration);
        const double again = TolvTest::MeanTimePerRun<std::milli>(runs, [&] { loader.Save(*configuration); });
        auto target = TolvTest::MakeStartupConfiguration();
        const double load = TolvTest::MeanTimePerRun<std::milli>(runs, [&] { loader.Load(*target); });
        std::printf("  %4d conditions: first save %8.2f, save over the file %8.2f, load %8.2f\n", count, first, again,
                    load);
    }
    return 0;
}
