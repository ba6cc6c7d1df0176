// The main window on Windows: the class "Main", the window with its menu,
// the window procedure, the message queue, the About dialog and the message
// box. The game's own handler (app/main_window.cpp) gets the messages it
// knows; what only Windows has is settled here: the system commands that
// would open the menu from the keyboard, start the screen saver or switch
// the monitor off are swallowed, and the input method is closed as soon as
// it opens, so keys always arrive as plain key messages.
#include "platform/win32/win32_window_record.h"
#include "res/resource_ids.h"

#include <commctrl.h>
#include <imm.h>

#include <new>

namespace {

using platform::Window;

constexpr const char* CLASS_NAME = "Main";
constexpr const char* MENU_NAME = "MENU_MAIN";
constexpr const char* ICON_NAME = "0";
constexpr const char* ABOUT_DIALOG = "DLG_ABOUT";
// A caption, a system menu and a minimise box: no sizing border, no
// maximise box. Created hidden; centring shows it.
constexpr DWORD WINDOW_STYLE = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr UINT_PTR CLASS_BRUSH = COLOR_APPWORKSPACE + 1;

Window* main_window = nullptr;
// The message message_get took last, handed on whole by message_dispatch.
MSG last_message{};

// Every message the game or this procedure handles is answered with 0; the
// rest are the system's. WM_CLOSE is the game's too: the window stays until
// the frame loop has ended, and start-up destroys it. WM_CANCELMODE (a
// dialog opening, the capture taken away) lets the game let go of its keys
// and buttons, and the system still ends its own modes.
LRESULT CALLBACK main_window_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (main_window && !main_window->hwnd) main_window->hwnd = hwnd; // messages sent while it is made
    if (platform::handler_message(message)) {
        if (main_window && main_window->handler) main_window->handler(main_window, message, wparam, lparam);
        if (message != WM_CANCELMODE) return 0;
    }
    switch (message) {
    case WM_SYSCOMMAND:
        // Exactly these three; Alt+F4 and the menu opened with the mouse
        // take their usual course (the answer is 0 all the same).
        if (wparam == SC_KEYMENU || wparam == SC_SCREENSAVE || wparam == SC_MONITORPOWER) return 0;
        DefWindowProcA(hwnd, message, wparam, lparam);
        return 0;
    case WM_IME_NOTIFY:
        if (wparam == IMN_SETOPENSTATUS) {
            const HIMC context = ImmGetContext(hwnd);
            ImmSetOpenStatus(context, FALSE);
            ImmReleaseContext(hwnd, context);
        }
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wparam, lparam);
    }
}

// The window rectangle around a client area at (0, 0) of this size.
::RECT frame_around(int width, int height)
{
    ::RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, WINDOW_STYLE, TRUE, 0);
    return r;
}

int register_main_class(HINSTANCE instance, const char* class_name, WNDPROC procedure)
{
    WNDCLASSEXA c{};
    c.cbSize = sizeof c;
    c.style = CS_HREDRAW | CS_VREDRAW;
    c.lpfnWndProc = procedure;
    c.hInstance = instance;
    c.hIcon = LoadIconA(instance, ICON_NAME);
    c.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    c.hbrBackground = reinterpret_cast<HBRUSH>(CLASS_BRUSH);
    c.lpszClassName = class_name;
    return RegisterClassExA(&c) != 0 ? 1 : 0;
}

struct AboutTexts {
    const char* title;
    const char* date;
};

// OK and Enter close the box; Escape (the cancel command) does not.
INT_PTR CALLBACK about_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG: {
        const auto* texts = reinterpret_cast<const AboutTexts*>(lparam);
        SetDlgItemTextA(dialog, ABOUT_TITLE_ITEM, texts->title);
        SetDlgItemTextA(dialog, ABOUT_DATE_ITEM, texts->date);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wparam) == IDOK) EndDialog(dialog, 1);
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

HWND win32_hwnd(platform::Window* window)
{
    return window ? window->hwnd : nullptr;
}

namespace platform {

// The class is registered once for the process; a second window (the tests
// make several) finds it there.
Window* window_create(MessageHandler handler)
{
    InitCommonControls();
    const HINSTANCE instance = win32_instance();
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (!GetClassInfoExA(instance, CLASS_NAME, &existing) &&
        !register_main_class(instance, CLASS_NAME, main_window_procedure))
        return nullptr;
    const HMENU menu = LoadMenuA(instance, MENU_NAME);
    auto* w = new (std::nothrow) Window;
    if (!w) return nullptr;
    w->handler = handler;
    main_window = w;
    const HWND hwnd = CreateWindowExA(0, CLASS_NAME, "", WINDOW_STYLE, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr,
                                      menu, instance, nullptr);
    if (!hwnd) {
        main_window = nullptr;
        delete w;
        return nullptr;
    }
    w->hwnd = hwnd;
    return w;
}

void window_destroy(Window* window)
{
    if (!window) return;
    DestroyWindow(window->hwnd);
    if (main_window == window) main_window = nullptr;
    delete window;
}

void window_set_title(Window* window, const char* title)
{
    if (window) SetWindowTextA(window->hwnd, title ? title : "");
}

// The fixed frame, the caption and the menu bar around a client area of
// exactly width x height. The system adds them up itself: a sum of the
// frame, caption and menu metrics comes out right on some systems and a
// border too large on others (under Wine the client area grew to 642x482).
void window_set_client_size(Window* window, int width, int height)
{
    if (!window) return;
    const ::RECT frame = frame_around(width, height);
    SetWindowPos(window->hwnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top, SWP_NOMOVE);
}

void window_show(Window* window)
{
    if (window) ShowWindow(window->hwnd, SW_SHOWNORMAL);
}

quobbin::RECT window_rect(Window* window)
{
    ::RECT r{0, 0, 0, 0};
    if (window) GetWindowRect(window->hwnd, &r);
    return core_rect(r);
}

// Where the client area starts inside the window, by the same arithmetic
// that sizes the window, so the present lands exactly on the client area.
void window_client_offset(int* x, int* y)
{
    const ::RECT frame = frame_around(0, 0);
    *x = -frame.left;
    *y = -frame.top;
}

bool message_peek()
{
    MSG m;
    return PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE) != 0;
}

// Window messages and input end the wait early.
void message_wait(uint32_t ms)
{
    MsgWaitForMultipleObjectsEx(0, nullptr, ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

bool message_get(Message* message)
{
    const BOOL got = GetMessageA(&last_message, nullptr, 0, 0);
    *message = Message{last_message.message, last_message.wParam, last_message.lParam};
    return got > 0; // 0 is the quit message, -1 a queue that cannot be read
}

void message_dispatch(const Message&)
{
    TranslateMessage(&last_message);
    DispatchMessageA(&last_message);
}

void post_quit()
{
    PostQuitMessage(0);
}

// The window has its menu bar; no keys stand in for it.
void window_set_accelerators(Window*, std::span<const Accelerator>)
{
}

void message_box(const char* text, const char* caption)
{
    MessageBoxA(nullptr, text, caption, MB_OK);
}

void about_box(Window* owner, const char* title, const char* date, const char*)
{
    AboutTexts texts{title, date};
    DialogBoxParamA(win32_instance(), ABOUT_DIALOG, win32_hwnd(owner), about_dialog_proc,
                    reinterpret_cast<LPARAM>(&texts));
}

void debug_output(const char* text)
{
    OutputDebugStringA(text);
}

void mouse_capture(Window* window)
{
    if (window) SetCapture(window->hwnd);
}

void mouse_release()
{
    ReleaseCapture();
}

uintptr_t window_system_handle(Window* window)
{
    return reinterpret_cast<uintptr_t>(win32_hwnd(window));
}

// A visible window is restored and brought to the front; the calls are
// Windows' own and safe from any thread or process.
void window_request_raise(Window* window)
{
    const HWND hwnd = win32_hwnd(window);
    if (!hwnd || !IsWindowVisible(hwnd)) return;
    SetForegroundWindow(hwnd);
    ShowWindow(hwnd, SW_SHOWNORMAL);
}

} // namespace platform
