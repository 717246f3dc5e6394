// The hand-over of balloons from the watcher thread to the main window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/BalloonQueue.h"

namespace {

using Tolv::BalloonQueue;

std::vector<std::wstring> Titles(const std::vector<Engine::Balloon>& balloons)
{
    std::vector<std::wstring> titles;
    for (const Engine::Balloon& balloon : balloons) {
        titles.push_back(balloon.title);
    }
    return titles;
}

TEST(BalloonQueueTest, HandsOverInOrderAndKeepsOnlyTheNewestWhenTheMainThreadLagsBehind)
{
    BalloonQueue queue;
    queue.Push({L"1", L"a"});
    queue.Push({L"2", L"b"});
    EXPECT_EQ(Titles(queue.TakeAll()), (std::vector<std::wstring>{L"1", L"2"}));
    EXPECT_TRUE(queue.TakeAll().empty()) << "a balloon was handed over twice";

    std::vector<std::wstring> newest;
    for (size_t i = 0; i < BalloonQueue::kMaxWaiting + 3; ++i) {
        queue.Push({std::to_wstring(i), L"text"});
        if (i >= 3) {
            newest.push_back(std::to_wstring(i));
        }
    }
    EXPECT_EQ(Titles(queue.TakeAll()), newest);
}

} // namespace
