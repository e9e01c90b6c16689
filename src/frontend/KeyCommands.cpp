#include "frontend/KeyCommands.h"

#include "frontend/GameForm.h"

namespace gorb {

namespace {
constexpr Integer kEsc = 27;
constexpr Integer kSpace = 32;
}  // namespace

void Form_KeyPress(GameForm& f, Integer& keyAscii) {
    if (keyAscii == kEsc) return;
    // Space skips a running picture sequence; any other key withdraws a skip not yet acted on.
    f.SkipRequested = ToBoolean(keyAscii == kSpace && f.SequenceActive == True);
}

}  // namespace gorb
