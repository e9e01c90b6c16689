#pragma once
// Runs the program's main form in-process on the headless host: SDL's dummy drivers, the
// virtual clock, recorded message boxes, a working directory of its own for the error log,
// and Space typed whenever a picture sequence waits for it.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "MediaTestDir.h"
#include "frontend/GameForm.h"
#include "platform/Clock.h"
#include "platform/Cursor.h"
#include "platform/Display.h"
#include "platform/MessageBox.h"
#include "platform/MessagePump.h"
#include "platform/ScriptedInput.h"

namespace gorb::testing {

class FrontendHarness {
public:
    explicit FrontendHarness(int32_t cursorCount = 0) {
        UseHeadlessHost();
        ResetCursorDisplayCount(cursorCount);
        SetMessageBoxHandler([this](const std::string& text) { Messages.push_back(text); });
        spaceHook_ = AddPumpHook([this] {
            if (Form_ && Form_->SequenceActive == True && Form_->SkipRequested != True && AutoSpace) {
                SpacesTyped++;
                ScriptText(" ");
            }
        });
    }
    ~FrontendHarness() {
        RemovePumpHook(spaceHook_);
        SetMessageBoxHandler(nullptr);
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        ShutdownDisplay();
    }
    FrontendHarness(const FrontendHarness&) = delete;
    FrontendHarness& operator=(const FrontendHarness&) = delete;

    // Seams that make the run repeatable: a fixed random seed.
    static ProgramSeams Seams() {
        ProgramSeams s;
        s.RandomSeed = 12345u;
        return s;
    }

    // Shows the main form (its whole load handler runs). Returns the exit status when the
    // form was unloaded on the way, -1 when it reached the menu.
    // The settings file goes to the test's own folder, never the program's.
    void Watch(GameForm& f) {
        Form_ = &f;
        f.Seams.SettingsFolder = Dir.Path();
    }
    int Start(GameForm& f) {
        Watch(f);
        return Catch([&] { f.Show(); });
    }
    // Runs an action that may end the program; the exit status, or -1 when it did not end.
    static int Catch(const std::function<void()>& action) {
        try {
            action();
        } catch (const ProcessEnd& end) {
            return end.Status;
        }
        return -1;
    }
    // A player's click on a control: pressed and released at its centre, then handled.
    static void Click(const Control& c) {
        SDL_Rect r = c.ScreenRect();
        ScriptClick(r.x + r.w / 2, r.y + r.h / 2);
        PumpMessages();
    }

    ScopedWorkDir Dir;
    std::vector<std::string> Messages;
    bool AutoSpace = true;
    int SpacesTyped = 0;

private:
    GameForm* Form_ = nullptr;
    int spaceHook_ = 0;
};

}  // namespace gorb::testing
