// Until the library's player lands there is no device and no tune.
#include "sorvel/sorvel.h"

extern "C" {

int sorvel_Ready(platform::Window*, int, int, int, float, int, int)
{
    return 0;
}

platform::AudioDevice* sorvel_GetDirectSound()
{
    return nullptr;
}

int sorvel_Tune_Load(int, const char*, const char*)
{
    return 0;
}

int sorvel_Tune_Start(int, int)
{
    return 0;
}

int sorvel_Tune_Stop()
{
    return 0;
}
}
