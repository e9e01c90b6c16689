#pragma once
// The one media port of the world's tests and benchmarks, with no SDL behind it: it records what
// a game run asks of the outside (blits, sound playback, loads, set-up and menu calls, message
// boxes, surface locks and pixel reads) and serves what the test sets: sound on or off, the keys
// held, sheets of raw pixel values, a virtual clock that jumps to each wait's deadline, and hooks
// at the frame's present, at each showing of the screen and at each message pump.
//
// Benchmarks turn Record off and override the drawing calls with real surfaces.
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/PlatformError.h"
#include "world/MediaPort.h"

namespace gorb::test {

struct Call {
    std::string What;  // "back", "prim", "sound", "menu", "box", "load"
    std::string Label;
    SurfaceId Surface = 0;
    BlitRect Src, Dst;
    std::vector<int> Played;  // sound: the numbers played
    int First = 0, Last = 0;  // sound: the range
};

class RecordingPort : public MediaPort {
public:
    // --- Options -------------------------------------------------------------------------------
    bool Record = true;      // keep Calls, LockLog and PixelReads
    bool SoundReady = true;  // SoundOn(); with sound off the playback serves and clears nothing
    std::array<uint8_t, 256> Keys{};  // the keyboard as each read finds it (non-zero = down)
    uint32_t Now = 1000;              // the tick count; only waits move it, to deadline + 1
    std::function<void()> OnPresent;      // the frame's copy of the whole play area to the screen
    std::function<void()> OnShowScreen;   // PresentScreen
    std::vector<std::function<void()>> PumpHooks;  // each message pump runs them in order
    std::function<void(Game&)> OnLoadGameData;

    // Sheets of raw pixel values, by surface. A surface without one reads every pixel as 0, the
    // colour key a game starts with, so nothing ever touches.
    struct Sheet {
        Long W = 0, H = 0;
        std::vector<Long> Px;
    };
    std::map<SurfaceId, Sheet> Sheets;
    // A sheet of w x h filled with one value.
    void MakeSheet(SurfaceId s, Long w, Long h, Long value) {
        Sheets[s] = Sheet{w, h, std::vector<Long>(static_cast<size_t>(w * h), value)};
    }
    void Paint(SurfaceId s, Long x, Long y, Long w, Long h, Long value) {
        Sheet& sh = Sheets.at(s);
        for (Long j = y; j < y + h; ++j)
            for (Long i = x; i < x + w; ++i) sh.Px.at(static_cast<size_t>(j * sh.W + i)) = value;
    }

    // --- What was recorded ---------------------------------------------------------------------
    std::vector<Call> Calls;
    std::vector<std::string> Boxes;  // every message box, recorded or not
    struct PixelRead {
        SurfaceId S;
        Long X, Y;
    };
    std::vector<PixelRead> PixelReads;
    std::vector<std::string> LockLog;  // "lock 104", "unlock 1", ...
    std::map<SurfaceId, int> Locks;    // locks held now
    int KeyReads = 0, Pumps = 0, ScreenShows = 0;

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
    bool AnyLocked() const {
        for (const auto& [s, n] : Locks)
            if (n != 0) return true;
        return false;
    }

    // --- The port ------------------------------------------------------------------------------
    void BlitToBackBuffer(SurfaceId s, BlitRect& src, BlitRect& dst, Long, Long, const char* label) override {
        if (Record) Add({"back", label, s, src, dst, {}, 0, 0});
    }
    void BlitToPrimary(SurfaceId s, BlitRect& src, BlitRect& dst, Long, Long, const char* label) override {
        if (Record) Add({"prim", label, s, src, dst, {}, 0, 0});
        if (OnPresent && std::string(label) == "BackBuffer" && src.Bottom - src.Top == kPlayAreaHeight) OnPresent();
    }

    void LockSurface(SurfaceId s) override {
        Log("lock " + std::to_string(s));
        ++Locks[s];
    }
    void UnlockSurface(SurfaceId s) override {
        Log("unlock " + std::to_string(s));
        if (Locks[s] <= 0) throw PlatformError(err::Generic, "unlock of an unlocked surface");
        --Locks[s];
    }
    Long GetLockedPixel(SurfaceId s, Long x, Long y) override {
        if (Record) PixelReads.push_back({s, x, y});
        if (Locks[s] <= 0) throw PlatformError(err::Generic, "read of an unlocked surface");
        const auto it = Sheets.find(s);
        if (it == Sheets.end()) return 0;
        const Sheet& sh = it->second;
        if (x < 0 || y < 0 || x >= sh.W || y >= sh.H)
            throw PlatformError(err::InvalidProcedureCall, "read outside the surface");
        return sh.Px[static_cast<size_t>(y * sh.W + x)];
    }

    bool SoundOn() const override { return SoundReady; }
    void PlayQueuedSounds(SoundRequests& r, Integer first, Integer last) override {
        Call c{"sound", "", 0, {}, {}, {}, first, last};
        if (SoundReady) {
            for (int n = first; n <= last; ++n) {
                if (r[n] != True) continue;
                if (Record) c.Played.push_back(n);
                r[n] = False;
            }
        }
        if (Record) Add(std::move(c));
    }
    void LoadResourceSound(Integer n, const std::string& name) override { Load(name + "=" + std::to_string(n)); }
    void ReleaseSoundBuffer(Integer n) override { Load("release " + std::to_string(n)); }

    void ReleaseDirectDraw(Game&) override { Menu("ReleaseDirectDraw"); }
    void SetupDirectX(Game& g, Long, Long w, Long h) override {
        Menu("SetupDirectX " + std::to_string(w) + "x" + std::to_string(h));
        PlacePlayArea(g.Display, w, h);
    }
    void SetupDirectXObjects(Game&) override { Menu("SetupDirectXObjects"); }
    void LoadLevelBackground(Game&, const std::string& name) override { Load(name); }

    void SetupDirectInput(Game&) override { Menu("SetupDirectInput"); }
    void PollJoystick(Game&) override { Menu("PollJoystick"); }
    void ReadKeyboardState(Game& g) override {
        ++KeyReads;
        g.Controls.KeyboardState = Keys;
    }

    uint32_t GetTickCount() override { return Now; }
    void WaitUntilPast(uint32_t deadline) override {
        if (!TickPast(Now, deadline)) Now = deadline + 1;
    }
    void Rest(uint32_t) override {}
    void PresentScreen() override {
        ++ScreenShows;
        if (OnShowScreen) OnShowScreen();
    }
    void PumpMessages() override {
        ++Pumps;
        // A copy: a hook may add another.
        const auto hooks = PumpHooks;
        for (const auto& h : hooks) h();
    }

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
    void MessageBox(const std::string& text) override {
        Boxes.push_back(text);
        if (Record) Add({"box", text, 0, {}, {}, {}, 0, 0});
    }

    void Menu(const std::string& what) {
        if (Record) Add({"menu", what, 0, {}, {}, {}, 0, 0});
    }

private:
    void Add(Call c) { Calls.push_back(std::move(c)); }
    void Load(const std::string& what) {
        if (Record) Add({"load", what, 0, {}, {}, {}, 0, 0});
    }
    void Log(std::string line) {
        if (Record) LockLog.push_back(std::move(line));
    }
};

}  // namespace gorb::test
