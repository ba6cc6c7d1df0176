// The Windows game's sound, with a real DirectSound under Wine and a sound
// server of the test's own (tests/e2e/with_sound_server.sh), whose capture
// shows what came out: sorvel.dll on its own, loaded by name as the game
// loads it, and the effects' buffers on its device.
#include "platform/win32/win32_window_record.h"

#include "sound/sound.h"
#include "sound/wave_read.h"

#include <gtest/gtest.h>

#include <mmsystem.h>

#include <dsound.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Sorvel {
    int (*ready)(platform::Window*, int, int, int, float, int, int);
    platform::AudioDevice* (*get_direct_sound)();
    int (*tune_load)(int, const char*, const char*);
    int (*tune_start)(int, int);
    int (*tune_stop)();
};

template <typename F> void find(HMODULE library, const char* name, F* f)
{
    *f = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// The library as the game finds it: by name, beside the program.
const Sorvel& sorvel()
{
    static Sorvel s = [] {
        Sorvel found{};
        const HMODULE library = LoadLibraryA("sorvel.dll");
        if (!library) return found;
        find(library, "sorvel_Ready", &found.ready);
        find(library, "sorvel_GetDirectSound", &found.get_direct_sound);
        find(library, "sorvel_Tune_Load", &found.tune_load);
        find(library, "sorvel_Tune_Start", &found.tune_start);
        find(library, "sorvel_Tune_Stop", &found.tune_stop);
        return found;
    }();
    return s;
}

// Waits while taking this thread's messages, as the game's frame loop does.
void pass_time(DWORD ms)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
        Sleep(5);
    }
}

// The level of the last `ms` of the capture, in dBFS; Wine sees the build
// machine's files on drive Z:.
double captured_level(DWORD ms)
{
    const char* path = std::getenv("QUOBBIN_CAPTURE");
    if (!path) return 1000;
    std::string name = std::string("Z:") + path;
    for (char& c : name)
        if (c == '/') c = '\\';
    FILE* f = std::fopen(name.c_str(), "rb");
    if (!f) {
        std::perror(name.c_str());
        return 1000;
    }
    const long frames = long(ms) * 48;
    std::fseek(f, 0, SEEK_END);
    const long size = std::ftell(f);
    std::vector<float> tail(size_t(frames) * 2);
    std::fseek(f, std::max(0L, size - frames * 8), SEEK_SET);
    const size_t got = std::fread(tail.data(), sizeof(float), tail.size(), f);
    std::fclose(f);
    double energy = 0;
    for (size_t i = 0; i < got; ++i) energy += double(tail[i]) * tail[i];
    return got ? 10 * std::log10(energy / double(got) + 1e-20) : 1000;
}

platform::Window* game_window()
{
    static platform::Window window{};
    if (!window.hwnd)
        window.hwnd = CreateWindowExA(0, "STATIC", "sound", WS_OVERLAPPEDWINDOW, 0, 0, 64, 64, nullptr, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
    return &window;
}

// Runs first: nothing has opened the library's device yet.
TEST(SorvelDll, EveryCallIsHarmlessWithoutADevice)
{
    const Sorvel& s = sorvel();
    ASSERT_TRUE(s.ready && s.get_direct_sound && s.tune_load && s.tune_start && s.tune_stop);
    EXPECT_EQ(s.get_direct_sound(), nullptr);
    EXPECT_EQ(s.tune_start(0, 0), 0);
    EXPECT_EQ(s.tune_stop(), 1);
    platform::Window no_window{};
    EXPECT_EQ(s.ready(&no_window, 2, 44100, 16, 0.1f, 1, 0), 0);
    EXPECT_EQ(s.ready(nullptr, 2, 44100, 16, 0.1f, 1, 0), 0);
    EXPECT_EQ(s.get_direct_sound(), nullptr);
    EXPECT_EQ(s.tune_start(0, 0), 0);
}

TEST(SorvelDll, PlaysTheSongOfTheProgramUntilStopped)
{
    const Sorvel& s = sorvel();
    ASSERT_EQ(s.ready(game_window(), 2, 44100, 16, 0.1f, 1, 0), 1);
    auto* sound = reinterpret_cast<IDirectSound*>(s.get_direct_sound());
    ASSERT_NE(sound, nullptr);
    void* asked = nullptr;
    ASSERT_EQ(sound->QueryInterface(IID_IDirectSound, &asked), S_OK);
    EXPECT_EQ(asked, sound);
    sound->Release();

    // The song is the program's resource, not the library's.
    EXPECT_EQ(s.tune_load(0, "sngpk", "nothing"), 0);
    ASSERT_EQ(s.tune_load(0, "sngpk", "quobbin"), 1);
    pass_time(1000);
    EXPECT_LT(captured_level(300), -90) << "sound before the tune started, or no capture at "
                                        << (std::getenv("QUOBBIN_CAPTURE") ? std::getenv("QUOBBIN_CAPTURE") : "(none)");
    ASSERT_EQ(s.tune_start(0, 0), 1);
    pass_time(1500);
    EXPECT_GT(captured_level(1000), -40) << "the tune is not heard";
    EXPECT_EQ(s.tune_stop(), 1);
    pass_time(600);
    EXPECT_LT(captured_level(300), -90) << "the tune went on after it was stopped";
}

// Stands in front of the library's device and notes every buffer asked of
// it; the buffers themselves are the device's.
struct NotingSound : IDirectSound {
    IDirectSound* real = nullptr;
    std::vector<DSBUFFERDESC1> descs;
    std::vector<WAVEFORMATEX> formats;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateSoundBuffer(LPCDSBUFFERDESC desc, LPLPDIRECTSOUNDBUFFER buffer,
                                                IUnknown* outer) override
    {
        DSBUFFERDESC1 noted{};
        std::memcpy(&noted, desc, sizeof noted);
        descs.push_back(noted);
        formats.push_back(desc->lpwfxFormat ? *desc->lpwfxFormat : WAVEFORMATEX{});
        return real->CreateSoundBuffer(desc, buffer, outer);
    }
    HRESULT STDMETHODCALLTYPE GetCaps(LPDSCAPS caps) override { return real->GetCaps(caps); }
    HRESULT STDMETHODCALLTYPE DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER, LPLPDIRECTSOUNDBUFFER) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Compact() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSpeakerConfig(LPDWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetSpeakerConfig(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Initialize(LPCGUID) override { return E_NOTIMPL; }
};

TEST(Win32Effects, TheNineWavesBecomeStaticBuffersOfTheirOwnBytesAndAreReleased)
{
    const Sorvel& s = sorvel();
    ASSERT_EQ(s.ready(game_window(), 2, 44100, 16, 0.1f, 1, 0), 1); // already open: stays
    NotingSound noting;
    noting.real = reinterpret_cast<IDirectSound*>(s.get_direct_sound());
    ASSERT_NE(noting.real, nullptr);
    sound_attach_device(reinterpret_cast<platform::AudioDevice*>(static_cast<IDirectSound*>(&noting)));

    const char* const waves[] = {"WAVE_GO",  "WAVE_AZARASHI", "WAVE_READY", "WAVE_SHOT", "WAVE_HIT",
                                 "WAVE_OUT", "WAVE_NEW",      "WAVE_SAFE",  "WAVE_COUNT"};
    for (int id = 0; id < 9; ++id) ASSERT_EQ(sound_load_wave(waves[id], id), 1) << waves[id];
    ASSERT_EQ(noting.descs.size(), 9u);

    std::vector<IDirectSoundBuffer*> buffers;
    for (int id = 0; id < 9; ++id) {
        SCOPED_TRACE(waves[id]);
        platform::WaveFormat format{};
        uint32_t size = 0;
        uint8_t* samples = nullptr;
        ASSERT_EQ(wave_read(waves[id], "WAVE", &format, &size, &samples), 1);
        const std::vector<uint8_t> expected(samples, samples + size);
        delete[] samples;

        // The first form of the buffer description, whatever size it has in this
        // build, and the game's flags.
        const DSBUFFERDESC1& desc = noting.descs[size_t(id)];
        EXPECT_EQ(desc.dwSize, sizeof(DSBUFFERDESC1));
        EXPECT_EQ(desc.dwSize, sizeof(void*) == 8 ? 24u : 20u);
        EXPECT_EQ(desc.dwFlags, 0x80E2u);
        EXPECT_EQ(desc.dwBufferBytes, size);
        EXPECT_EQ(std::memcmp(&noting.formats[size_t(id)], &format, platform::WAVE_FORMAT_SIZE), 0);

        auto* buffer = reinterpret_cast<IDirectSoundBuffer*>(sound_slot(id));
        ASSERT_NE(buffer, nullptr);
        DSBCAPS caps{};
        caps.dwSize = sizeof caps;
        ASSERT_EQ(buffer->GetCaps(&caps), DS_OK);
        EXPECT_EQ(caps.dwFlags & 0x80E2u, 0x80E2u);
        EXPECT_EQ(caps.dwBufferBytes, size);
        void* part1 = nullptr;
        void* part2 = nullptr;
        DWORD bytes1 = 0;
        DWORD bytes2 = 0;
        ASSERT_EQ(buffer->Lock(0, size, &part1, &bytes1, &part2, &bytes2, 0), DS_OK);
        ASSERT_EQ(bytes1, size);
        EXPECT_EQ(std::memcmp(part1, expected.data(), size), 0) << "the buffer does not hold the wave's bytes";
        buffer->Unlock(part1, bytes1, part2, bytes2);
        buffer->AddRef();
        buffers.push_back(buffer);
    }

    sound_release_all();
    for (int id = 0; id < 9; ++id) EXPECT_EQ(sound_slot(id), nullptr);
    // Ours was the last reference: the game let go of every buffer.
    for (IDirectSoundBuffer* buffer : buffers) EXPECT_EQ(buffer->Release(), 0u);
    sound_attach_device(nullptr);
}

} // namespace
