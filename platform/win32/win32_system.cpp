// The clock, the executable's folder, the desktop and launching, on
// Windows. The resources and the joystick have files of their own.
#include "platform/win32/win32_platform.h"

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/system.h"

#include <mmsystem.h>
#include <shellapi.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

namespace {

// Room for the parameters of one launch. A command line that does not fit
// is not started at all: a cut one would start something else.
constexpr size_t PARAMETERS_SIZE = 1024;
// Longer module paths than this count as not found; the game's own
// folders never come near it.
constexpr DWORD MODULE_PATH_SIZE = 4 * MAX_PATH;

// The programs launched, as long as they may still run; a launch that
// finds no free place is not followed.
std::array<HANDLE, 4> launched{};

bool is_separator(char c)
{
    return c == '\\' || c == '/';
}

// Appends one argument the way programs split their command line again
// (CommandLineToArgvW's rules): plain when it has no blank or quote, else
// in quotes, with a backslash doubled where a quote follows it.
bool append_argument(char* out, size_t size, size_t* used, const char* arg)
{
    size_t n = *used;
    const auto put = [&](char c) {
        if (n + 1 >= size) return false;
        out[n++] = c;
        return true;
    };
    if (n > 0 && !put(' ')) return false;
    const bool plain = *arg && !std::strpbrk(arg, " \t\n\v\"");
    if (plain) {
        for (const char* p = arg; *p; ++p)
            if (!put(*p)) return false;
    } else {
        if (!put('"')) return false;
        for (const char* p = arg;; ++p) {
            size_t backslashes = 0;
            for (; *p == '\\'; ++p) ++backslashes;
            // Before a quote, and before the closing quote, each backslash
            // counts twice; elsewhere it stands for itself.
            const size_t count = (*p == '"' || !*p) ? 2 * backslashes : backslashes;
            for (size_t i = 0; i < count; ++i)
                if (!put('\\')) return false;
            if (!*p) break;
            if (*p == '"' && !put('\\')) return false;
            if (!put(*p)) return false;
        }
        if (!put('"')) return false;
    }
    out[n] = 0;
    *used = n;
    return true;
}

} // namespace

namespace platform {

// A 1 ms counter (GetTickCount moves in the timer's 15.6 ms steps, whatever
// period the window asked for); like every tick count here it wraps at
// 2^32, which the game's unsigned differences take in their stride.
uint32_t clock_ticks()
{
    return timeGetTime();
}

void clock_sleep(uint32_t ms)
{
    Sleep(ms);
}

int clock_local_seconds()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return now.wSecond % 60; // a leap second reads as 0
}

int executable_dir(char* out, size_t size)
{
    char path[MODULE_PATH_SIZE];
    const DWORD n = GetModuleFileNameA(nullptr, path, MODULE_PATH_SIZE);
    if (n == 0 || n >= MODULE_PATH_SIZE) return 0; // MODULE_PATH_SIZE means cut short
    size_t end = n;
    while (end > 0 && !is_separator(path[end - 1])) --end; // the file name
    while (end > 1 && is_separator(path[end - 1])) --end;  // its separators
    if (end == 0 || end >= size) return 0;
    std::memcpy(out, path, end);
    out[end] = 0;
    return 1;
}

// The game keeps its files in the working directory, as it always has.
int data_file_path(const char* name, char* out, size_t size)
{
    const int n = std::snprintf(out, size, "%s", name ? name : "");
    return n > 0 && size_t(n) < size ? 1 : 0;
}

quobbin::RECT work_area()
{
    ::RECT area{};
    if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) return core_rect(area);
    // Without an answer the whole primary screen is the best guess.
    return quobbin::RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void window_move_and_show(Window* window, int x, int y)
{
    const HWND hwnd = win32_hwnd(window);
    if (hwnd) {
        SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        UpdateWindow(hwnd);
    }
}

int launch(Window* owner, const char* const* argv)
{
    if (!argv || !argv[0]) return 0;
    char parameters[PARAMETERS_SIZE] = {};
    size_t used = 0;
    for (const char* const* arg = argv + 1; *arg; ++arg)
        if (!append_argument(parameters, sizeof parameters, &used, *arg)) return 0;
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI; // a program not found is our answer, not a box
    info.hwnd = win32_hwnd(owner);
    info.lpVerb = "open";
    info.lpFile = argv[0];
    info.lpParameters = used ? parameters : nullptr;
    info.nShow = SW_SHOW;
    if (!ShellExecuteExA(&info)) return 0;
    // The shell may hand the file to a program already running: then there
    // is no process of ours to follow.
    if (info.hProcess) {
        launched_running(); // frees the places of those that ended
        HANDLE* free = std::find(launched.begin(), launched.end(), HANDLE(nullptr));
        if (free != launched.end())
            *free = info.hProcess;
        else
            CloseHandle(info.hProcess);
    }
    return 1;
}

bool launched_running()
{
    bool any = false;
    for (HANDLE& process : launched) {
        if (!process) continue;
        if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
            any = true;
        } else {
            CloseHandle(process);
            process = nullptr;
        }
    }
    return any;
}

} // namespace platform
