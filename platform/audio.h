// The audio device the music library opens and the effects borrow.
#pragma once

namespace platform {

struct AudioDevice;

} // namespace platform
