// Sorvel, our music library: it opens the audio device for the window, hands
// it out for the sound effects, and plays one song in the background.
#pragma once

#include "platform/audio.h"

extern "C" {

// Opens the device for the window: its system handle (an HWND on Windows;
// elsewhere what the backend's window_system_handle gives, which the
// library passes on unread), channels, samples per second, bits per sample.
// The remaining values are the buffer length in seconds and two flags.
int sorvel_Ready(void* window, int channels, int rate, int bits, float buffer_seconds, int flag1, int flag2);
// The device opened by sorvel_Ready, or null.
platform::AudioDevice* sorvel_GetDirectSound();
// Loads the song resource of this type and name (case ignored).
int sorvel_Tune_Load(int tune, const char* type, const char* name);
// Plays the loaded song from its start, looping, until stopped.
int sorvel_Tune_Start(int tune, int position);
int sorvel_Tune_Stop();
// Takes the library down: the tune and song are let go and the device is
// closed. The effects' buffers on the device must be released first.
// Ready may open a device again afterwards.
void sorvel_Shutdown();
}
