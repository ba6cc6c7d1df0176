// The game's sound effects on Windows: static DirectSound buffers on the
// device that the music library (sorvel.dll) opened and hands out. The
// AudioDevice pointer is that IDirectSound and an AudioBuffer pointer is an
// IDirectSoundBuffer, so each operation is one DirectSound call. The device
// itself belongs to the library (win32_music_device.cpp, inside the DLL):
// the game never sets its cooperative level and never releases it.
#include "platform/audio.h"
#include "platform/win32/win32_platform.h"

#include <mmsystem.h>

#include <dsound.h>

namespace {

// Static, so each effect is one copy of its samples; frequency, pan and
// volume controls; and heard while another program has the focus.
constexpr DWORD EFFECT_FLAGS =
    DSBCAPS_STATIC | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME | DSBCAPS_GLOBALFOCUS;
static_assert(EFFECT_FLAGS == 0x80E2);

IDirectSound* sound_of(platform::AudioDevice* device)
{
    return reinterpret_cast<IDirectSound*>(device);
}

IDirectSoundBuffer* buffer_of(platform::AudioBuffer* buffer)
{
    return reinterpret_cast<IDirectSoundBuffer*>(buffer);
}

} // namespace

namespace platform {

// The first, shorter form of the buffer description, without the 3-D algorithm:
// DirectSound knows a description by its size, which sizeof gives for this
// build (20 bytes in a 32-bit program, 24 in a 64-bit one).
AudioBuffer* audio_buffer_create(AudioDevice* device, const WaveFormat& format, uint32_t bytes)
{
    if (!device) return nullptr;
    WAVEFORMATEX wave{};
    wave.wFormatTag = format.format_tag;
    wave.nChannels = format.channels;
    wave.nSamplesPerSec = format.samples_per_second;
    wave.nAvgBytesPerSec = format.average_bytes_per_second;
    wave.nBlockAlign = format.block_align;
    wave.wBitsPerSample = format.bits_per_sample;
    wave.cbSize = format.extra_size;
    DSBUFFERDESC1 desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = EFFECT_FLAGS;
    desc.dwBufferBytes = bytes;
    desc.lpwfxFormat = &wave;
    IDirectSoundBuffer* buffer = nullptr;
    if (FAILED(sound_of(device)->CreateSoundBuffer(reinterpret_cast<const DSBUFFERDESC*>(&desc), &buffer, nullptr)))
        return nullptr;
    return reinterpret_cast<AudioBuffer*>(buffer);
}

int audio_buffer_lock(AudioBuffer* buffer, uint32_t offset, uint32_t bytes, void** part1, uint32_t* bytes1,
                      void** part2, uint32_t* bytes2)
{
    if (!buffer) return 0;
    DWORD n1 = 0;
    DWORD n2 = 0;
    if (FAILED(buffer_of(buffer)->Lock(offset, bytes, part1, &n1, part2, &n2, 0))) return 0;
    *bytes1 = n1;
    *bytes2 = n2;
    return 1;
}

void audio_buffer_unlock(AudioBuffer* buffer, void* part1, uint32_t bytes1, void* part2, uint32_t bytes2)
{
    if (buffer) buffer_of(buffer)->Unlock(part1, bytes1, part2, bytes2);
}

void audio_buffer_play(AudioBuffer* buffer)
{
    if (buffer) buffer_of(buffer)->Play(0, 0, 0);
}

void audio_buffer_stop(AudioBuffer* buffer)
{
    if (buffer) buffer_of(buffer)->Stop();
}

void audio_buffer_set_position(AudioBuffer* buffer, uint32_t byte_offset)
{
    if (buffer) buffer_of(buffer)->SetCurrentPosition(byte_offset);
}

void audio_buffer_set_pan(AudioBuffer* buffer, int32_t pan)
{
    if (buffer) buffer_of(buffer)->SetPan(pan);
}

void audio_buffer_release(AudioBuffer* buffer)
{
    if (buffer) buffer_of(buffer)->Release();
}

} // namespace platform
