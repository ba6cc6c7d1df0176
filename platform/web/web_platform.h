// What the pieces of the web backend tell each other, and the page's side
// (web_library.js) that they call.
#pragma once

#include <cstdint>

// The page's events become window messages through these; the page calls
// them while the game sleeps.
extern "C" {
void web_key(int down, int vk, int ctrl);
void web_activate(int active);
}

// Feeds the page's audio output from the mixer, as far as its queue has room.
void web_audio_pump();

// The page's side, in web_library.js.
extern "C" {
int web_page_open();
void web_page_close();
void web_page_title(const char* title);
void web_page_line(const char* text);
void web_pads_poll();
void web_present(const uint8_t* rgba, int width, int height, int top, int bottom);
void web_about_open(const char* title, const char* date, const char* maker);
int web_about_is_open();
int web_love();
int web_storage_read(const char* key, uint8_t* out, int size);
int web_storage_write(const char* key, const uint8_t* bytes, int size);
int web_audio_room();
void web_audio_send(const int16_t* frames, int count);
void web_audio_stop();
void web_lock_release();
}
// The calls that wait for the page: they let the browser run meanwhile.
extern "C" {
int web_audio_start();
int web_lock_try(const char* name);
void web_lock_wait(const char* name);
}
