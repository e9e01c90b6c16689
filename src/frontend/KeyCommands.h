#pragma once
// Typed characters on the main form: pause, abandon, skip and the debug keys.
#include "platform/Arithmetic.h"

namespace gorb {

class GameForm;

// The main form's key-press event (the code is not changed).
void Form_KeyPress(GameForm& f, Integer& keyAscii);

}  // namespace gorb
