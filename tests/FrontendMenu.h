#pragma once
// The menu's option groups and check boxes on a hidden screen form, with click actions that do
// what the main menu's do for the settings file (depth, size, start level, game type) and log
// every click. Used by the settings and start-level tests and by the settings fuzzer.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "frontend/SettingsFile.h"
#include "frontend/UnlockedLevels.h"
#include "platform/Forms.h"

namespace gorb::test {

struct TestMenu {
    std::unique_ptr<Form> form = std::make_unique<Form>(FormKind::Screen);
    OptionGroup& optColor = Group(3);
    OptionGroup& optRes = Group(3);
    OptionGroup& optControls = Group(2);
    OptionGroup& optLevel = Group(11);
    OptionGroup& optDifficulty = Group(2);
    OptionGroup& optPilot = Group(2);
    OptionGroup& optPlay = Group(2);
    CheckBox& chkFire = form->Add<CheckBox>();
    CheckBox& chkBack = form->Add<CheckBox>();
    CheckBox& chkCollision = form->Add<CheckBox>();
    CheckBox& chkOverload = form->Add<CheckBox>();

    Integer StartLevel = 0;
    Integer HighestLevelNormal = 0;
    Integer HighestLevelRandom = 0;
    Boolean SoundEnabled = False;
    Long JoySaturation = 0;
    Integer JoyFireButton = 0;
    Integer JoyBombButton = 0;
    Integer JoyEjectButton = 0;
    Integer GameBitDepth = 0;
    Long ScreenWidth = 0, ScreenHeight = 0;
    std::vector<std::string> Clicks;

    SettingsBinding Binding() {
        return {{optColor, optRes, optControls, optLevel, optDifficulty, optPilot, optPlay, chkFire, chkBack,
                 chkCollision, chkOverload},
                {StartLevel, HighestLevelNormal, HighestLevelRandom, SoundEnabled, JoySaturation, JoyFireButton,
                 JoyBombButton, JoyEjectButton}};
    }

    TestMenu() {
        Log(optColor, "color", [this](Integer i) { GameBitDepth = static_cast<Integer>(i == 0 ? 8 : i == 1 ? 16 : 32); });
        Log(optRes, "res", [this](Integer i) {
            static const Long w[] = {640, 800, 1024}, h[] = {480, 600, 768};
            ScreenWidth = w[i];
            ScreenHeight = h[i];
        });
        Log(optControls, "controls", nullptr);
        Log(optLevel, "level", [this](Integer i) { StartLevel = i; });
        Log(optDifficulty, "difficulty", nullptr);
        Log(optPilot, "pilot", nullptr);
        Log(optPlay, "play", [this](Integer i) {
            ShowUnlockedLevels(optLevel, HighestLevelNormal, HighestLevelRandom, i);
        });
        for (CheckBox* box : {&chkFire, &chkBack, &chkCollision, &chkOverload})
            box->OnClick = [this, box] { Clicks.push_back("check " + std::to_string(box->Value())); };
        // As start-up leaves the menu before the file is read.
        optPlay.Select(0);
        optLevel.Select(0);
        optPilot.Select(0);
        optControls.Select(0);
        optDifficulty.Select(0);
        optColor.Select(1);
        optRes.Select(0);
        Clicks.clear();
    }

private:
    OptionGroup& Group(int buttons) {
        OptionGroup& g = form->AddOptionGroup();
        for (int i = 0; i < buttons; ++i) g.Add(*form);
        return g;
    }
    void Log(OptionGroup& g, std::string name, std::function<void(Integer)> then) {
        g.OnClick = [this, name, then](Integer i) {
            Clicks.push_back(name + " " + std::to_string(i));
            if (then) then(i);
        };
    }
};

}  // namespace gorb::test
