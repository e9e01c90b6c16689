// Feeds arbitrary bytes to the settings reader as a hand-edited "ZORBELS.INI". The reader must
// never fail or touch anything outside the menu, and its values must stay within their ranges;
// what the writer then writes must settle after one more read (a start level read before the
// game type may move down once).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "../FrontendMenu.h"
#include "frontend/SettingsFile.h"

namespace {

std::string Normalised(const std::string& text) {
    gorb::test::TestMenu m;
    gorb::ApplySettingsText(m.Binding(), text);
    return gorb::SettingsText(m.Binding());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace gorb;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    test::TestMenu m;
    ApplySettingsText(m.Binding(), input);
    if (m.HighestLevelNormal < 0 || m.HighestLevelNormal > 10 || m.HighestLevelRandom < 0 ||
        m.HighestLevelRandom > 10 || m.StartLevel < 0 || m.StartLevel > 10 || m.JoySaturation < 0 ||
        m.JoySaturation > 9999 || m.JoyFireButton < 0 || m.JoyFireButton > 128 || m.JoyBombButton < 0 ||
        m.JoyBombButton > 128 || m.JoyEjectButton < 0 || m.JoyEjectButton > 128)
        std::abort();
    const std::string once = Normalised(SettingsText(m.Binding()));
    if (Normalised(once) != once) std::abort();
    return 0;
}
