#pragma once
// Balloons on their way from the watcher thread to the main window, which owns
// the tray icon. The window message that announces them carries nothing, so a
// message of that number from any other program can do no harm.
#include <cstddef>
#include <deque>
#include <mutex>
#include <vector>

#include "engine/Balloon.h"

namespace Tolv {

class BalloonQueue {
public:
    // A stalled main thread must not make the queue grow without end; only
    // the newest balloon stays on screen anyway.
    static constexpr std::size_t kMaxWaiting = 8;

    // Any thread; drops the oldest waiting balloon when full.
    void Push(Engine::Balloon balloon);
    // Everything waiting, oldest first, leaving the queue empty.
    std::vector<Engine::Balloon> TakeAll();

private:
    std::mutex lock_;
    std::deque<Engine::Balloon> waiting_;
};

} // namespace Tolv
