// The clock, the resources built into the program, the files, the
// single-instance claim and the pads, in a browser.
//
// Files: a page has no folder, so "Best.dat" is kept in the browser's
// localStorage under "quobbin/Best.dat", its bytes in base64, replaced by
// one write; no other file exists on the web (so no font picture), and the
// "LOVE" marker is the word `love` in the page's query string.
#include "platform/clock.h"
#include "platform/embedded_resources.h"
#include "platform/files.h"
#include "platform/instance.h"
#include "platform/joystick.h"
#include "platform/resource.h"
#include "platform/web/web_platform.h"

#include <emscripten.h>

#include <cstdio>
#include <cstring>
#include <ctime>

namespace {

constexpr const char* STORED_FILE = "Best.dat";
constexpr const char* LOVE_MARKER = "LOVE";
constexpr const char* STORAGE_PREFIX = "quobbin/";
constexpr int FILE_LIMIT = 4096; // more than any file the game keeps

const char* base_name(const char* path)
{
    const char* slash = std::strrchr(path, '/');
    return slash ? slash + 1 : path;
}

bool stored(const char* path)
{
    return path && std::strcmp(base_name(path), STORED_FILE) == 0;
}

// The storage key of a stored file; false for any other path.
bool storage_key(const char* path, char (&key)[64])
{
    if (!stored(path)) return false;
    std::snprintf(key, sizeof key, "%s%s", STORAGE_PREFIX, base_name(path));
    return true;
}

} // namespace

namespace platform {

uint32_t clock_ticks()
{
    return uint32_t(uint64_t(emscripten_get_now()));
}

// The browser runs its events, timers and the audio meanwhile.
void clock_sleep(uint32_t ms)
{
    web_audio_pump();
    emscripten_sleep(ms);
}

int clock_local_seconds()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (!localtime_r(&now, &local)) return 0;
    return local.tm_sec % 60;
}

std::span<const uint8_t> resource_find(const char* name, const char* type)
{
    return embedded_resource_find(name, type);
}

int executable_dir(char* out, size_t size)
{
    if (size < 2) return 0;
    std::snprintf(out, size, ".");
    return 1;
}

// The stored files have no folder: a name is its own path.
int data_file_path(const char* name, char* out, size_t size)
{
    const int n = std::snprintf(out, size, "%s", name ? name : "");
    return n >= 0 && size_t(n) < size ? 1 : 0;
}

bool file_exists(const char* path)
{
    if (path && std::strcmp(base_name(path), LOVE_MARKER) == 0) return web_love() != 0;
    return file_size(path) >= 0;
}

long file_size(const char* path)
{
    static uint8_t scratch[FILE_LIMIT];
    char key[64];
    return storage_key(path, key) ? web_storage_read(key, scratch, FILE_LIMIT) : -1;
}

long file_read(const char* path, void* out, size_t size)
{
    char key[64];
    if (!storage_key(path, key) || !out) return -1;
    return web_storage_read(key, static_cast<uint8_t*>(out), size > FILE_LIMIT ? FILE_LIMIT : int(size));
}

// Nothing is written until the commit, which is one setItem: the old value
// stays whole until the new one is stored.
int file_replace_open(const char* path, FileReplacement* replacement)
{
    if (!replacement || !stored(path)) return 0;
    std::snprintf(replacement->path, sizeof replacement->path, "%s", path);
    replacement->handle = 0;
    return 1;
}

int file_replace_commit(FileReplacement* replacement, const void* data, size_t size)
{
    if (!replacement || replacement->handle < 0) return 0;
    replacement->handle = -1;
    char key[64];
    if (!storage_key(replacement->path, key) || size > FILE_LIMIT) return 0;
    return web_storage_write(key, static_cast<const uint8_t*>(data), int(size));
}

// The stored value is replaced in one step: nothing is left over.
void file_remove_leftovers(const char*)
{
}

// One copy at a time across the tabs of this page: a Web Lock held for
// the run. Where the browser has no locks, every tab plays.
struct InstanceClaim {
    int held;
};

int instance_claim(const char* name, InstanceClaim** claim)
{
    static InstanceClaim the_claim{0};
    if (!claim || !web_lock_try(name)) return 0;
    the_claim.held = 1;
    *claim = &the_claim;
    return 1;
}

// A tab cannot bring another forward.
void instance_signal_first(const char*)
{
}

int instance_publish(InstanceClaim* claim, const char*, Window* window)
{
    return claim && window ? 1 : 0;
}

void instance_release(InstanceClaim* claim)
{
    if (!claim || !claim->held) return;
    claim->held = 0;
    web_lock_release();
}

// The pads are read by the page once a frame (web_library.js); their
// buttons reach the key table as GAMEPAD_A and the rest.
int joystick_open(Window*)
{
    return 1;
}

void joystick_close()
{
}

} // namespace platform
