// The program's resources on Windows. sorvel.dll is built with this file
// too: the song and its recordings live in the game's executable, not in
// the library, so both look in the program's module.
#include "platform/resource.h"
#include "platform/win32/win32_platform.h"

namespace platform {

// Bitmaps are not found here: the resource compiler stores them under
// Windows' own bitmap type without their file header, and they are loaded
// with LoadImageA. The string type "BITMAP" names nothing in our program.
std::span<const uint8_t> resource_find(const char* name, const char* type)
{
    if (!name || !type) return {};
    const HMODULE module = win32_instance();
    const HRSRC found = FindResourceA(module, name, type);
    if (!found) return {};
    const HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return {};
    // The bytes belong to the module and stay put as long as it is loaded.
    return {static_cast<const uint8_t*>(bytes), size_t(SizeofResource(module, found))};
}

} // namespace platform
