// The display-mode probe: options enabled from the mode list, the desktop's mode preselected,
// and the end of the program when the display lists no mode at all.
#include <gtest/gtest.h>

#include <vector>

#include "FrontendHarness.h"
#include "frontend/Menu.h"
#include "frontend/ModeProbe.h"

using namespace gorb;
using gorb::testing::FrontendHarness;

namespace {

struct Desktop {
    int32_t Bits, Width, Height;
};

ModeLister ListOf(std::vector<DisplayModeRecord> modes) {
    return [modes](int32_t i, DisplayModeRecord& m) {
        if (i < 0 || i >= static_cast<int32_t>(modes.size())) return false;
        m = modes[static_cast<size_t>(i)];
        return true;
    };
}

DeviceCapsReader CapsOf(Desktop d) {
    return [d](int32_t index) {
        if (index == BITSPIXEL) return d.Bits;
        if (index == HORZRES) return d.Width;
        if (index == VERTRES) return d.Height;
        return 0;
    };
}

DisplayModeRecord M(int16_t bits, int32_t w, int32_t h) { return DisplayModeRecord{bits, w, h}; }

}  // namespace

TEST(FrontendProbe, OptionsFollowTheModeListAndTheDesktopIsPreselected) {
    struct Case {
        const char* What;
        std::vector<DisplayModeRecord> Modes;
        Desktop Desk;
        std::array<bool, 3> Color, Res;
        Integer ColorChoice, ResChoice;
        bool Maximise;
    };
    const Case cases[] = {
        {"only 32-bit modes, 32-bit desktop: the hidden 32-bit option is chosen",
         {M(32, 640, 480), M(32, 1024, 768)}, {32, 1024, 768}, {false, false, false}, {true, false, true}, 2, 2, false},
        {"24-bit desktop counts as 16", {M(16, 800, 600)}, {24, 800, 600}, {false, true, false}, {false, true, false},
         1, 1, false},
        {"an unlisted desktop size preselects 800 x 600", {M(8, 1280, 1024)}, {8, 1280, 1024}, {true, false, false},
         {false, false, false}, 0, 1, false},
        {"depth and size are independent", {M(32, 800, 600), M(8, 1280, 1024), M(16, 1024, 768)}, {16, 640, 480},
         {true, true, false}, {false, true, true}, 1, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        ModeProbeResult r = ProbeDisplayModes(ListOf(c.Modes), CapsOf(c.Desk));
        EXPECT_TRUE(r.AnyMode);
        EXPECT_EQ(r.ColorEnabled, c.Color);
        EXPECT_EQ(r.ResEnabled, c.Res);
        EXPECT_EQ(r.DesktopBitDepth, c.Desk.Bits);
        EXPECT_EQ(r.DesktopWidth, c.Desk.Width);
        EXPECT_EQ(r.DesktopHeight, c.Desk.Height);
        EXPECT_EQ(r.ColorChoice, c.ColorChoice);
        EXPECT_EQ(r.ResChoice, c.ResChoice);
        EXPECT_EQ(r.Maximise, c.Maximise);
    }
}

TEST(FrontendProbe, NoModeReadsNoDesktop) {
    bool capsAsked = false;
    ModeProbeResult r = ProbeDisplayModes(ListOf({}), [&](int32_t) {
        capsAsked = true;
        return 32;
    });
    EXPECT_FALSE(r.AnyMode);
    EXPECT_FALSE(capsAsked);
}

TEST(FrontendProbe, OnTheFormTheChoicesRunTheirClickActions) {
    FrontendHarness h;
    ProgramSeams seams = FrontendHarness::Seams();
    seams.ListModes = ListOf({M(32, 640, 480), M(32, 1280, 1024)});
    seams.DeviceCaps = CapsOf({32, 1280, 1024});
    GameForm f(seams);
    GetScreenModes(f);
    EXPECT_FALSE((*f.optColor)[0].Enabled());
    EXPECT_FALSE((*f.optColor)[1].Enabled());
    EXPECT_TRUE((*f.optRes)[0].Enabled());
    EXPECT_FALSE((*f.optRes)[1].Enabled());
    EXPECT_TRUE(f.optColor->Value(2));  // hidden, never enabled, yet selected
    EXPECT_FALSE((*f.optColor)[2].Visible());
    EXPECT_EQ(f.G->Display.GameBitDepth, 32);
    EXPECT_TRUE(f.optRes->Value(1));
    EXPECT_EQ(f.G->Display.ScreenWidth, 800);  // the click action; start-up puts the desktop back
    EXPECT_EQ(f.G->Display.DesktopWidth, 1280);
    EXPECT_EQ(f.G->Display.DesktopHeight, 1024);
}

TEST(FrontendProbe, NoModeEndsTheProgramBeforeTheSettingsAndTheDisplay) {
    FrontendHarness h;
    ProgramSeams seams = FrontendHarness::Seams();
    seams.ListModes = ListOf({});
    std::vector<std::string> steps;
    seams.OnLoadStep = [&](GameForm&, std::string_view s) { steps.emplace_back(s); };
    seams.OnMediaStep = [&](std::string_view s) { steps.emplace_back(s); };
    GameForm f(seams);
    EXPECT_EQ(h.Start(f), kExitSetupFailed);
    EXPECT_EQ(h.Messages, std::vector<std::string>{kNoModesMessage});
    EXPECT_EQ(steps, std::vector<std::string>{"getting screen modes"});
    EXPECT_FALSE(std::filesystem::exists(h.Dir.Path() / "zorbels.log"));

    // A display that is there but cannot be drawn on says why.
    h.Messages.clear();
    seams.DisplayProblem = [] { return std::string("The desktop is odd."); };
    GameForm odd(seams);
    EXPECT_EQ(h.Start(odd), kExitSetupFailed);
    EXPECT_EQ(h.Messages, std::vector<std::string>{std::string(kNoModesMessage) + "\n\nThe desktop is odd."});
}
