// The key table, fed by the window's key messages and indexed by
// virtual-key code; the mouse capture while a button is down; the joystick.
#pragma once

#include "platform/window.h"

#include <cstdint>

inline constexpr uint32_t MOUSE_LEFT = 0x01;
inline constexpr uint32_t MOUSE_RIGHT = 0x10;

void key_state_reset();
void key_state_on_message(platform::Window* window, uint32_t message, uintptr_t wparam);
// Takes a snapshot: a key is newly pressed when it is down now and was not
// at the previous snapshot.
void key_state_update();
// The key reads as up until it goes down again.
void key_forget(int vk);
int key_held(int vk);
int key_newly_pressed(int vk);
uint32_t mouse_buttons_held();
int mouse_capture_held();

int joystick_open(platform::Window* window);
void joystick_close();
