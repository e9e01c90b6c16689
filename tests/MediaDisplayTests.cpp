#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MediaTestDir.h"
#include "media/Blit.h"
#include "media/ErrorLog.h"
#include "media/MediaState.h"
#include "platform/Clock.h"
#include "platform/Display.h"

using namespace gorb;
using gorb::testing::ReadFile;
using gorb::testing::ScopedWorkDir;

namespace {

class MediaDisplay : public ::testing::Test {
protected:
    void SetUp() override {
        UseHeadlessHost();
        media.Hooks.MessageBox = [this](const std::string& t) { boxes.push_back(t); };
        media.Hooks.UnloadMainForm = [this] { ++unloads; };
    }
    void TearDown() override {
        ReleaseDirectDraw(media);
        ShutdownDisplay();
        UseVirtualClock(false);
    }
    void FailAt(std::string failStep, int32_t number) {
        media.Hooks.OnStep = [failStep, number](std::string_view step) {
            if (step == failStep) throw PlatformError(number, "Test failure", "DirectDraw");
        };
    }

    ScopedWorkDir wd;
    MediaState media;
    DisplayFields fields;
    SheetSizes sizes;
    std::vector<std::string> boxes;
    int unloads = 0;
};

}  // namespace

TEST_F(MediaDisplay, PlayAreaMiscSheetAndColourKeyInEveryMode) {
    struct { int32_t w, h, x, y; } modes[] = {{640, 480, 14, 75}, {800, 600, 94, 135}, {1024, 768, 206, 219}};
    for (auto m : modes) {
        for (int bits : {8, 16, 32}) {
            SetupDirectX(media, fields, sizes, bits, m.w, m.h);
            ASSERT_TRUE(boxes.empty()) << boxes.front();
            EXPECT_EQ(fields.PlayAreaX, m.x) << m.w;
            EXPECT_EQ(fields.PlayAreaY, m.y) << m.w;
            EXPECT_EQ(media.Display.DDraw->ModeBitsPerPixel(), bits);
            EXPECT_EQ(sizes.MiscSheetWidth, 472);
            EXPECT_EQ(sizes.MiscSheetHeight, 134);
            // The key is the raw (205, 1) pixel of "misc" in the mode's own format.
            EXPECT_EQ(static_cast<uint32_t>(fields.ColorKeyPixel), MapColor(bits, 255, 0, 255)) << bits;
            EXPECT_EQ(media.Display.Key.low, fields.ColorKeyPixel);
            EXPECT_EQ(media.Display.Key.high, fields.ColorKeyPixel);
            EXPECT_EQ(media.Display.GfxMisc->KeyValue(), static_cast<uint32_t>(fields.ColorKeyPixel));
            EXPECT_EQ(media.Display.BackBuffer->Width(), 612);
            EXPECT_EQ(media.Display.BackBuffer->Height(), 330);
            ReleaseDirectDraw(media);
            ReleaseDirectDraw(media);  // a second release changes nothing
            EXPECT_FALSE(media.Display.DDraw);
            EXPECT_FALSE(media.Display.PrimarySurface);
        }
    }
    EXPECT_EQ(unloads, 0);
}

TEST_F(MediaDisplay, FailureAtTheFirstFailingStepLogsNoDrivers) {
    FailAt("GetDDEnum command.", dderr::NoDirectDrawHW);
    SetupDirectX(media, fields, sizes, 16, 640, 480);
    EXPECT_EQ(ReadFile(kErrorLogName),
              "\"SetupDirectX:  Error While GetDDEnum command.\"\r\n"
              "\"Error was Test failure\"\r\n"
              "\"DDenum count:  0\"\r\n"
              "\"Error was NoDirectDrawHW\"\r\n");
    EXPECT_EQ(boxes, std::vector<std::string>{"SetupDirectX:  Error While GetDDEnum command."});
    EXPECT_EQ(unloads, 1);
}

TEST_F(MediaDisplay, AFailedModeIsLoggedAndTheDisplayReleasedBeforeTheMessage) {
    bool releasedAtMessage = false;
    media.Hooks.MessageBox = [this, &releasedAtMessage](const std::string& t) {
        boxes.push_back(t);
        releasedAtMessage = !media.Display.DDraw && !media.Display.PrimarySurface;
    };
    SetupDirectX(media, fields, sizes, 12, 640, 480);  // no such depth
    std::string log = ReadFile(kErrorLogName);
    EXPECT_EQ(log.substr(0, log.find("\r\n")), "\"SetupDirectX:  Error While SetDisplayMode command.\"");
    EXPECT_NE(log.find("\"DDenum count:  1\"\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("\"Error was InvalidParams\"\r\n"), std::string::npos) << log;
    EXPECT_TRUE(releasedAtMessage);
    EXPECT_EQ(unloads, 1);
}

TEST(MediaDisplayLog, LastLineChosenByErrorNumber) {
    struct { int32_t number; const char* last; } cases[] = {
        {static_cast<int32_t>(0x88760232u), "Error was DirectDrawAlreadyCreated"},
        {static_cast<int32_t>(0x80004005u), "Error was Generic"},
        {static_cast<int32_t>(0x88760231u), "Error was InvalidDirectDrawGUID"},
        {5, "Error was InvalidParams"},
        {static_cast<int32_t>(0x88760233u), "Error was NoDirectDrawHW"},
        {7, "Error was OutOfMemory"},
        {static_cast<int32_t>(0x887601C2u), "Error Num:  -2005532222"},
        {326, "Error Num:  326"},
    };
    for (auto c : cases) {
        auto lines = SetupDirectXErrorLines("SetDisplayMode command.", PlatformError(c.number, "x"), 1);
        ASSERT_EQ(lines.size(), 4u);
        EXPECT_EQ(lines[0], "SetupDirectX:  Error While SetDisplayMode command.");
        EXPECT_EQ(lines[1], "Error was x");
        EXPECT_EQ(lines[2], "DDenum count:  1");
        EXPECT_EQ(lines[3], c.last);
    }
}

TEST_F(MediaDisplay, SheetsAreLoadedKeyedAndSized) {
    SetupDirectX(media, fields, sizes, 16, 800, 600);
    for (int run = 0; run < 2; ++run) {  // a second game start in the same mode replaces them
        SetupDirectXObjects(media, sizes);
        ASSERT_TRUE(boxes.empty()) << boxes.front();
        struct { int n; Long w, h; } sheets[] = {{1, 67, 715}, {7, 75, 387}, {9, 110, 660}, {35, 430, 924},
                                                  {42, 40, 416}, {53, 40, 416}};
        for (auto s : sheets) {
            EXPECT_EQ(sizes.VorpexSheetWidths[s.n], s.w) << s.n;
            EXPECT_EQ(sizes.VorpexSheetHeights[s.n], s.h) << s.n;
        }
        EXPECT_EQ(sizes.TileSheetWidth, 640);
        EXPECT_EQ(sizes.TileSheetHeight, 480);
        EXPECT_EQ(sizes.PlayerSheetWidth, 80);
        EXPECT_EQ(sizes.BulletSheetHeight, 136);
        EXPECT_FALSE(media.Display.VorpexSheets[0]);
        EXPECT_FALSE(media.Display.VorpexSheets[54]);
        for (int n = 1; n <= kVorpexSheetCount; ++n) {
            ASSERT_TRUE(media.Display.VorpexSheets[n]) << n;
            EXPECT_EQ(media.Display.VorpexSheets[n]->KeyValue(), static_cast<uint32_t>(fields.ColorKeyPixel));
            EXPECT_EQ(media.Display.VorpexSheets[n].use_count(), 1) << n;
        }
        for (const SurfaceRef* s : {&media.Display.GfxPlayer, &media.Display.GfxExplode, &media.Display.GfxIce,
                                    &media.Display.GfxBullet, &media.Display.GfxTiles})
            EXPECT_EQ((*s)->KeyValue(), static_cast<uint32_t>(fields.ColorKeyPixel));
    }
}

TEST_F(MediaDisplay, AFailingSheetIsNamedInLogAndMessage) {
    SetupDirectX(media, fields, sizes, 32, 640, 480);
    FailAt(" creating Zorbel Buffer # 5", err::ResourceNotFound);
    SetupDirectXObjects(media, sizes);
    EXPECT_EQ(ReadFile(kErrorLogName),
              "\"SetupDirectXObjects:  Error While  creating Zorbel Buffer # 5\"\r\n"
              "\"Error was Test failure\"\r\n"
              "\"Error source:  DirectDraw\"\r\n"
              "\"Error Num:  326\"\r\n");
    EXPECT_EQ(boxes, std::vector<std::string>{"SetupDirectXObjects:  Error While  creating Zorbel Buffer # 5"});
    EXPECT_EQ(unloads, 1);
    EXPECT_FALSE(media.Display.VorpexSheets[4]);  // the display was released
    EXPECT_FALSE(media.Display.DDraw);
}

TEST_F(MediaDisplay, AFailingBlitShowsFiveMessagesAndUnloads) {
    SetupDirectX(media, fields, sizes, 8, 640, 480);
    // A source rectangle reaching past the 472-wide misc sheet is an error of the blit.
    BlitRect src{460, 0, 500, 20}, dest{-10, 5, 30, 25};
    BlitToBackBuffer(media, media.Display.GfxMisc, src, dest, 472, 134, "Vorpex GFX");
    std::vector<std::string> want = {
        "Unexpected Error Blitting to Backbuffer Vorpex GFX",
        "SRC Left:  470 & SRC Top:  0",  // the rectangles as clipped
        "SRC Right:  500 & SRC Bot:  20",
        "DEST Left:  0 & DEST Top:  5",
        "DEST Right:  30 & DEST Bot:  25",
    };
    EXPECT_EQ(boxes, want);
    EXPECT_EQ(unloads, 1);

    boxes.clear();
    src = {0, 0, 612, 330};
    dest = {-5, 75, 607, 405};
    BlitToPrimary(media, media.Display.BackBuffer, src, dest, 612, 330, "BackBuffer");
    ASSERT_EQ(boxes.size(), 5u);
    EXPECT_EQ(boxes[0], "Unexpected Error Blitting on Primary:  BackBuffer");
    EXPECT_EQ(boxes[3], "DEST Left:  -5 & DEST Top:  75");
    EXPECT_EQ(unloads, 2);
}

TEST_F(MediaDisplay, BlitsDrawKeyedOntoTheBackBufferAndOpaqueOntoTheScreen) {
    SetupDirectX(media, fields, sizes, 32, 640, 480);
    auto sprite = std::make_shared<Surface>(4, 1, 32);
    sprite->SetColorKey(DDCKEY_SRCBLT, media.Display.Key);
    // Pixels: key, red, key, green (filled through a keyed copy of the misc key pixel is not
    // needed: the raw values are written straight in).
    auto* px = static_cast<uint32_t*>(sprite->Sdl()->pixels);
    uint32_t key = static_cast<uint32_t>(fields.ColorKeyPixel);
    px[0] = key; px[1] = MapColor(32, 255, 0, 0); px[2] = key; px[3] = MapColor(32, 0, 255, 0);
    BlitRect src{0, 0, 4, 1}, dest{-1, 0, 3, 1};  // the first pixel hangs off the left edge
    BlitToBackBuffer(media, sprite, src, dest, 4, 1, "Bullet GFX");
    ASSERT_TRUE(boxes.empty());
    auto* bb = static_cast<uint32_t*>(media.Display.BackBuffer->Sdl()->pixels);
    EXPECT_EQ(bb[0], MapColor(32, 255, 0, 0));
    EXPECT_EQ(bb[1], 0u);  // key: left undrawn
    EXPECT_EQ(bb[2], MapColor(32, 0, 255, 0));

    // An empty destination draws nothing and fails nothing, even with a bad source.
    src = {900, 900, 901, 901};
    dest = {10, 10, 10, 20};
    BlitToPrimary(media, sprite, src, dest, 4, 1, "Tile Draw");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MediaDisplay, SetUpStepsRunInOrderUnderTheirTexts) {
    std::vector<std::string> steps;
    media.Hooks.OnStep = [&steps](std::string_view step) { steps.emplace_back(step); };
    SetupDirectX(media, fields, sizes, 16, 640, 480);
    const std::vector<std::string> display = {
        "SetWindowLong command.", "SetWindowPos command.", "Me.BackColor command.", "GetDDEnum command.",
        "DirectDrawCreate command.", "GetCaps command.", "SetCooperativeLevel command.",
        "SetDisplayMode command.", "creating primary buffer ddsd.", "CreateSurface command for primary buffer.",
        "creating Back buffer.", "CreateSurface command for Back buffer.", "creating Misc buffer.",
        "GfxMisc.Lock command.", "GetLockedPixel command.", "GfxMisc.Unlock command.",
        "GfxMisc.SetColorKey command."};
    EXPECT_EQ(steps, display);

    steps.clear();
    SetupDirectXObjects(media, sizes);
    ASSERT_TRUE(boxes.empty()) << boxes.front();
    std::vector<std::string> sheets;
    for (int n = 1; n <= 53; ++n) sheets.push_back(" creating Zorbel Buffer # " + std::to_string(n));
    for (const char* s : {"creating Player Buffer.", "creating Explode Buffer.", "creating Ice Buffer.",
                          "creating Bullet Buffer.", "creating Tiles Buffer."})
        sheets.emplace_back(s);
    EXPECT_EQ(steps, sheets);
    // Each named sheet went into its own surface.
    EXPECT_EQ(media.Display.GfxPlayer->Width(), 80);
    EXPECT_EQ(media.Display.GfxExplode->Width(), 149);
    EXPECT_EQ(media.Display.GfxIce->Height(), 1210);
    EXPECT_EQ(media.Display.GfxBullet->Width(), 317);
    EXPECT_EQ(media.Display.GfxTiles->Height(), 480);
    EXPECT_EQ(sizes.ExplodeSheetHeight, 657);
    EXPECT_EQ(sizes.IceSheetWidth, 168);
}
