// Kept apart from Sound.cpp so that code which never loads embedded waves (tests, benchmarks)
// does not pull in the resource table.
#include "platform/Resources.h"
#include "platform/Sound.h"

namespace gorb {

SoundBuffer SoundDevice::CreateSoundBufferFromResource(std::string_view name) {
    return CreateSoundBufferFromStaticMemory(res::FindWave(name));
}

}  // namespace gorb
