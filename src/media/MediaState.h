#pragma once
// Everything the media layer owns: display, sound and input objects, and the hooks the
// program gives it. One value, owned by the caller and passed by reference.
#include "media/DisplaySetup.h"
#include "media/InputSetup.h"
#include "media/MediaHooks.h"
#include "media/SoundSetup.h"

namespace gorb {

struct MediaState {
    DisplayObjects Display;
    SoundObjects Sound;
    InputObjects Input;
    MediaHooks Hooks;
};

}  // namespace gorb
