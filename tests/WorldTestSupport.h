#pragma once
// A headless game for the world tests: a virtual clock, a fixed random seed, a media port that
// records every blit, sound playback and menu call in order, and small hand-made game data.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/MessagePump.h"
#include "world/World.h"

namespace gorb::test {

struct Call {
    std::string What;  // "back", "prim", "sound", "menu", "box", "load"
    std::string Label;
    SurfaceId Surface = 0;
    BlitRect Src, Dst;
    std::vector<int> Played;  // sound: the numbers played
    int First = 0, Last = 0;  // sound: the range
};

class RecordingMedia : public MediaPort {
public:
    std::vector<Call> Calls;
    bool SoundOn = true;
    std::function<void()> OnPresent;  // runs at the present of a frame (BackBuffer, full size)
    std::function<void(Game&)> OnLoadGameData;

    void BlitToBackBuffer(SurfaceId s, BlitRect& src, BlitRect& dst, Long, Long, const char* label) override {
        Calls.push_back({"back", label, s, src, dst, {}, 0, 0});
    }
    void BlitToPrimary(SurfaceId s, BlitRect& src, BlitRect& dst, Long, Long, const char* label) override {
        Calls.push_back({"prim", label, s, src, dst, {}, 0, 0});
        if (OnPresent && std::string(label) == "BackBuffer" && src.Bottom - src.Top == 330) OnPresent();
    }
    void PlayQueuedSounds(SoundRequests& r, Integer first, Integer last) override {
        Call c{"sound", "", 0, {}, {}, {}, first, last};
        if (SoundOn) {
            for (int n = first; n <= last; ++n) {
                if (r[n] != True) continue;
                c.Played.push_back(n);
                r[n] = False;
            }
        }
        Calls.push_back(c);
    }
    void LoadResourceSound(Integer n, const std::string& name) override {
        Calls.push_back({"load", name + "=" + std::to_string(n), 0, {}, {}, {}, 0, 0});
    }
    void ReleaseSoundBuffer(Integer n) override { Calls.push_back({"load", "release " + std::to_string(n), 0, {}, {}, {}, 0, 0}); }
    void ReleaseDirectDraw(Game&) override { Menu("ReleaseDirectDraw"); }
    void SetupDirectX(Game& g, Integer, Integer w, Integer h) override {
        Menu("SetupDirectX " + std::to_string(w) + "x" + std::to_string(h));
        g.Display.PlayAreaX = (w - 640) / 2 + 14;
        g.Display.PlayAreaY = (h - 480) / 2 + 75;
    }
    void SetupDirectXObjects(Game&) override { Menu("SetupDirectXObjects"); }
    void LoadLevelBackground(Game&, const std::string& name) override { Calls.push_back({"load", name, 0, {}, {}, {}, 0, 0}); }
    void SetupDirectInput(Game&) override { Menu("SetupDirectInput"); }
    void PollJoystick(Game&) override { Menu("PollJoystick"); }
    void LoadGameData(Game& g) override {
        Menu("LoadGameData");
        if (OnLoadGameData) OnLoadGameData(g);
    }
    void ShowMenu(Game&, bool show) override { Menu(show ? "ShowMenu 1" : "ShowMenu 0"); }
    void HideOptionFrames(Game&) override { Menu("HideOptionFrames"); }
    void WriteSettings(Game&) override { Menu("WriteSettings"); }
    void ShowUnlockedLevels(Game&, Integer t) override { Menu("ShowUnlockedLevels " + std::to_string(t)); }
    void ShowEndScreen(Game&) override { Menu("ShowEndScreen"); }
    void ShowExtroScreens(Game&) override { Menu("ShowExtroScreens"); }
    void MessageBox(const std::string& text) override { Calls.push_back({"box", text, 0, {}, {}, {}, 0, 0}); }

    void Menu(const std::string& what) { Calls.push_back({"menu", what, 0, {}, {}, {}, 0, 0}); }
    int Count(const std::string& what, const std::string& label) const {
        int n = 0;
        for (const auto& c : Calls) n += c.What == what && c.Label == label;
        return n;
    }
    std::vector<Call> Of(const std::string& what, const std::string& label) const {
        std::vector<Call> out;
        for (const auto& c : Calls)
            if (c.What == what && c.Label == label) out.push_back(c);
        return out;
    }
};

// Hand-made data: an enemy type 1 (60 x 30, sheet 1, propeller), the level-start object type
// 20 (holds on path 78), a boss type 5, pickups 52 and 60; path 1 flies left 7 a step, path 2
// has distinct steps and chains to path 3, path 78 stands still.
inline void FillSmallData(Game& g) {
    auto& t = g.Types.PlaneTypes;
    auto make = [&](int type, Long w, Long h, bool boss) {
        PlaneRecord& r = t[type];
        r = PlaneRecord{};
        r.TypeId = ToInteger(type);
        r.Width = w;
        r.Height = h;
        r.Sheet = 1;
        r.HitPoints = 10;
        r.IsBoss = ToBoolean(boss);
        for (int a = 0; a <= 35; ++a) {
            r.Anim[a][1] = 1;
            r.Anim[a][2] = 2;
            r.Anim[a][3] = 99;
        }
    };
    make(1, 60, 30, false);
    t[1].HasPropeller = True;
    t[1].PropX = 50;
    t[1].PropY = 4;
    make(5, 100, 80, true);
    make(19, 100, 80, true);
    make(20, 40, 40, false);
    make(24, 100, 80, true);
    make(52, 20, 20, false);
    make(59, 30, 20, false);
    make(60, 30, 20, false);
    auto& P = g.Data.PathTable;
    auto step = [&](int path, int s, int dx, int dy, int anim) {
        P[s][1][path] = ToInteger(dx);
        P[s][0][path] = ToInteger(dy);
        P[s][2][path] = ToInteger(anim);
    };
    step(1, 1, 7, 0, 1);
    step(1, 2, 7, 0, 1);
    step(1, 3, 99, 99, 1);
    step(2, 1, 1, 10, 1);
    step(2, 2, 2, 20, 1);
    step(2, 3, 99, 99, -3);
    step(3, 1, 5, 50, 3);
    step(3, 2, 6, 60, 3);
    step(3, 3, 99, 99, 3);
    step(78, 1, 0, 0, 1);
    step(78, 2, 99, 99, 1);
    for (int l = 1; l <= 13; ++l) g.Data.MissionTargets[l] = 1;
}

// Writes level L's script as rows (delay, type, path, y) from row 1; row 0 is the header.
struct Row { int Delay, Type, Path, Y; };
inline void WriteScript(Game& g, int level, const std::vector<Row>& rows) {
    auto& s = g.Data.LevelScript;
    s[0][level][0] = 10;
    int k = 1;
    for (const Row& r : rows) {
        s[0][level][k] = ToInteger(r.Delay);
        s[1][level][k] = ToInteger(r.Type);
        s[2][level][k] = ToInteger(r.Path);
        s[3][level][k] = ToInteger(r.Y);
        ++k;
    }
    s[0][level][k] = 99;
    s[1][level][k] = 99;
    s[2][level][k] = 99;
    s[3][level][k] = 99;
}

class WorldTest : public ::testing::Test {
protected:
    std::unique_ptr<Game> owned = std::make_unique<Game>();
    Game& g = *owned;
    RecordingMedia media;
    std::vector<int> hooks;

    void SetUp() override {
        UseVirtualClock(true, 1000);
        RandomizeWith(12345);
        g.Media = &media;
        g.Setup.SoundOn = True;
    }
    void TearDown() override {
        for (int h : hooks) RemovePumpHook(h);
        UseVirtualClock(false);
    }
    void OnPump(std::function<void()> f) { hooks.push_back(AddPumpHook(std::move(f))); }

    // Enters level `level` as the first level of a run (no wipe).
    void EnterLevel(int level) {
        g.Run.Level = ToInteger(level - 1);
        g.Setup.StartLevel = ToInteger(level - 1);
        g.Run.FirstLevelOfRun = True;
        g.Player().Width = 80;
        g.Player().Height = 64;
        StartNextLevel(g);
        g.Run.FirstLevelOfRun = False;
    }
    // The sound numbers requested and not yet played, in order.
    std::vector<int> Requested() const {
        std::vector<int> out;
        for (int n = 1; n <= 96; ++n)
            if (g.Sounds[n] == True) out.push_back(n);
        return out;
    }
    void ClearSounds() {
        for (int n = 0; n <= 96; ++n) g.Sounds[n] = False;
    }
    int ActiveObjects() const {
        int n = 0;
        for (int i = 1; i <= 20; ++i) n += g.Obj.Planes[i].Active == True;
        return n;
    }
};

}  // namespace gorb::test
