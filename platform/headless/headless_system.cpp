// The headless backend's desktop services: work area, raise requests and
// pretended launches.
#include "platform/headless/headless_system.h"

#include "platform/system.h"

#include <algorithm>
#include <atomic>

namespace {

struct SystemState {
    RECT work_area{0, 0, headless::DESKTOP_WIDTH, headless::DESKTOP_HEIGHT};
    std::vector<std::string> launchable;
    std::vector<std::vector<std::string>> launches;
    int running = 0;
};

SystemState& system_state()
{
    static SystemState s;
    return s;
}

// The guard's listener thread raises; the test thread reads.
std::atomic<int> raise_count{0};
std::atomic<platform::Window*> raise_window{nullptr};

} // namespace

namespace platform {

RECT work_area()
{
    return system_state().work_area;
}

int launch(Window*, const char* const* argv)
{
    if (!argv || !argv[0]) return 0;
    SystemState& s = system_state();
    std::vector<std::string>& tried = s.launches.emplace_back();
    for (const char* const* arg = argv; *arg; ++arg) tried.emplace_back(*arg);
    const bool started = std::find(s.launchable.begin(), s.launchable.end(), tried[0]) != s.launchable.end();
    s.running += started;
    return started ? 1 : 0;
}

bool launched_running()
{
    return system_state().running > 0;
}

// Only recorded: the window is never touched here, so a request naming a
// window that is already gone is harmless.
void window_request_raise(Window* window)
{
    raise_window.store(window);
    raise_count.fetch_add(1);
}

} // namespace platform

namespace headless {

void system_reset()
{
    system_state() = SystemState{};
    raise_count.store(0);
    raise_window.store(nullptr);
}

void set_work_area(RECT area)
{
    system_state().work_area = area;
}

int raise_requests()
{
    return raise_count.load();
}

platform::Window* last_raise_window()
{
    return raise_window.load();
}

void set_launchable(const std::string& program, bool present)
{
    std::vector<std::string>& list = system_state().launchable;
    list.erase(std::remove(list.begin(), list.end(), program), list.end());
    if (present) list.push_back(program);
}

const std::vector<std::vector<std::string>>& launches()
{
    return system_state().launches;
}

void end_launched()
{
    system_state().running = 0;
}

} // namespace headless
