// The music library's DirectSound device, built into sorvel.dll: the device
// for the game's window, the primary buffer's format, and one looping
// secondary buffer of a tenth of a second that a thread of its own keeps
// filled from the library's stream. The thread never waits for the game,
// so the tune plays on while the game sleeps between frames, while a menu
// is open and while the About box holds the game's thread.
//
// On Windows the AudioDevice pointer is the IDirectSound itself: the game's
// effects make their own buffers on it (win32_audio.cpp). The device stays
// until the library is shut down, which the game does once its effects are
// released, just before it ends. No global here has a destructor, so
// nothing is released behind the program's back while the process winds
// down.
#include "platform/audio.h"
#include "platform/win32/win32_platform.h"

#include <mmsystem.h>

#include <dsound.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// The game asks for a tenth of a second; the platform's audio interface has
// no room for the length, so the device keeps the game's figure itself.
constexpr int STREAM_MS = 100;
// Refills come four times a buffer, so a late one still finds three
// quarters of a buffer queued.
constexpr DWORD REFILL_MS = STREAM_MS / 4;
constexpr int STREAM_CHANNELS = 2;
constexpr int STREAM_BITS = 16;
constexpr int FRAME_BYTES = STREAM_CHANNELS * STREAM_BITS / 8;
constexpr int MAX_RATE = 192000;
constexpr int MAX_FRAMES = MAX_RATE * STREAM_MS / 1000;

IDirectSound* sound = nullptr;
IDirectSoundBuffer* stream_buffer = nullptr;
DWORD stream_bytes = 0;
DWORD written = 0; // where the next refill starts
int stream_rate = 0;
HANDLE thread = nullptr;
HANDLE stop_event = nullptr;
CRITICAL_SECTION lock;
platform::AudioStream stream = nullptr;
void* stream_user = nullptr;
std::array<int32_t, size_t(MAX_FRAMES) * STREAM_CHANNELS> mix;

IDirectSound* device_sound(const platform::AudioDevice* device)
{
    return reinterpret_cast<IDirectSound*>(const_cast<platform::AudioDevice*>(device));
}

WAVEFORMATEX pcm_format(int channels, int rate, int bits)
{
    WAVEFORMATEX f{};
    f.wFormatTag = WAVE_FORMAT_PCM;
    f.nChannels = WORD(channels);
    f.nSamplesPerSec = DWORD(rate);
    f.wBitsPerSample = WORD(bits);
    f.nBlockAlign = WORD(channels * bits / 8);
    f.nAvgBytesPerSec = f.nSamplesPerSec * f.nBlockAlign;
    return f;
}

// The stream adds into zeroed accumulators under the lock; the clamp to
// 16 bits happens once, outside it.
void render(int16_t* out, DWORD bytes)
{
    const size_t samples = bytes / sizeof(int16_t);
    std::fill_n(mix.begin(), samples, 0);
    EnterCriticalSection(&lock);
    if (stream) stream(stream_user, mix.data(), int(bytes / FRAME_BYTES));
    LeaveCriticalSection(&lock);
    for (size_t i = 0; i < samples; ++i) out[i] = int16_t(std::clamp(mix[i], -32768, 32767));
}

void fill(DWORD offset, DWORD bytes)
{
    void* part1 = nullptr;
    void* part2 = nullptr;
    DWORD bytes1 = 0;
    DWORD bytes2 = 0;
    HRESULT locked = stream_buffer->Lock(offset, bytes, &part1, &bytes1, &part2, &bytes2, 0);
    // A buffer in a sound card's memory can be taken away; ours comes back
    // and is filled afresh.
    if (locked == DSERR_BUFFERLOST && SUCCEEDED(stream_buffer->Restore()))
        locked = stream_buffer->Lock(offset, bytes, &part1, &bytes1, &part2, &bytes2, 0);
    if (FAILED(locked)) return;
    render(static_cast<int16_t*>(part1), bytes1);
    if (part2) render(static_cast<int16_t*>(part2), bytes2);
    stream_buffer->Unlock(part1, bytes1, part2, bytes2);
}

// Everything the play cursor has left behind since the last refill is
// written again; what lies ahead of it is already queued.
void refill()
{
    DWORD play = 0;
    DWORD write = 0;
    if (FAILED(stream_buffer->GetCurrentPosition(&play, &write))) return;
    DWORD free = (play + stream_bytes - written) % stream_bytes;
    free -= free % FRAME_BYTES;
    if (free == 0) return;
    fill(written, free);
    written = (written + free) % stream_bytes;
}

DWORD WINAPI stream_thread(void*)
{
    while (WaitForSingleObject(stop_event, REFILL_MS) == WAIT_TIMEOUT) refill();
    return 0;
}

// The primary buffer's format is the output the game asked for; a system
// that keeps its own mixing format may refuse, and the game still plays.
void set_primary_format(int channels, int rate, int bits)
{
    DSBUFFERDESC desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DSBCAPS_PRIMARYBUFFER;
    IDirectSoundBuffer* primary = nullptr;
    if (FAILED(sound->CreateSoundBuffer(&desc, &primary, nullptr)) || !primary) return;
    WAVEFORMATEX format = pcm_format(channels, rate, bits);
    primary->SetFormat(&format);
    primary->Release();
}

// The stream's buffer keeps playing while another program has the focus,
// as the effects do.
bool start_stream(int rate)
{
    WAVEFORMATEX format = pcm_format(STREAM_CHANNELS, rate, STREAM_BITS);
    DSBUFFERDESC desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DSBCAPS_GETCURRENTPOSITION2 | DSBCAPS_GLOBALFOCUS;
    desc.dwBufferBytes = DWORD(rate) * STREAM_MS / 1000 * FRAME_BYTES;
    desc.lpwfxFormat = &format;
    if (FAILED(sound->CreateSoundBuffer(&desc, &stream_buffer, nullptr)) || !stream_buffer) {
        stream_buffer = nullptr;
        return false;
    }
    stream_bytes = desc.dwBufferBytes;
    stream_rate = rate;
    written = 0;
    fill(0, stream_bytes);
    stop_event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (stop_event && SUCCEEDED(stream_buffer->Play(0, 0, DSBPLAY_LOOPING)))
        thread = CreateThread(nullptr, 0, stream_thread, nullptr, 0, nullptr);
    if (!thread) return false;
    SetThreadPriority(thread, THREAD_PRIORITY_HIGHEST);
    return true;
}

void stop_stream()
{
    if (thread) {
        SetEvent(stop_event);
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
        thread = nullptr;
    }
    if (stop_event) CloseHandle(stop_event);
    stop_event = nullptr;
    if (stream_buffer) {
        stream_buffer->Stop();
        stream_buffer->Release();
    }
    stream_buffer = nullptr;
    stream_bytes = 0;
    stream_rate = 0;
}

} // namespace

namespace platform {

// One device at a time; the music library opens it once.
AudioDevice* audio_open(void* window, int channels, int rate, int bits)
{
    const HWND hwnd = static_cast<HWND>(window);
    if (sound || !hwnd || !IsWindow(hwnd)) return nullptr;
    if (channels != STREAM_CHANNELS || bits != STREAM_BITS || rate < 8000 || rate > MAX_RATE) return nullptr;
    if (FAILED(DirectSoundCreate(nullptr, &sound, nullptr)) || !sound) {
        sound = nullptr;
        return nullptr;
    }
    if (FAILED(sound->SetCooperativeLevel(hwnd, DSSCL_PRIORITY))) {
        sound->Release();
        sound = nullptr;
        return nullptr;
    }
    set_primary_format(channels, rate, bits);
    InitializeCriticalSection(&lock);
    if (!start_stream(rate)) {
        stop_stream();
        DeleteCriticalSection(&lock);
        sound->Release();
        sound = nullptr;
        return nullptr;
    }
    return reinterpret_cast<AudioDevice*>(sound);
}

// The effects' buffers on the device have been released by now.
void audio_close(AudioDevice* device)
{
    if (!device || device_sound(device) != sound) return;
    stop_stream();
    DeleteCriticalSection(&lock);
    stream = nullptr;
    stream_user = nullptr;
    sound->Release();
    sound = nullptr;
}

int audio_rate(const AudioDevice* device)
{
    return device && device_sound(device) == sound ? stream_rate : 0;
}

void audio_set_stream(AudioDevice* device, AudioStream new_stream, void* user)
{
    if (!device || device_sound(device) != sound) return;
    EnterCriticalSection(&lock);
    stream = new_stream;
    stream_user = user;
    LeaveCriticalSection(&lock);
}

void audio_lock(AudioDevice* device)
{
    if (device && device_sound(device) == sound) EnterCriticalSection(&lock);
}

void audio_unlock(AudioDevice* device)
{
    if (device && device_sound(device) == sound) LeaveCriticalSection(&lock);
}

} // namespace platform
