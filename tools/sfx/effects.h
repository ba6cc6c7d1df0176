// Every sound of the game, one recipe each. Each returns a finished Sound
// (mono unless noted) ready for write_wave().
#pragma once

#include "synth.h"

namespace sfx {

// cues.cpp: the short gameplay sounds
Sound make_go();
Sound make_shot();
Sound make_hit();
Sound make_out();
Sound make_safe();
Sound make_count();

// voice.cpp: the seal's call on the title screen (stereo)
Sound make_azarashi();

// jingles.cpp: the little tunes
Sound make_ready();
Sound make_new();

// instruments.cpp: raw material for the music synthesizer
Sound make_wave100();
Sound make_wave_wave100();
Sound make_bass02();
Sound make_snare01();
Sound make_hiclose();
Sound make_hiopen();

} // namespace sfx
