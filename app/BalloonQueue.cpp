#include "app/BalloonQueue.h"

#include <iterator>
#include <utility>

namespace Tolv {

void BalloonQueue::Push(Engine::Balloon balloon)
{
    const std::lock_guard<std::mutex> guard(lock_);
    if (waiting_.size() >= kMaxWaiting) {
        waiting_.pop_front();
    }
    waiting_.push_back(std::move(balloon));
}

std::vector<Engine::Balloon> BalloonQueue::TakeAll()
{
    const std::lock_guard<std::mutex> guard(lock_);
    std::vector<Engine::Balloon> taken(std::make_move_iterator(waiting_.begin()),
                                       std::make_move_iterator(waiting_.end()));
    waiting_.clear();
    return taken;
}

} // namespace Tolv
