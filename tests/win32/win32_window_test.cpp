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

#include <ostream>
#include <vector>

namespace {

struct Sent {
    UINT message;
    WPARAM wparam = 0;
    LPARAM lparam = 0;
};

// What a message left behind.
struct Seen {
    LRESULT answer = 0;
    int active = 1;
    bool key = false;      // '1' held in the key table
    bool captured = false; // the window has the mouse
    int reset = 0;
    bool iconic = false;
    bool modal = false; // a message loop ran inside the send (the menu bar taken by Alt)
    bool quit = false;  // a WM_QUIT waits in the queue...
    bool window = true; // ...and the window is still there
    bool operator==(const Seen&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Seen& s)
{
    return out << "answer " << s.answer << ", active " << s.active << ", key " << s.key << ", captured " << s.captured
               << ", reset " << s.reset << ", iconic " << s.iconic << ", modal " << s.modal << ", quit " << s.quit
               << ", window " << s.window;
}

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

    // A fresh window, the game's modules as at start-up.
    void open()
    {
        key_state_reset();
        main_window_state_reset();
        frame_loop_state_reset();
        window = platform::window_create(main_window_proc);
        ASSERT_NE(window, nullptr);
        hwnd = win32_hwnd(window);
    }
    void close()
    {
        // The key table forgets buttons but not its capture: let go of it.
        send({WM_LBUTTONUP});
        send({WM_RBUTTONUP});
        platform::window_destroy(window);
    }

    LRESULT send(const Sent& s) { return SendMessageA(hwnd, s.message, s.wparam, s.lparam); }

    Seen seen_after(const Sent& s)
    {
        loops_seen = 0;
        const UINT_PTR timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, in_a_loop);
        Seen seen;
        seen.answer = send(s);
        KillTimer(nullptr, timer);
        seen.modal = loops_seen > 0;
        seen.active = window_active();
        seen.key = key_held('1');
        seen.captured = GetCapture() == hwnd;
        seen.reset = reset_requested();
        seen.iconic = IsIconic(hwnd);
        MSG m;
        seen.quit = PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        seen.window = IsWindow(hwnd);
        return seen;
    }

    platform::Window* window = nullptr;
    HWND hwnd = nullptr;
};

TEST_F(Win32Window, EachMessageIsAnsweredAndDoesWhatItShould)
{
    // Unless a case says otherwise: answered 0, the window active (since
    // WM_CREATE), nothing held, nothing asked for.
    const Sent key_down{WM_KEYDOWN, '1'}, deactivate{WM_ACTIVATE, WA_INACTIVE}, minimise{WM_SYSCOMMAND, SC_MINIMIZE};
    const struct {
        const char* what;
        std::vector<Sent> before;
        Sent message;
        Seen want;
    } cases[] = {
        {"created", {deactivate}, {WM_CREATE}, {}},
        {"deactivated: the keys stay", {key_down}, deactivate, {.active = 0, .key = true}},
        {"activated: the keys go", {key_down, deactivate}, {WM_ACTIVATE, WA_ACTIVE}, {}},
        {"active already: the keys stay", {key_down}, {WM_ACTIVATE, WA_ACTIVE}, {.key = true}},
        {"minimised", {key_down}, {WM_SIZE, SIZE_MINIMIZED}, {.active = 0, .key = true}},
        {"restored", {key_down, {WM_SIZE, SIZE_MINIMIZED}}, {WM_SIZE, SIZE_RESTORED}, {}},
        {"key down", {}, key_down, {.key = true}},
        {"key up", {key_down}, {WM_KEYUP, '1'}, {}},
        {"left button down", {}, {WM_LBUTTONDOWN}, {.captured = true}},
        {"left up, right still down", {{WM_LBUTTONDOWN}, {WM_RBUTTONDOWN}}, {WM_LBUTTONUP}, {.captured = true}},
        {"right up", {{WM_RBUTTONDOWN}}, {WM_RBUTTONUP}, {}},
        {"close box", {}, {WM_CLOSE}, {.quit = true}},
        {"menu: Close", {}, {WM_COMMAND, COMMAND_CLOSE}, {.quit = true}},
        {"menu: Reset", {}, {WM_COMMAND, COMMAND_RESET}, {.reset = 1}},
        {"Alt", {}, {WM_SYSCOMMAND, SC_KEYMENU}, {}},
        {"screen saver", {}, {WM_SYSCOMMAND, SC_SCREENSAVE}, {}},
        {"monitor off", {}, {WM_SYSCOMMAND, SC_MONITORPOWER, 2}, {}},
        {"minimise box", {}, minimise, {.active = 0, .iconic = true}},
        {"restored from the task bar", {minimise}, {WM_SYSCOMMAND, SC_RESTORE}, {}},
        {"Alt+F4", {}, {WM_SYSCOMMAND, SC_CLOSE}, {.quit = true}},
        {"anything else is the system's", {}, {WM_SETTEXT, 0, LPARAM("Quobbin")}, {.answer = TRUE}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        close();
        open();
        for (const Sent& s : c.before) send(s);
        EXPECT_EQ(seen_after(c.message), c.want);
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
