// Polls for something that must happen, giving up only after a generous
// while: it says whether it happened, never how fast.
#pragma once

#include <chrono>
#include <functional>
#include <thread>

inline bool eventually(const std::function<bool()>& done)
{
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!done()) {
        if (std::chrono::steady_clock::now() > give_up) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}
