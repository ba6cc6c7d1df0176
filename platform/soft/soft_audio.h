// The platform audio operations that are the same wherever the software
// mixer plays (SDL, the web): the static buffers are its voices. Each
// backend opens and closes its own output and says where its mixer is.
#pragma once

#include "platform/audio.h"
#include "platform/soft/soft_mixer.h"

namespace platform {

struct AudioBuffer {
    SoftVoice voice;
};

} // namespace platform

// The backend's answer: the mixer of an open device (never null for one).
SoftMixer* soft_audio_mixer(platform::AudioDevice* device);
