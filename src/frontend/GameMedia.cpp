#include "frontend/GameMedia.h"

#include "frontend/GameForm.h"
#include "frontend/Menu.h"
#include "frontend/PictureSequences.h"
#include "frontend/SettingsFile.h"
#include "frontend/UnlockedLevels.h"
#include "world/LiveMedia.h"

namespace gorb {

std::unique_ptr<MediaPort> MakeFormMediaPort(GameForm& f) {
    auto port = std::make_unique<LiveMedia>(f.Media, f.DisplayF, f.SoundF, f.JoyF, f.JoySettings);
    FrontEndHooks& h = port->Hooks;
    h.ShowMenu = [&f](Game&, bool show) { ShowMenu(f, show); };
    h.HideOptionFrames = [&f](Game&) { HideOptionFrames(f); };
    h.WriteSettings = [&f](Game&) { WriteSettings(f); };
    h.ShowUnlockedLevels = [&f](Game&, Integer gameType) { ShowUnlockedLevels(f, gameType); };
    h.ShowEndScreen = [&f](Game&) { ShowEndScreen(f); };
    h.ShowExtroScreens = [&f](Game&) { ShowExtroScreens(f); };
    h.MessageBox = [&f](const std::string& text) { f.ShowMessage(text); };
    h.UnloadMainForm = [&f] { f.UnloadWithStatus(kExitSetupFailed); };
    return port;
}

void SyncDisplayFields(GameForm& f) {
    // The form's port is always the live one; a display set-up of the form's own (start-up)
    // goes through here before a game reads the origin, the key and the sheet sizes.
    static_cast<const LiveMedia&>(*f.Port).SyncDisplay(*f.G);
}

}  // namespace gorb
