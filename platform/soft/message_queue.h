// The window's message queue for the backends that keep their own (SDL,
// headless, the browser): messages in order, a fixed number of them.
//
// A queue can fill while the game is stopped and the keyboard is not, and
// what it gives up then must never be a release: a key whose release is
// lost stays down (a stuck Escape reopens the pause screen every frame).
// So a full queue makes room by giving up the oldest press; with no press
// left to give, the releases waiting make way for one WM_CANCELMODE, on
// which the game lets go of every key and button, as when it loses the
// focus.
#pragma once

#include "platform/types.h"

#include <array>
#include <cstddef>

inline constexpr size_t MESSAGE_QUEUE_SIZE = 256;

struct MessageQueue {
    std::array<Message, MESSAGE_QUEUE_SIZE> items{};
    size_t first = 0;
    size_t count = 0;
};

void message_queue_push(MessageQueue* queue, const Message& message);
// False when the queue is empty.
bool message_queue_pop(MessageQueue* queue, Message* message);
