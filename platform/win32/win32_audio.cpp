// Sound on Windows comes with the music library's DirectSound device; until
// it is there, no device opens and the game runs silently, as it does on
// any machine without sound.
#include "platform/audio.h"

namespace platform {

AudioDevice* audio_open(Window*, int, int, int)
{
    return nullptr;
}

void audio_close(AudioDevice*)
{
}

int audio_rate(const AudioDevice*)
{
    return 0;
}

void audio_set_stream(AudioDevice*, AudioStream, void*)
{
}

void audio_lock(AudioDevice*)
{
}

void audio_unlock(AudioDevice*)
{
}

AudioBuffer* audio_buffer_create(AudioDevice*, const WaveFormat&, uint32_t)
{
    return nullptr;
}

int audio_buffer_lock(AudioBuffer*, uint32_t, uint32_t, void**, uint32_t*, void**, uint32_t*)
{
    return 0;
}

void audio_buffer_unlock(AudioBuffer*, void*, uint32_t, void*, uint32_t)
{
}

void audio_buffer_play(AudioBuffer*)
{
}

void audio_buffer_stop(AudioBuffer*)
{
}

void audio_buffer_set_position(AudioBuffer*, uint32_t)
{
}

void audio_buffer_set_pan(AudioBuffer*, int32_t)
{
}

void audio_buffer_release(AudioBuffer*)
{
}

} // namespace platform
