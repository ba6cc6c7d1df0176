// Only one copy of the game runs at a time. The first copy claims the name,
// later publishes its window; a second copy finds the claim, asks the first
// to come forward and ends before it makes a window of its own.
#pragma once

#include "platform/instance.h"
#include "platform/window.h"

// Start-up keeps one for its whole run.
struct InstanceGuard {
    // The claim on the mutex name; null until a check wins it and after release.
    platform::InstanceClaim* claim;
    // 1 once the window is findable under the mapping name.
    int published;
};

void instance_guard_init(InstanceGuard* guard);
// 1 when this is the only copy and the guard now holds the claim. 0 when
// another copy holds it: that copy is asked to come forward first.
int instance_guard_check(InstanceGuard* guard, const char* mutex_name, const char* mapping_name);
// Asks the running copy to restore and raise its window. Nothing happens
// when it has not published one yet.
void instance_guard_signal_first(const char* mapping_name);
// Makes the window findable by later copies. 1 or 0; on 0 the claim is
// given up.
int instance_guard_publish(InstanceGuard* guard, const char* mutex_name, const char* mapping_name,
                           platform::Window* window);
// Gives everything up; the guard is as after init, so a second release does
// nothing.
void instance_guard_release(InstanceGuard* guard);
