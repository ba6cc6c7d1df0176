// One copy at a time on Windows, across real processes. This program is the
// first copy; other copies of it, started as children, are the later ones.
// A later copy ends at once; it brings the first copy's window forward only
// once that window is published and visible, and it does not wait for the
// first copy to take the request. Copies started together: exactly one
// runs. A copy that ends, however it ends, leaves no claim behind.
#include "platform/win32/win32_platform.h"

#include "platform/instance.h"
#include "sys/instance_guard.h"
#include "win32_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

namespace {

struct Names {
    std::string mutex = children::unique_name("murvale");
    std::string mapping = children::unique_name("map_murvale");
};

int second_copy(const Names& names)
{
    return children::finish(children::start(children::self(), {children::ROLE, "copy", names.mutex, names.mapping}));
}

// The later copy ends while this copy takes no message, whatever it asks
// of the first copy's window; it leaves a window that is published but
// still hidden, as at start-up, alone, and restores a minimised one.
// (Bringing a visible window forward is the end-to-end run's.)
TEST(Win32InstanceGuard, ALaterCopyEndsAndRestoresOnlyAShownWindow)
{
    const Names names;
    InstanceGuard first;
    instance_guard_init(&first);
    ASSERT_EQ(instance_guard_check(&first, names.mutex.c_str(), names.mapping.c_str()), 1);
    platform::Window* window = platform::window_create(nullptr);
    ASSERT_NE(window, nullptr);
    const HWND hwnd = win32_hwnd(window);
    ASSERT_EQ(instance_guard_publish(&first, names.mutex.c_str(), names.mapping.c_str(), window), 1);
    EXPECT_EQ(second_copy(names), children::ENDED);
    children::pump(); // whatever the later copy asked for is in the queue by now
    EXPECT_FALSE(IsWindowVisible(hwnd));

    ShowWindow(hwnd, SW_SHOWMINIMIZED);
    EXPECT_EQ(second_copy(names), children::ENDED);
    EXPECT_TRUE(children::eventually([&] { return IsWindowVisible(hwnd) && !IsIconic(hwnd); }));

    // The window goes before the guard, as at shutdown; then a new copy runs.
    platform::window_destroy(window);
    instance_guard_release(&first);
    EXPECT_EQ(second_copy(names), children::RAN);
}

// Enough copies that a claim made in two steps (look, then create) often
// lets two of them through; no test can force the same instant. The
// copies that lose end; the one that runs holds its claim until killed.
TEST(Win32InstanceGuard, OfCopiesStartedTogetherOneRunsAndItsEndFreesTheClaim)
{
    const Names names;
    const std::string go = children::unique_name("race go");
    const HANDLE go_event = CreateEventA(nullptr, TRUE, FALSE, go.c_str());
    ASSERT_NE(go_event, nullptr);
    std::array<HANDLE, 12> copies{};
    for (HANDLE& copy : copies) {
        copy = children::start(children::self(), {children::ROLE, "copy", names.mutex, names.mapping, go});
        ASSERT_NE(copy, nullptr);
    }
    SetEvent(go_event);
    const auto ended = [&] {
        return std::count_if(copies.begin(), copies.end(),
                             [](HANDLE copy) { return WaitForSingleObject(copy, 0) == WAIT_OBJECT_0; });
    };
    EXPECT_TRUE(children::eventually([&] { return ended() == long(copies.size()) - 1; }));
    platform::InstanceClaim* claim = nullptr;
    EXPECT_EQ(platform::instance_claim(names.mutex.c_str(), &claim), 0) << "the copy that runs holds it";

    // Killed, that copy leaves its claim behind all the same: Windows closes
    // its handles, and the claim goes with them.
    int lost = 0;
    for (HANDLE copy : copies) {
        TerminateProcess(copy, 1);
        lost += children::finish(copy) == children::ENDED;
    }
    EXPECT_EQ(lost, long(copies.size()) - 1);
    EXPECT_EQ(platform::instance_claim(names.mutex.c_str(), &claim), 1);
    platform::instance_release(claim);
    CloseHandle(go_event);
}

} // namespace
