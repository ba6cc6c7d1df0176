// The single-instance guard over the platform's claim. The claim itself is
// one atomic step, so two copies started at the same moment cannot both
// pass the check: exactly one of them wins.
#include "sys/instance_guard.h"

void instance_guard_init(InstanceGuard* guard)
{
    guard->claim = nullptr;
    guard->published = 0;
}

int instance_guard_check(InstanceGuard* guard, const char* mutex_name, const char* mapping_name)
{
    // A guard that already holds its claim would only find itself.
    if (guard->claim) return 1;
    platform::InstanceClaim* claim = nullptr;
    if (!platform::instance_claim(mutex_name, &claim)) {
        instance_guard_signal_first(mapping_name);
        return 0;
    }
    guard->claim = claim;
    return 1;
}

void instance_guard_signal_first(const char* mapping_name)
{
    platform::instance_signal_first(mapping_name);
}

int instance_guard_publish(InstanceGuard* guard, const char*, const char* mapping_name, platform::Window* window)
{
    // The claim made by the check is the one the window is published under;
    // claiming again would only meet our own claim.
    if (!guard->claim) return 0;
    if (!platform::instance_publish(guard->claim, mapping_name, window)) {
        platform::instance_release(guard->claim);
        guard->claim = nullptr;
        return 0;
    }
    guard->published = 1;
    return 1;
}

void instance_guard_release(InstanceGuard* guard)
{
    platform::instance_release(guard->claim);
    guard->claim = nullptr;
    guard->published = 0;
}
