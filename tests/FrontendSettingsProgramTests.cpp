// The settings file and the end picture in the running program: a file read at start-up sets
// the menu, the sound switch and the joystick values; the writer puts them back; the end
// picture reaches the screen at the centred layout through the display.
#include <gtest/gtest.h>

#include <fstream>

#include "FrontendHarness.h"
#include "frontend/Menu.h"
#include "frontend/PictureSequences.h"
#include "frontend/SettingsFile.h"

using namespace gorb;
using gorb::testing::FrontendHarness;
using gorb::testing::ReadFile;

namespace {

ProgramSeams DesktopSeams(int32_t bits, int32_t w, int32_t h) {
    ProgramSeams s = FrontendHarness::Seams();
    s.ListModes = [](int32_t i, DisplayModeRecord& m) { return EnumDisplaySettings(i, m); };
    s.DeviceCaps = [=](int32_t index) { return index == BITSPIXEL ? bits : index == HORZRES ? w : h; };
    return s;
}

}  // namespace

TEST(FrontendSettingsProgram, StartUpAppliesTheFileAndTheWriterPutsItBack) {
    FrontendHarness h;
    const std::string file =
        "\"COLOR=1\"\r\n\"RESOL=1\"\r\n\"CONTR=1\"\r\n\"LEVEL=3\"\r\n\"BDIFF=1\"\r\n\"PTALK=1\"\r\n"
        "\"LEVLN=lantern  \"\r\n\"LEVLR=pebble   \"\r\n\"GTYPE=0\"\r\n\"TUNE1=0\"\r\n\"TUNE2=1\"\r\n"
        "\"TUNE3=0\"\r\n\"TUNE4=1\"\r\n\"SOUND=1\"\r\n\"JOYSA=500\"\r\n\"JFIRE=3\"\r\n\"JBOMB=4\"\r\n"
        "\"JEJCT=5\"\r\n";
    std::ofstream(h.Dir.Path() / kSettingsFileName, std::ios::binary) << file;
    GameForm f(DesktopSeams(32, 1024, 768));
    ASSERT_EQ(h.Start(f), -1);

    EXPECT_EQ(f.G->Display.GameBitDepth, 16);
    EXPECT_EQ(f.G->Display.ScreenWidth, 800);  // the file's size replaces the desktop's
    EXPECT_EQ(f.optControls->Selected(), 1);
    EXPECT_EQ(f.optDifficulty->Selected(), 1);
    EXPECT_EQ(f.optPilot->Selected(), 1);
    EXPECT_EQ(f.G->Setup.StartLevel, 3);
    EXPECT_EQ(f.G->Setup.HighestLevelNormal, 4);
    EXPECT_EQ(f.G->Setup.HighestLevelRandom, 1);
    EXPECT_TRUE((*f.optLevel)[4].Visible());
    EXPECT_FALSE((*f.optLevel)[5].Visible());
    EXPECT_EQ(f.chkBack->Value(), 1);
    EXPECT_EQ(f.chkOverload->Value(), 1);
    EXPECT_EQ(f.SoundEnabled, True);
    EXPECT_EQ(f.Media.Sound.SoundOn, True);  // the load handler set up sound for it
    EXPECT_EQ(f.JoySettings.JoySaturation, 500);
    EXPECT_EQ(f.JoySettings.JoyFireButton, 3);
    EXPECT_EQ(f.JoySettings.JoyEjectButton, 5);

    std::filesystem::remove(h.Dir.Path() / kSettingsFileName);
    WriteSettings(f);
    EXPECT_EQ(ReadFile(h.Dir.Path() / kSettingsFileName), file);
}

TEST(FrontendSettingsProgram, AFileThatCouldNotBeReadIsNeverReplacedAndAFailedSaveIsReported) {
    FrontendHarness h;
    // There, but it cannot be opened: a link that leads round in a circle.
    const auto file = h.Dir.Path() / kSettingsFileName;
    std::filesystem::create_symlink(kSettingsFileName, file);
    GameForm f(DesktopSeams(32, 1024, 768));
    ASSERT_EQ(h.Start(f), -1);
    EXPECT_FALSE(f.SettingsUnreadable.empty());

    ::testing::internal::CaptureStderr();
    WriteSettings(f);
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(std::filesystem::is_symlink(file));
    EXPECT_EQ(std::filesystem::read_symlink(file), kSettingsFileName);
    const std::string why = "the file could not be read at start-up (" + f.SettingsUnreadable + "), so it is left as it was";
    EXPECT_EQ(ReadFile(h.Dir.Path() / "zorbels.log"),
              "\"WriteSettings:  Error While saving " + file.string() + "\"\r\n\"Error was " + why + "\"\r\n");
    EXPECT_NE(err.find(file.string()), std::string::npos) << err;
    EXPECT_NE(err.find(why), std::string::npos) << err;
    EXPECT_TRUE(h.Messages.empty());  // the menu goes on

    // A file that was read but cannot be saved (no write permission) is reported the same way.
    std::filesystem::remove(file);
    std::ofstream(file, std::ios::binary) << "\"COLOR=1\"\r\n";
    std::filesystem::permissions(file, std::filesystem::perms(0444));
    f.SettingsUnreadable.clear();
    ::testing::internal::CaptureStderr();
    WriteSettings(f);
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(ReadFile(file), "\"COLOR=1\"\r\n");
    EXPECT_NE(ReadFile(h.Dir.Path() / "zorbels.log").find("\"Error was the file is read-only\""), std::string::npos);
}

TEST(FrontendSettingsProgram, EndPictureIsDrawnAtTheCentredLayoutAndDroppedAfterSpace) {
    FrontendHarness h;
    GameForm f(DesktopSeams(16, 800, 600));
    ASSERT_EQ(h.Start(f), -1);
    ShowMenu(f, false);  // as in a game: no menu button takes the Space
    const int spacesBefore = h.SpacesTyped;
    ShowEndScreen(f);
    EXPECT_GE(h.SpacesTyped - spacesBefore, 1);
    EXPECT_EQ(f.SequenceActive, False);
    EXPECT_FALSE(f.Media.Display.GfxNextPicture);

    DisplayObjects& d = f.Media.Display;
    SurfaceDesc desc;
    desc.lFlags = DDSD_CAPS;
    desc.lCaps = DDSCAPS_OFFSCREENPLAIN;
    SurfaceRef end = d.DDraw->CreateSurfaceFromResource("", "end", desc);
    const Rect whole{};
    SurfaceDesc lockDesc;
    end->Lock(whole, lockDesc, DDLOCK_WAIT | DDLOCK_READONLY);
    d.PrimarySurface->Lock(whole, lockDesc, DDLOCK_WAIT | DDLOCK_READONLY);
    int same = 0, checked = 0;
    for (int y = 0; y < 480; y += 37)
        for (int x = 0; x < 640; x += 41, ++checked)
            same += d.PrimarySurface->GetLockedPixel(80 + x, 60 + y) == end->GetLockedPixel(x, y);
    d.PrimarySurface->Unlock(whole);
    end->Unlock(whole);
    EXPECT_EQ(same, checked);
}
