#include "platform/soft/message_queue.h"

namespace {

bool press(uint32_t m)
{
    return m == WM_KEYDOWN || m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN;
}

// What one WM_CANCELMODE stands for.
bool release(uint32_t m)
{
    return m == WM_KEYUP || m == WM_LBUTTONUP || m == WM_RBUTTONUP || m == WM_CANCELMODE;
}

Message& at(MessageQueue* q, size_t i)
{
    return q->items[(q->first + i) % q->items.size()];
}

// Keeps the messages the test does not pick, in their order; the count given up.
template <typename Pick> size_t remove(MessageQueue* q, Pick pick, size_t limit)
{
    size_t kept = 0, removed = 0;
    for (size_t i = 0; i < q->count; ++i) {
        if (removed < limit && pick(at(q, i).message)) {
            ++removed;
            continue;
        }
        at(q, kept++) = at(q, i);
    }
    q->count = kept;
    return removed;
}

void append(MessageQueue* q, const Message& m)
{
    at(q, q->count++) = m;
}

} // namespace

void message_queue_push(MessageQueue* q, const Message& m)
{
    if (q->count == q->items.size() && remove(q, press, 1) == 0) {
        if (press(m.message)) return; // the newest press is the one given up
        remove(q, release, q->count);
        if (q->count == q->items.size()) return; // only the window's own messages: nothing of keys to lose
        append(q, Message{WM_CANCELMODE, 0, 0});
        if (release(m.message)) return;
        if (q->count == q->items.size()) return;
    }
    append(q, m);
}

bool message_queue_pop(MessageQueue* q, Message* m)
{
    if (q->count == 0) return false;
    *m = q->items[q->first];
    q->first = (q->first + 1) % q->items.size();
    --q->count;
    return true;
}
