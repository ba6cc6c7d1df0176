// The claim that only one copy of the game runs, and the way a second copy
// asks the first to come forward. On Windows a named mutex and a named
// shared block holding the window; on POSIX systems a lock file in the
// user's runtime directory and a local socket beside it.
#pragma once

#include "platform/window.h"

namespace platform {

struct InstanceClaim;

// 1: no other copy holds the claim, and now this one does (*claim set).
// 0: another copy holds it; *claim stays null.
int instance_claim(const char* name, InstanceClaim** claim);
// Asks the copy that holds the claim to restore and raise its window, if it
// has published one and it is visible. Nothing happens otherwise.
void instance_signal_first(const char* name);
// Makes the window findable by later copies: from now on their signals
// restore and raise it. 1 or 0.
int instance_publish(InstanceClaim* claim, const char* name, Window* window);
// Gives the claim up; null is allowed.
void instance_release(InstanceClaim* claim);

} // namespace platform
