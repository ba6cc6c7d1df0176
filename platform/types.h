// The tiny vocabulary every room shares with the platform layer: rectangles,
// window messages and virtual-key codes. Message numbers and key codes have
// Windows' values, so the Win32 backend passes them straight through and the
// other backends translate their own events into them.
#pragma once

#include <cstdint>

namespace quobbin {

// left, top, right, bottom; right and bottom are exclusive.
struct RECT {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
    bool operator==(const RECT&) const = default;
};

} // namespace quobbin

// The core calls it RECT. The platform headers name it quobbin::RECT, so
// that a backend which also sees <windows.h> (whose RECT is a different
// type of the same layout) declares exactly the functions the core calls.
#ifndef QUOBBIN_WIN32_BACKEND
using quobbin::RECT;
#endif

// <windows.h> defines these as macros with the same values.
#ifndef WM_KEYDOWN
inline constexpr uint32_t WM_CREATE = 0x0001;
inline constexpr uint32_t WM_SIZE = 0x0005;
inline constexpr uint32_t WM_ACTIVATE = 0x0006;
inline constexpr uint32_t WM_CLOSE = 0x0010;
inline constexpr uint32_t WM_QUIT = 0x0012;
inline constexpr uint32_t WM_CANCELMODE = 0x001F;
inline constexpr uint32_t WM_KEYDOWN = 0x0100;
inline constexpr uint32_t WM_KEYUP = 0x0101;
inline constexpr uint32_t WM_COMMAND = 0x0111;
inline constexpr uint32_t WM_SYSCOMMAND = 0x0112;
inline constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
inline constexpr uint32_t WM_LBUTTONUP = 0x0202;
inline constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
inline constexpr uint32_t WM_RBUTTONUP = 0x0205;

inline constexpr uint32_t SIZE_RESTORED = 0;
inline constexpr uint32_t SIZE_MINIMIZED = 1;
inline constexpr uint32_t SIZE_MAXIMIZED = 2;
inline constexpr uint32_t WA_INACTIVE = 0;
inline constexpr uint32_t WA_ACTIVE = 1;
inline constexpr uint32_t WA_CLICKACTIVE = 2;
#endif

#ifndef VK_ESCAPE
inline constexpr uint8_t VK_BACK = 0x08;
inline constexpr uint8_t VK_TAB = 0x09;
inline constexpr uint8_t VK_RETURN = 0x0D;
inline constexpr uint8_t VK_SHIFT = 0x10;
inline constexpr uint8_t VK_CONTROL = 0x11;
inline constexpr uint8_t VK_MENU = 0x12;
inline constexpr uint8_t VK_PAUSE = 0x13;
inline constexpr uint8_t VK_ESCAPE = 0x1B;
inline constexpr uint8_t VK_SPACE = 0x20;
inline constexpr uint8_t VK_LEFT = 0x25;
inline constexpr uint8_t VK_UP = 0x26;
inline constexpr uint8_t VK_RIGHT = 0x27;
inline constexpr uint8_t VK_DOWN = 0x28;
inline constexpr uint8_t VK_NUMPAD0 = 0x60;
inline constexpr uint8_t VK_NUMPAD1 = 0x61;
inline constexpr uint8_t VK_NUMPAD2 = 0x62;
inline constexpr uint8_t VK_NUMPAD3 = 0x63;
inline constexpr uint8_t VK_F1 = 0x70;
inline constexpr uint8_t VK_F2 = 0x71;
inline constexpr uint8_t VK_F10 = 0x79;
inline constexpr uint8_t VK_CLEAR = 0x0C;
inline constexpr uint8_t VK_CAPITAL = 0x14;
inline constexpr uint8_t VK_PRIOR = 0x21;
inline constexpr uint8_t VK_NEXT = 0x22;
inline constexpr uint8_t VK_END = 0x23;
inline constexpr uint8_t VK_HOME = 0x24;
inline constexpr uint8_t VK_INSERT = 0x2D;
inline constexpr uint8_t VK_DELETE = 0x2E;
inline constexpr uint8_t VK_LWIN = 0x5B;
inline constexpr uint8_t VK_RWIN = 0x5C;
inline constexpr uint8_t VK_APPS = 0x5D;
inline constexpr uint8_t VK_MULTIPLY = 0x6A;
inline constexpr uint8_t VK_ADD = 0x6B;
inline constexpr uint8_t VK_SUBTRACT = 0x6D;
inline constexpr uint8_t VK_DECIMAL = 0x6E;
inline constexpr uint8_t VK_DIVIDE = 0x6F;
inline constexpr uint8_t VK_NUMLOCK = 0x90;
inline constexpr uint8_t VK_SCROLL = 0x91;
inline constexpr uint8_t VK_OEM_1 = 0xBA;      // ;:
inline constexpr uint8_t VK_OEM_PLUS = 0xBB;   // =+
inline constexpr uint8_t VK_OEM_COMMA = 0xBC;  // ,<
inline constexpr uint8_t VK_OEM_MINUS = 0xBD;  // -_
inline constexpr uint8_t VK_OEM_PERIOD = 0xBE; // .>
inline constexpr uint8_t VK_OEM_2 = 0xBF;      // /?
inline constexpr uint8_t VK_OEM_3 = 0xC0;      // `~
inline constexpr uint8_t VK_OEM_4 = 0xDB;      // [{
inline constexpr uint8_t VK_OEM_5 = 0xDC;      // \|
inline constexpr uint8_t VK_OEM_6 = 0xDD;      // ]}
inline constexpr uint8_t VK_OEM_7 = 0xDE;      // '"
#endif

// A game controller's buttons, as keys of their own. Windows leaves these
// codes unassigned, so no keyboard sends them; only the pads do
// (platform/sdl/sdl_gamepad.cpp, platform/win32/win32_joystick.cpp).
inline constexpr uint8_t GAMEPAD_A = 0x97;
inline constexpr uint8_t GAMEPAD_B = 0x98;
inline constexpr uint8_t GAMEPAD_X = 0x99;
inline constexpr uint8_t GAMEPAD_Y = 0x9A;
inline constexpr uint8_t GAMEPAD_BACK = 0x9B;
inline constexpr uint8_t GAMEPAD_START = 0x9C;

// A window message as the frame loop takes it from the queue.
struct Message {
    uint32_t message;
    uintptr_t wparam;
    intptr_t lparam;
};
