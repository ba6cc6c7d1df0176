// The headless desktop around the window, for tests: a work area the test
// sets, the requests that reached window_request_raise (from any thread), and
// program launches that only pretend, so a test never starts a real program.
#pragma once

#include "platform/types.h"
#include "platform/window.h"

#include <string>
#include <vector>

namespace headless {

inline constexpr int DESKTOP_WIDTH = 1400;
inline constexpr int DESKTOP_HEIGHT = 1100;

// Back to the whole desktop as work area, no requests, no launches, nothing
// launchable. headless::reset() does this too.
void system_reset();

// The work area; the whole desktop unless a test says otherwise.
void set_work_area(RECT area);

// Requests to raise a window, counted as they arrive, and the window named
// by the latest.
int raise_requests();
platform::Window* last_raise_window();

// launch() succeeds only for a program marked present here.
void set_launchable(const std::string& program, bool present = true);
// Every launch tried, in order, with its whole argv.
const std::vector<std::vector<std::string>>& launches();
// The programs launched so far end; until then they run.
void end_launched();

} // namespace headless
