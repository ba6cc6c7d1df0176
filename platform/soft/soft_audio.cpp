#include "platform/soft/soft_audio.h"

#include <new>

namespace platform {

int audio_rate(const AudioDevice* device)
{
    return device ? soft_audio_mixer(const_cast<AudioDevice*>(device))->rate : 0;
}

void audio_set_stream(AudioDevice* device, AudioStream stream, void* user)
{
    if (device) soft_mixer_set_stream(soft_audio_mixer(device), stream, user);
}

void audio_lock(AudioDevice* device)
{
    if (device) soft_mixer_lock(soft_audio_mixer(device));
}

void audio_unlock(AudioDevice* device)
{
    if (device) soft_mixer_unlock(soft_audio_mixer(device));
}

AudioBuffer* audio_buffer_create(AudioDevice* device, const WaveFormat& format, uint32_t bytes)
{
    if (!device) return nullptr;
    auto* buffer = new (std::nothrow) AudioBuffer;
    if (buffer && soft_voice_init(&buffer->voice, format, bytes) &&
        soft_mixer_add(soft_audio_mixer(device), &buffer->voice)) {
        buffer->voice.owner = buffer;
        return buffer;
    }
    delete buffer;
    return nullptr;
}

int audio_buffer_lock(AudioBuffer* buffer, uint32_t offset, uint32_t bytes, void** part1, uint32_t* bytes1,
                      void** part2, uint32_t* bytes2)
{
    return buffer ? soft_voice_lock(&buffer->voice, offset, bytes, part1, bytes1, part2, bytes2) : 0;
}

void audio_buffer_unlock(AudioBuffer*, void*, uint32_t, void*, uint32_t)
{
}

void audio_buffer_play(AudioBuffer* buffer)
{
    if (buffer) soft_voice_play(&buffer->voice);
}

void audio_buffer_stop(AudioBuffer* buffer)
{
    if (buffer) soft_voice_stop(&buffer->voice);
}

void audio_buffer_set_position(AudioBuffer* buffer, uint32_t byte_offset)
{
    if (buffer) soft_voice_set_position(&buffer->voice, byte_offset);
}

void audio_buffer_set_pan(AudioBuffer* buffer, int32_t pan)
{
    if (buffer) soft_voice_set_pan(&buffer->voice, pan);
}

void audio_buffer_release(AudioBuffer* buffer)
{
    if (!buffer) return;
    if (buffer->voice.mixer) soft_mixer_remove(buffer->voice.mixer, &buffer->voice);
    delete buffer;
}

} // namespace platform
