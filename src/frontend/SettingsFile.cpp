#include "frontend/SettingsFile.h"

#include "frontend/GameForm.h"

namespace gorb {

void ReadSettings(GameForm&) {}

void WriteSettings(GameForm&) {}

}  // namespace gorb
