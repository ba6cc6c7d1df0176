// The About box where the system has no dialog of the game's own: a message
// box with the title, the date and the maker on three lines.
#include "platform/window.h"

#include <cstdio>

namespace platform {

void about_box(Window*, const char* title, const char* date, const char* maker)
{
    char text[128];
    std::snprintf(text, sizeof text, "%s\n%s\n%s", title, date, maker);
    message_box(text, "About");
}

} // namespace platform
