// The 64 surface slots. A slot holds one picture: from a bitmap resource,
// from a bitmap file, or blank to draw into. Every slot surface is
// view_scale times its logical size and keys out black.
#pragma once

#include "platform/graphics.h"

#include <cstdint>

inline constexpr int SURFACE_SLOT_COUNT = 64;
inline constexpr uint32_t SLOT_FROM_FILE = 1;
inline constexpr uint32_t SLOT_SYSTEM_MEMORY = 2;

struct SurfaceSlot {
    uint32_t flags;
    char* name;                 // as the last load or reload was given it; null for a blank slot
    platform::Surface* surface; // null: the slot is free
    int32_t width;              // logical pixels
    int32_t height;
};

int surface_load(const char* name, int id, bool from_file, bool system_memory);
int surface_reload(const char* name, int id, bool from_file);
int surface_create_blank(int width, int height, int id, bool system_memory);
void surface_release(int id);
void surface_release_all();

// Forgets every slot without releasing anything (the display starts anew).
void surface_slots_clear();
// The slot's record; an all-zero record for an id out of range.
const SurfaceSlot& surface_slot(int id);
