// The single-instance claim on Windows: a named mutex whose existence marks
// the running copy, and a 4-byte named shared block holding its window.
//
// The mutex is never owned or waited on. Creating it is the claim, and one
// call both creates it and says whether it was there already, so two copies
// started at the same moment cannot both win. The objects belong to the
// processes that hold handles to them: however a copy ends, Windows closes
// its handles and the next copy finds nothing in the way.
//
// The block holds the window handle as 32 bits, as every copy of the game
// ever has; Windows keeps window handles within 32 bits so that 32- and
// 64-bit programs can pass them to each other.
#include "platform/win32/win32_platform.h"

#include "platform/instance.h"

#include <cstring>
#include <new>

namespace {

constexpr DWORD BLOCK_SIZE = 4;

// The named block, backed by the paging file; a handle to an existing one
// when some copy made it first.
HANDLE create_block(const char* name)
{
    return CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, BLOCK_SIZE, name);
}

} // namespace

namespace platform {

struct InstanceClaim {
    HANDLE mutex = nullptr;
    HANDLE mapping = nullptr;
    void* view = nullptr;
};

int instance_claim(const char* name, InstanceClaim** claim)
{
    if (!name || !claim) return 0;
    *claim = nullptr;
    SetLastError(ERROR_SUCCESS);
    const HANDLE mutex = CreateMutexA(nullptr, FALSE, name);
    // A mutex of another user's copy cannot even be opened; it is just as
    // much a running copy. Any other failure ends start-up all the same.
    if (!mutex) return 0;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return 0;
    }
    auto* c = new (std::nothrow) InstanceClaim;
    if (!c) {
        CloseHandle(mutex);
        return 0;
    }
    c->mutex = mutex;
    *claim = c;
    return 1;
}

// A block that did not exist yet means the first copy has not published its
// window: ours is closed again at once (and so vanishes), and the first copy
// is left alone. A window that is not visible yet is not brought forward.
// The restore is posted rather than sent, so a first copy that has stopped
// taking messages cannot hold this one.
void instance_signal_first(const char* name)
{
    if (!name) return;
    SetLastError(ERROR_SUCCESS);
    const HANDLE mapping = create_block(name);
    if (!mapping) return;
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
        CloseHandle(mapping);
        return;
    }
    void* view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, BLOCK_SIZE);
    if (view) {
        int32_t value = 0;
        std::memcpy(&value, view, sizeof value);
        // Widened with its sign, as Windows widens a 32-bit handle.
        const HWND hwnd = reinterpret_cast<HWND>(intptr_t(value));
        if (hwnd && IsWindowVisible(hwnd)) {
            SetForegroundWindow(hwnd);
            ShowWindowAsync(hwnd, SW_SHOWNORMAL);
        }
        UnmapViewOfFile(view);
    }
    CloseHandle(mapping);
}

// The claim stays as it was when publishing fails; the guard gives it up.
int instance_publish(InstanceClaim* claim, const char* name, Window* window)
{
    if (!claim || !name) return 0;
    if (!claim->view) {
        const HANDLE mapping = create_block(name);
        if (!mapping) return 0;
        void* view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, BLOCK_SIZE);
        if (!view) {
            CloseHandle(mapping);
            return 0;
        }
        claim->mapping = mapping;
        claim->view = view;
    }
    const auto value = int32_t(window_system_handle(window));
    std::memcpy(claim->view, &value, sizeof value);
    return 1;
}

// The mutex was never owned, so releasing it would do nothing: closing our
// handle is what gives the claim up. Windows would close it at the end of
// the process anyway, but closing it here lets a later claim in the same
// process succeed, as the tests make them.
void instance_release(InstanceClaim* claim)
{
    if (!claim) return;
    if (claim->mutex) CloseHandle(claim->mutex);
    if (claim->mapping) CloseHandle(claim->mapping);
    if (claim->view) UnmapViewOfFile(claim->view);
    delete claim;
}

} // namespace platform
