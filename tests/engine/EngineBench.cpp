// Prints what one engine decision and one watcher cycle cost, and how fast the watcher
// thread switches; a measurement, not a test. Run: ./dev.sh bench
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "configuration/CConfigurations.h"
#include "engine/ForegroundWatcher.h"
#include "engine/SwitchEngine.h"
#include "tests/engine/WatcherBench.h"
#include "tests/support/TimePerRun.h"

namespace {

using namespace Configuration;
// None of them holds for the bench window, so every decision scans the whole list.
std::unique_ptr<CConfigurations> WithConditions(int count)
{
    auto configuration = std::make_unique<CConfigurations>();
    configuration->GetSystem()->SetProcessed(PP_NONE);
    CApplications4SwitchOnApplication& list = *configuration->GetSwitchOnApplication()->GetApplications();
    for (int n = 0; n < count; ++n) {
        const std::wstring number = std::to_wstring(n);
        if (n % 2 == 0) {
            list.Add(std::make_unique<CApplication4SwitchOnApplication>(MT_WINDOWTEXT, L"no such window " + number, 0));
        } else {
            list.Add(std::make_unique<CApplication4SwitchOnApplication>(MT_WINDOWTEXT_REGEX,
                                                                        L".*no such (window|title) " + number, 0));
        }
    }
    return configuration;
}

} // namespace

int main()
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TolvBenchWindow";
    ::RegisterClassExW(&windowClass);
    const HWND window = ::CreateWindowExW(0, windowClass.lpszClassName, L"ベンチ window", WS_OVERLAPPED, 0, 0, 200,
                                          100, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (window == nullptr) {
        std::printf("could not create the bench window\n");
        return 1;
    }

    const CConfigurations defaults;
    Engine::SwitchEngine engine(defaults, ::GetModuleHandleW(nullptr), [](Engine::Balloon) {});

    std::printf("SwitchForWindow, describe and decide, no condition holding (half of them patterns),\n"
                "and ApplySettings on the main thread, which compiles them:\n");
    for (const int count : {0, 10, 100, 1000}) {
        const auto settings = WithConditions(count);
        const int runs = count >= 1000 ? 20 : 200;
        const double applyMs =
            TolvTest::MeanTimePerRun<std::milli>(runs, [&] { engine.ApplySettings(*settings); });
        const double us = TolvTest::MeanTimePerRun<std::micro>(runs, [&] { engine.SwitchForWindow(window); });
        std::printf("  %4d conditions: %10.1f us a decision, %8.2f ms to apply\n", count, us, applyMs);
    }

    engine.ApplySettings(*WithConditions(0));
    const HWND inFront = ::GetForegroundWindow();
    Engine::WatcherCycle cycle(engine);
    auto now = Engine::WatcherCycle::Clock::now();
    cycle.Run(inFront, now); // the first run switches and prunes
    std::printf("watcher cycle, foreground unchanged:\n");
    std::printf("  idle:                %10.2f us\n",
                TolvTest::MeanTimePerRun<std::micro>(10000, [&] { cycle.Run(inFront, now); }));

    // One process remembered, still alive, so every prune enumerates and nothing is dropped.
    const auto remembering = WithConditions(0);
    remembering->GetSystem()->SetProcessed(PP_PROCESSID);
    engine.ApplySettings(*remembering);
    engine.SwitchForWindow(window);
    std::printf("  with the prune:      %10.2f us\n",
                TolvTest::MeanTimePerRun<std::micro>(
                    200, [&] { cycle.Run(inFront, now += Engine::WatcherCycle::kPruneInterval); }));

    ::DestroyWindow(window);
    return EngineBench::BenchWatcher() ? 0 : 1;
}
