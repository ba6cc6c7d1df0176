// Sound effects in slots, on the device the music library hands out.
#pragma once

#include "platform/audio.h"

inline constexpr int SOUND_SLOT_COUNT = 32;

void sound_attach_device(platform::AudioDevice* device);
int sound_load(const char* name, const char* type, int id);
int sound_load_wave(const char* name, int id);
void sound_release_all();
// The buffer in a slot, or null when the slot is empty or out of range.
platform::AudioBuffer* sound_slot(int id);

// One voice per slot: playing stops the slot, rewinds it and plays it once.
void sound_play(int id);
// 256 is the centre; the pan becomes (position - 256) x 10 hundredths of a dB.
void sound_set_pan(int id, int position);
