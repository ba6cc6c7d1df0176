// The game window's procedure, message by message, on a real window: what
// each message is answered, and what it does to the game (activation, the
// key table, the mouse capture, the quit message, the reset request) and to
// the window (minimised, still there). Alt, the screen saver and the
// monitor's power switch are swallowed; the other system commands take
// their usual course; the input method is closed as soon as it opens.
#include "platform/win32/win32_platform.h"

#include "app/frame_loop.h"
#include "app/main_window.h"
#include "input/keys.h"

#include <gtest/gtest.h>

#include <imm.h>

#include <string>
#include <utility>
#include <vector>

namespace {

struct Sent {
    UINT message;
    WPARAM wparam = 0;
    LPARAM lparam = 0;
};

int loops_seen = 0;

// Fires only where a message loop runs; ends a menu that loop tracks.
void CALLBACK in_a_loop(HWND, UINT, UINT_PTR, DWORD)
{
    ++loops_seen;
    EndMenu();
}

class Win32Window : public testing::Test {
protected:
    void SetUp() override { open(); }
    void TearDown() override { close(); }

    // A fresh window, the game's modules as at start-up. Windows 10 and 11
    // give a program that asks for nothing a 15.6 ms timer, where a 1 ms
    // sleep lasts 15.6 ms: the window holds a 1 ms period while it lives.
    void open()
    {
        key_state_reset();
        main_window_state_reset();
        frame_loop_state_reset();
        window = platform::window_create(main_window_proc);
        ASSERT_NE(window, nullptr);
        hwnd = win32_hwnd(window);
        EXPECT_EQ(win32_timer_periods(), 1);
    }
    void close()
    {
        // The key table forgets buttons but not its capture: let go of it.
        send({WM_LBUTTONUP});
        send({WM_RBUTTONUP});
        platform::window_destroy(window);
        EXPECT_EQ(win32_timer_periods(), 0);
    }

    LRESULT send(const Sent& s) { return SendMessageA(hwnd, s.message, s.wparam, s.lparam); }

    // What the message was answered and left behind, where it differs
    // from a fresh window: "inactive", "key" ('1' held in the key table),
    // "captured" (the window has the mouse), "reset", "iconic", "modal" (a
    // message loop ran inside the send: the menu bar taken by Alt), "quit"
    // (a WM_QUIT waits in the queue), "gone" (the window is not there).
    std::string seen_after(const Sent& s)
    {
        loops_seen = 0;
        const UINT_PTR timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, in_a_loop);
        std::string seen = "answer " + std::to_string(send(s));
        KillTimer(nullptr, timer);
        MSG m;
        const std::pair<const char*, bool> flags[] = {
            {"inactive", !window_active()},
            {"key", key_held('1')},
            {"captured", GetCapture() == hwnd},
            {"reset", reset_requested()},
            {"iconic", IsIconic(hwnd)},
            {"modal", loops_seen > 0},
            {"quit", PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)},
            {"gone", !IsWindow(hwnd)},
        };
        for (const auto& [what, shown] : flags)
            if (shown) seen += std::string(" ") + what;
        return seen;
    }

    platform::Window* window = nullptr;
    HWND hwnd = nullptr;
};

TEST_F(Win32Window, EachMessageIsAnsweredAndDoesWhatItShould)
{
    // The key table and the reset request are the game's; what the rest of
    // the game does with them, and the title and the menu's Reset, are the
    // end-to-end run's.
    const Sent key_down{WM_KEYDOWN, '1'}, deactivate{WM_ACTIVATE, WA_INACTIVE}, minimise{WM_SYSCOMMAND, SC_MINIMIZE};
    const struct {
        const char* what;
        std::vector<Sent> before;
        Sent message;
        const char* seen;
    } cases[] = {
        {"created", {deactivate}, {WM_CREATE}, "answer 0"},
        {"deactivated: the keys stay", {key_down}, deactivate, "answer 0 inactive key"},
        {"activated: the keys go", {key_down, deactivate}, {WM_ACTIVATE, WA_ACTIVE}, "answer 0"},
        {"active already: the keys stay", {key_down}, {WM_ACTIVATE, WA_ACTIVE}, "answer 0 key"},
        {"minimised", {key_down}, {WM_SIZE, SIZE_MINIMIZED}, "answer 0 inactive key"},
        {"restored", {key_down, {WM_SIZE, SIZE_MINIMIZED}}, {WM_SIZE, SIZE_RESTORED}, "answer 0"},
        {"key up", {key_down}, {WM_KEYUP, '1'}, "answer 0"},
        {"left button down", {}, {WM_LBUTTONDOWN}, "answer 0 captured"},
        {"left up, right still down", {{WM_LBUTTONDOWN}, {WM_RBUTTONDOWN}}, {WM_LBUTTONUP}, "answer 0 captured"},
        {"right up", {{WM_RBUTTONDOWN}}, {WM_RBUTTONUP}, "answer 0"},
        {"close box", {}, {WM_CLOSE}, "answer 0 quit"},
        {"menu: Close", {}, {WM_COMMAND, COMMAND_CLOSE}, "answer 0 quit"},
        {"Alt", {}, {WM_SYSCOMMAND, SC_KEYMENU}, "answer 0"},
        {"screen saver", {}, {WM_SYSCOMMAND, SC_SCREENSAVE}, "answer 0"},
        {"monitor off", {}, {WM_SYSCOMMAND, SC_MONITORPOWER, 2}, "answer 0"},
        {"minimise box", {}, minimise, "answer 0 inactive iconic"},
        {"restored from the task bar", {minimise}, {WM_SYSCOMMAND, SC_RESTORE}, "answer 0"},
        {"Alt+F4", {}, {WM_SYSCOMMAND, SC_CLOSE}, "answer 0 quit"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        close();
        open();
        for (const Sent& s : c.before) send(s);
        EXPECT_EQ(seen_after(c.message), c.seen);
    }
}

// Opened by the system or the user, the input method closes again. (A
// window without an input context has nothing to close.)
TEST_F(Win32Window, TheInputMethodIsClosedWhenItOpens)
{
    const HIMC context = ImmGetContext(hwnd);
    if (!context) GTEST_SKIP() << "the window has no input context";
    ImmSetOpenStatus(context, TRUE);
    EXPECT_EQ(SendMessageA(hwnd, WM_IME_NOTIFY, IMN_SETOPENSTATUS, 0), 0);
    EXPECT_FALSE(ImmGetOpenStatus(context));
    ImmReleaseContext(hwnd, context);
}

} // namespace
