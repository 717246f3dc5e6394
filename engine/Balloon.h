#pragma once
// A balloon tip as the engine words it; whoever owns the tray icon shows it.
#include <functional>
#include <string>

namespace Engine {

struct Balloon {
    std::wstring title;
    std::wstring text;
};

// Called on the watcher thread; must not block on the main thread.
using BalloonSink = std::function<void(Balloon)>;

} // namespace Engine
