// The forms toolkit: option groups, check boxes, access keys and focus, key-press codes, message
// boxes, the cursor count, and what the controls paint onto the screen surface.
#include <gtest/gtest.h>

#include <SDL.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Cursor.h"
#include "platform/Forms.h"
#include "platform/GamePalette.h"
#include "platform/MessageBox.h"
#include "platform/MessagePump.h"
#include "platform/PlatformError.h"
#include "platform/Screen.h"
#include "platform/ScriptedInput.h"
#include "platform/Text.h"

using namespace gorb;

namespace {

struct SurfaceDeleter {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

SurfacePtr MakeScreen(uint32_t format, int w = 640, int h = 480) {
    SurfacePtr s(SDL_CreateRGBSurfaceWithFormat(0, w, h, SDL_BITSPERPIXEL(format), format));
    if (format == SDL_PIXELFORMAT_INDEX8) {
        SDL_Color colors[256];
        const auto& pal = GamePalette();
        for (int i = 0; i < 256; ++i) colors[i] = {pal[i].r, pal[i].g, pal[i].b, 255};
        SDL_SetPaletteColors(s->format->palette, colors, 0, 256);
    }
    return s;
}

// The colour a surface really holds after c is written to it.
Rgb Mapped(const SDL_Surface* s, Rgb c) {
    Rgb r;
    SDL_GetRGB(MapColor(s, c), s->format, &r.r, &r.g, &r.b);
    return r;
}

int CountColor(const SDL_Surface* s, const SDL_Rect& r, Rgb c) {
    int n = 0;
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x)
            if (PixelColor(s, x, y) == c) ++n;
    return n;
}

// Red text blended into a grey face: counted as text where red clearly dominates.
int CountReddish(const SDL_Surface* s, const SDL_Rect& r) {
    int n = 0;
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x) {
            Rgb c = PixelColor(s, x, y);
            if (c.r >= 128 && c.g < 100 && c.b < 100) ++n;
        }
    return n;
}

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};

class ToolkitTest : public ::testing::Test {
protected:
    void SetUp() override { Prepare(SDL_PIXELFORMAT_RGB888); }

    void Prepare(uint32_t format) {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        UseVirtualClock(true);
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        screen = MakeScreen(format);
        SDL_Surface* raw = screen.get();
        SetScreenProvider([raw] { return raw; });
        ResetCursorDisplayCount(0);
        form = std::make_unique<Form>(FormKind::Screen);
        form->SetBackColor(kBlack);
    }

    void TearDown() override {
        form.reset();
        SetScreenProvider(nullptr);
        SetMessageBoxHandler(nullptr);
        SetWindowToScreenMapper(nullptr);
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        UseVirtualClock(false);
    }

    CommandButton& AddButton(const std::string& caption, SDL_Rect r) {
        auto& b = form->Add<CommandButton>();
        b.SetCaption(caption);
        b.Move(r.x, r.y, r.w, r.h);
        return b;
    }

    static void ClickCentre(const Control& c) {
        SDL_Rect r = c.ScreenRect();
        ScriptClick(r.x + r.w / 2, r.y + r.h / 2);
        PumpMessages();
    }

    SurfacePtr screen;
    std::unique_ptr<Form> form;
};

// ---------------------------------------------------------------------------------------------
// Option groups and check boxes

TEST_F(ToolkitTest, OptionGroupSelectsExclusivelyAndClicksAlsoOnReselectionByCode) {
    auto& frame = form->Add<Frame>();
    frame.Move(20, 20, 200, 120);
    OptionGroup& group = form->AddOptionGroup();
    std::vector<Integer> clicks;
    group.OnClick = [&](Integer i) { clicks.push_back(i); };
    for (int i = 0; i < 3; ++i) group.Add(frame).Move(10, 10 + 30 * i, 120, 25);
    EXPECT_EQ(group.Selected(), -1);
    EXPECT_EQ(group[2].Index(), 2);

    group.Select(1);
    group.Select(1);  // again: the click event runs again
    group.Select(2);
    EXPECT_EQ(clicks, (std::vector<Integer>{1, 1, 2}));
    EXPECT_FALSE(group.Value(1));
    EXPECT_TRUE(group[2].Value());
    EXPECT_EQ(group.Selected(), 2);

    // Hidden and disabled options cannot be clicked, yet code can still select them.
    form->Show();
    group[0].SetEnabled(false);
    ClickCentre(group[0]);
    group[1].SetVisible(false);
    ClickCentre(group[1]);
    EXPECT_EQ(clicks.size(), 3u);
    group.Select(0);
    EXPECT_EQ(group.Selected(), 0);

    // The player's click on the selected button runs the event too.
    group[1].SetVisible(true);
    ClickCentre(group[1]);
    ClickCentre(group[1]);
    EXPECT_EQ(clicks, (std::vector<Integer>{1, 1, 2, 0, 1, 1}));
    EXPECT_EQ(group.Selected(), 1);
    EXPECT_THROW(group.Select(3), PlatformError);
}

TEST_F(ToolkitTest, CheckBoxClickEventRunsOnlyWhenTheValueChanges) {
    auto& box = form->Add<CheckBox>();
    box.Move(10, 10, 150, 30);
    int clicks = 0;
    box.OnClick = [&] { ++clicks; };
    box.SetValue(0);
    EXPECT_EQ(clicks, 0);
    box.SetValue(1);
    box.SetValue(1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(box.Value(), 1);
    EXPECT_THROW(box.SetValue(2), PlatformError);

    form->Show();
    ClickCentre(box);  // the player's click toggles
    EXPECT_EQ(box.Value(), 0);
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(box.HasFocus());
    ScriptText(" ");  // Space on the focused box toggles it back
    PumpMessages();
    EXPECT_EQ(box.Value(), 1);
    EXPECT_EQ(clicks, 3);
}

// An Alt pressed while the last form went away was never seen released: the next form must not
// take typed characters for Alt combinations.
TEST_F(ToolkitTest, AnAltHeldWhenTheLastFormGoesIsNotCarriedOver) {
    form->Show();
    SDL_Event alt{};
    alt.type = SDL_KEYDOWN;
    alt.key.state = SDL_PRESSED;
    alt.key.keysym.sym = SDLK_LALT;
    alt.key.keysym.scancode = SDL_SCANCODE_LALT;
    SDL_PushEvent(&alt);
    PumpMessages();
    form.reset();

    form = std::make_unique<Form>(FormKind::Screen);
    auto& box = form->Add<CheckBox>();
    box.Move(10, 10, 150, 30);
    form->Show();
    ClickCentre(box);
    EXPECT_EQ(box.Value(), 1);
    ScriptText(" ");
    PumpMessages();
    EXPECT_EQ(box.Value(), 0);
}

// ---------------------------------------------------------------------------------------------
// Access keys, focus and clicks

TEST(AccessKeyText, AmpersandMarksTheKeyAndDoubleAmpersandShowsOne) {
    struct {
        const char* caption;
        const char* shown;
        int underline;
        char32_t key;
    } cases[] = {
        {"&Configure", "Configure", 0, U'c'},
        {"E&xit", "Exit", 1, U'x'},
        {"a&&b", "a&b", -1, 0},
        {"Turn OFF Fire Trails && Smoke Puffs:", "Turn OFF Fire Trails & Smoke Puffs:", -1, 0},
        {"&&&Go", "&Go", 1, U'g'},
        {"No key", "No key", -1, 0},
        {"trailing&", "trailing", -1, 0},
    };
    for (auto& c : cases) {
        AccessKeyText t = ParseAccessKey(c.caption);
        EXPECT_EQ(t.Text, c.shown) << c.caption;
        EXPECT_EQ(t.UnderlineAt, c.underline) << c.caption;
        EXPECT_EQ(t.Key, c.key) << c.caption;
    }
}

TEST_F(ToolkitTest, AltWithTheAccessKeyClicksOnlyAUsableButton) {
    int exits = 0, begins = 0, framed = 0;
    auto& exit = AddButton("E&xit", {8, 432, 113, 41});
    exit.OnClick = [&] { ++exits; };
    auto& begin = AddButton("&Begin", {520, 432, 113, 41});
    begin.OnClick = [&] { ++begins; };
    auto& frame = form->Add<Frame>();
    frame.Move(200, 100, 150, 100);
    auto& inner = frame.Add<CommandButton>();
    inner.SetCaption("&Frame");
    inner.Move(10, 20, 100, 25);
    inner.OnClick = [&] { ++framed; };
    form->Show();

    ScriptAltKey('x');
    ScriptAltKey('B');  // either letter case
    ScriptAltKey('f');
    PumpMessages();
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(begins, 1);
    EXPECT_EQ(framed, 1);
    EXPECT_TRUE(inner.HasFocus());  // the access key moves the focus too

    // Without Alt the letter is only a typed character; hidden, disabled or framed-away
    // buttons ignore their key.
    ScriptText("x");
    exit.SetEnabled(false);
    begin.SetVisible(false);
    frame.SetVisible(false);
    EXPECT_EQ(form->ActiveControl(), nullptr);
    ScriptAltKey('x');
    ScriptAltKey('b');
    ScriptAltKey('f');
    PumpMessages();
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(begins, 1);
    EXPECT_EQ(framed, 1);
}

TEST_F(ToolkitTest, EnterOrSpaceClicksTheFocusedButtonAfterTheKeyPressEvent) {
    std::vector<std::string> log;
    auto& a = AddButton("&Alpha", {10, 10, 100, 25});
    a.OnClick = [&] { log.push_back("a"); };
    auto& b = AddButton("B&eta", {10, 50, 100, 25});
    b.OnClick = [&] { log.push_back("b"); };
    form->OnKeyPress = [&](Integer& k) { log.push_back(std::string("key").append(std::to_string(k))); };

    form->Show();
    EXPECT_TRUE(b.SetFocus());
    ScriptKey(SDLK_RETURN);
    ScriptText(" ");
    PumpMessages();
    EXPECT_EQ(log, (std::vector<std::string>{"key13", "b", "key32", "b"}));

    // A click moves the focus; a hidden or disabled button cannot take it.
    log.clear();
    ClickCentre(a);
    EXPECT_TRUE(a.HasFocus());
    b.SetEnabled(false);
    EXPECT_FALSE(b.SetFocus());
    EXPECT_TRUE(a.HasFocus());
    a.SetVisible(false);  // hiding the focused button leaves no focus
    EXPECT_EQ(form->ActiveControl(), nullptr);
    ScriptKey(SDLK_RETURN);
    PumpMessages();
    EXPECT_EQ(log, (std::vector<std::string>{"a", "key13"}));

    // A key-press handler that swallows the key keeps it from the button.
    a.SetVisible(true);
    a.SetFocus();
    form->OnKeyPress = [&](Integer& k) { k = 0; };
    ScriptKey(SDLK_RETURN);
    PumpMessages();
    EXPECT_EQ(log.size(), 2u);
}

TEST_F(ToolkitTest, ClicksReachOnlyShowingEnabledControlsAndFramesCarryTheirControls) {
    int clicks = 0;
    auto& pic = form->Add<PictureBox>();  // beneath everything, lets clicks through
    pic.Move(0, 0, 640, 480);
    auto& frame = form->Add<Frame>();
    frame.Move(100, 100, 200, 100);
    auto& button = frame.Add<CommandButton>();
    button.Move(20, 30, 80, 25);
    button.OnClick = [&] { ++clicks; };
    form->Show();

    EXPECT_EQ(button.ScreenRect().x, 120);
    ClickCentre(button);
    EXPECT_EQ(clicks, 1);

    frame.Move(300, 200);  // the button moves with its frame
    EXPECT_EQ(button.ScreenRect().x, 320);
    EXPECT_EQ(button.ScreenRect().y, 230);
    ScriptClick(150, 142);  // where it was
    ClickCentre(button);
    EXPECT_EQ(clicks, 2);

    frame.SetEnabled(false);
    ClickCentre(button);
    frame.SetEnabled(true);
    frame.SetVisible(false);
    EXPECT_TRUE(button.Visible());
    EXPECT_FALSE(button.Showing());
    ClickCentre(button);
    EXPECT_EQ(clicks, 2);

    // A press on one control released on another is no click; the display's mapping applies.
    frame.SetVisible(true);
    SetWindowToScreenMapper([](int& x, int& y) {
        x /= 2;
        y /= 2;
        return true;
    });
    SDL_Rect r = button.ScreenRect();
    ScriptClick(2 * (r.x + 5), 2 * (r.y + 5));
    PumpMessages();
    EXPECT_EQ(clicks, 3);
}

// ---------------------------------------------------------------------------------------------
// Key-press event, form life, window closing, timers

TEST_F(ToolkitTest, KeyPressDeliversCharacterCodesAsTyped) {
    std::vector<Integer> codes;
    form->OnKeyPress = [&](Integer& k) { codes.push_back(k); };
    // Keys reach the form while it is loaded, before it is shown (the intro runs then).
    form->OnLoad = [&] {
        ScriptKey(SDLK_ESCAPE);
        ScriptText(" pP`\\|-=b1\xC3\xA9");
        ScriptKey(SDLK_RETURN);
        PumpMessages();
    };
    form->Show();
    EXPECT_EQ(codes, (std::vector<Integer>{27, 32, 'p', 'P', '`', '\\', '|', '-', '=', 'b', '1', 0xE9, 13}));

    // Alt held: access keys only, no characters; no keys while a modal box is up.
    codes.clear();
    ScriptAltKey('p');
    PumpMessages();
    SetModalActive(true);
    ScriptText("p");
    PumpMessages();
    SetModalActive(false);
    EXPECT_TRUE(codes.empty());
}

TEST_F(ToolkitTest, SpaceCountsOncePerPressWhateverModifierIsHeld) {
    std::vector<Integer> codes;
    form->OnKeyPress = [&](Integer& k) { codes.push_back(k); };
    auto& b = AddButton("&Begin", {10, 10, 80, 25});
    int clicks = 0;
    b.OnClick = [&] { ++clicks; };
    form->Show();

    const auto press = [](uint16_t mod, bool withText, bool repeat) {
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.state = SDL_PRESSED;
        e.key.repeat = repeat ? 1 : 0;
        e.key.keysym.sym = SDLK_SPACE;
        e.key.keysym.scancode = SDL_SCANCODE_SPACE;
        e.key.keysym.mod = mod;
        SDL_PushEvent(&e);
        if (withText) ScriptText(" ");
    };
    const auto release = [] {
        SDL_Event e{};
        e.type = SDL_KEYUP;
        e.key.keysym.sym = SDLK_SPACE;
        e.key.keysym.scancode = SDL_SCANCODE_SPACE;
        SDL_PushEvent(&e);
    };
    struct Case {
        const char* name;
        uint16_t mod;
        bool text;
    };
    // The keyboard sends the text of Space along, except while Ctrl (fire) is held.
    for (Case c : {Case{"plain", KMOD_NONE, true}, Case{"Shift", KMOD_LSHIFT, true}, Case{"Ctrl", KMOD_LCTRL, false},
                   Case{"Ctrl+Alt", KMOD_LCTRL | KMOD_LALT, false}}) {
        codes.clear();
        press(c.mod, c.text, false);
        press(c.mod, c.text, true);  // held long enough to repeat
        release();
        PumpMessages();
        EXPECT_EQ(codes, std::vector<Integer>{32}) << c.name;
    }
    // Left Alt held (the special item key) counts too; the text alone still types a Space.
    codes.clear();
    SDL_Event alt{};
    alt.type = SDL_KEYDOWN;
    alt.key.keysym.sym = SDLK_LALT;
    SDL_PushEvent(&alt);
    press(KMOD_LALT, false, false);
    release();
    alt.type = SDL_KEYUP;
    SDL_PushEvent(&alt);
    ScriptText(" ");
    PumpMessages();
    EXPECT_EQ(codes, (std::vector<Integer>{32, 32}));
    // ... and Alt with a letter is still the access key.
    codes.clear();
    const int before = clicks;
    ScriptAltKey('b');
    PumpMessages();
    EXPECT_TRUE(codes.empty());
    EXPECT_EQ(clicks, before + 1);
}

TEST_F(ToolkitTest, ShowLoadsFirstAndUnloadRunsTheHandlerUnlessCancelled) {
    std::vector<std::string> log;
    form->OnLoad = [&] { log.push_back(form->Visible() ? "load-visible" : "load-hidden"); };
    Integer cancel = -1;
    form->OnUnload = [&](Integer& c) {
        log.push_back("unload");
        c = cancel;
    };
    form->Show();
    form->Show();  // loads once
    EXPECT_TRUE(form->Visible());
    form->Unload();
    EXPECT_TRUE(form->Loaded());  // cancelled
    cancel = 0;
    ScriptWindowClose();  // closing the window unloads the main form
    PumpMessages();
    EXPECT_FALSE(form->Loaded());
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(log, (std::vector<std::string>{"load-hidden", "unload", "unload"}));
}

TEST_F(ToolkitTest, TimerRunsWhileEnabledWhenMessagesArePumped) {
    Timer& t = form->AddTimer();
    int ticks = 0;
    t.OnTimer = [&] { ++ticks; };
    form->Show();
    t.SetInterval(100);
    AdvanceVirtualClock(99);
    PumpMessages();
    EXPECT_EQ(ticks, 0);
    AdvanceVirtualClock(1);
    PumpMessages();
    PumpMessages();
    EXPECT_EQ(ticks, 1);
    AdvanceVirtualClock(100);
    WaitUntilPast(GetTickCount() + 500);  // a wait pumps nothing
    EXPECT_EQ(ticks, 1);
    PumpMessages();
    EXPECT_EQ(ticks, 2);
    t.SetEnabled(false);
    AdvanceVirtualClock(1000);
    PumpMessages();
    EXPECT_EQ(ticks, 2);
}

// ---------------------------------------------------------------------------------------------
// Cursor

TEST(CursorCount, ShowAndHideReturnTheNewCountAndStartUpNormalisationEndsAtZero) {
    ResetCursorDisplayCount(0);
    EXPECT_EQ(ShowCursor(false), -1);
    EXPECT_EQ(ShowCursor(false), -2);
    EXPECT_EQ(ShowCursor(true), -1);
    EXPECT_EQ(ShowCursor(true), 0);
    EXPECT_EQ(CursorDisplayCount(), 0);
    // Whatever the count found, hiding to -2 or below and showing back to 0 leaves it at 0.
    for (int32_t start : {-5, -1, 0, 3}) {
        ResetCursorDisplayCount(start);
        while (ShowCursor(false) >= -1) {
        }
        while (ShowCursor(true) < 0) {
        }
        EXPECT_EQ(CursorDisplayCount(), 0) << start;
    }
}

// ---------------------------------------------------------------------------------------------
// Message boxes

TEST_F(ToolkitTest, MessageBoxReturnsOnOkAndLeavesTheScreenAsItWas) {
    // Something on screen beneath the box.
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            static_cast<uint32_t*>(screen->pixels)[y * screen->pitch / 4 + x] = uint32_t(x * 7 + y * 13);
    std::vector<uint8_t> before(static_cast<uint8_t*>(screen->pixels),
                                static_cast<uint8_t*>(screen->pixels) + screen->pitch * screen->h);
    int keys = 0;
    form->OnKeyPress = [&](Integer&) { ++keys; };
    form->Show();
    // Show() painted the form; take the painted screen as the one to come back.
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            static_cast<uint32_t*>(screen->pixels)[y * screen->pitch / 4 + x] = uint32_t(x * 7 + y * 13);

    struct Answer {
        const char* name;
        std::function<void(const MessageBoxInfo&)> act;
    } answers[] = {
        {"OK click", [](const MessageBoxInfo& b) { ScriptClick(b.OkButton.x + 5, b.OkButton.y + 5); }},
        {"Enter", [](const MessageBoxInfo&) { ScriptKey(SDLK_RETURN); }},
        {"Esc", [](const MessageBoxInfo&) { ScriptKey(SDLK_ESCAPE); }},
        {"Space", [](const MessageBoxInfo&) { ScriptText(" "); }},
    };
    for (auto& answer : answers) {
        int pumps = 0;
        bool drawn = false;
        std::string seen;
        int hook = AddPumpHook([&] {
            const MessageBoxInfo* b = ActiveMessageBox();
            if (!b) return;
            // A click outside the OK button and a typed letter do nothing.
            if (pumps == 0) {
                drawn = CountColor(screen.get(), b->OkButton, Mapped(screen.get(), kButtonFace)) > 0;
                seen = b->Text;
                ScriptClick(b->Box.x + 2, b->Box.y + 2);
                ScriptText("q");
            }
            if (pumps == 2) answer.act(*b);
            ++pumps;
        });
        MsgBox("Zorbel Error:  No Normal Screen Modes Detected.");
        RemovePumpHook(hook);
        EXPECT_TRUE(drawn) << answer.name;
        EXPECT_EQ(seen, "Zorbel Error:  No Normal Screen Modes Detected.");
        EXPECT_EQ(pumps, 4) << answer.name;  // the answer is handled by the fourth pump
        EXPECT_EQ(ActiveMessageBox(), nullptr);
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                ASSERT_EQ(static_cast<uint32_t*>(screen->pixels)[y * screen->pitch / 4 + x], uint32_t(x * 7 + y * 13))
                    << answer.name << " at " << x << "," << y;
    }
    EXPECT_EQ(keys, 0);  // the form saw none of the keys meant for the box
}

TEST_F(ToolkitTest, MessageBoxBeforeAnyDisplayGetsAWindowOfItsOwn) {
    SetScreenProvider(nullptr);
    uint32_t window = 0;
    int hook = AddPumpHook([&] {
        const MessageBoxInfo* b = ActiveMessageBox();
        if (!b || window) return;
        window = b->WindowId;
        ScriptClick(b->OkButton.x + 3, b->OkButton.y + 3, b->WindowId);
    });
    MsgBox("SetupDirectX:  Error While setting display mode");
    RemovePumpHook(hook);
    EXPECT_NE(window, 0u);
    EXPECT_EQ(SDL_GetWindowFromID(window), nullptr);  // gone again
}

TEST_F(ToolkitTest, AProgramAskedToCloseWhileABoxIsUpAnswersItAndEveryBoxAfterThenUnloads) {
    form->Show();
    int pumps = 0;
    int hook = AddPumpHook([&] {
        if (ActiveMessageBox() && pumps++ == 1) ScriptWindowClose();  // as SIGTERM or the window closed would
    });
    MsgBox("SetupDirectXObjects:  Error While  creating Zorbel Buffer # 5");
    EXPECT_EQ(ActiveMessageBox(), nullptr);
    EXPECT_TRUE(form->Loaded());  // not while the box's caller still runs
    const int before = pumps;
    MsgBox("the failure's second box");  // a failure path may show more than one
    EXPECT_LE(pumps - before, 1);
    RemovePumpHook(hook);
    PumpMessages();
    EXPECT_FALSE(form->Loaded());
}

TEST_F(ToolkitTest, HeadlessHandlerRecordsMessageBoxes) {
    std::vector<std::string> shown;
    SetMessageBoxHandler([&](const std::string& t) { shown.push_back(t); });
    MsgBox("first");
    MsgBox("second");
    EXPECT_EQ(shown, (std::vector<std::string>{"first", "second"}));
}

// ---------------------------------------------------------------------------------------------
// Painting, in each display format

class ToolkitPaintTest : public ToolkitTest, public ::testing::WithParamInterface<uint32_t> {
protected:
    void SetUp() override { Prepare(GetParam()); }
};

INSTANTIATE_TEST_SUITE_P(Formats, ToolkitPaintTest,
                         ::testing::Values(SDL_PIXELFORMAT_INDEX8, SDL_PIXELFORMAT_RGB565, SDL_PIXELFORMAT_RGB888),
                         [](const auto& p) { return std::to_string(8 * SDL_BYTESPERPIXEL(p.param)).append("bit"); });

TEST_P(ToolkitPaintTest, ButtonCaptionIsDrawnInsideTheButtonWithTheAccessKeyUnderlined) {
    for (bool fallback : {false, true}) {
        if (fallback) SetFontFinder([](const std::string&, bool) { return std::string(); });
        SDL_FillRect(screen.get(), nullptr, 0);
        form = std::make_unique<Form>(FormKind::Screen);
        form->SetBackColor(kBlack);
        auto& plain = AddButton("Begin", {100, 100, 113, 41});
        auto& marked = AddButton("&Begin", {300, 100, 113, 41});
        for (CommandButton* b : {&plain, &marked}) {
            b->SetFont({"Comic Sans MS", 12, false});
            b->SetForeColor(kRed);
        }
        form->Show();
        Rgb red = Mapped(screen.get(), kRed);
        SDL_Rect whole{0, 0, 640, 480};
        int inPlain = CountReddish(screen.get(), plain.ScreenRect());
        int inMarked = CountReddish(screen.get(), marked.ScreenRect());
        EXPECT_GT(inPlain, 20) << "fallback " << fallback;
        EXPECT_EQ(CountReddish(screen.get(), whole), inPlain + inMarked) << "text outside a button";
        // The caption's pixels stay off the button's border.
        for (auto* b : {&plain, &marked}) {
            SDL_Rect r = b->ScreenRect();
            EXPECT_EQ(CountReddish(screen.get(), SDL_Rect{r.x, r.y, r.w, 3}), 0);
            EXPECT_EQ(CountReddish(screen.get(), SDL_Rect{r.x, r.y + r.h - 3, r.w, 3}), 0);
        }
        // "&Begin" differs from "Begin" only by the underline: one row, under the "B".
        int diffRow = -1, diffMin = 10000, diffMax = -1, diffs = 0;
        SDL_Rect pr = plain.ScreenRect(), mr = marked.ScreenRect();
        for (int y = 0; y < pr.h; ++y)
            for (int x = 0; x < pr.w; ++x) {
                Rgb p = PixelColor(screen.get(), pr.x + x, pr.y + y), m = PixelColor(screen.get(), mr.x + x, mr.y + y);
                if (p == m) continue;
                ++diffs;
                EXPECT_EQ(m, red);
                if (diffRow < 0) diffRow = y;
                EXPECT_EQ(y, diffRow);
                diffMin = std::min(diffMin, x);
                diffMax = std::max(diffMax, x);
            }
        EXPECT_GT(diffs, 3) << "no underline";
        int textW = TextWidth(plain.Font(), "Begin"), bW = TextWidth(plain.Font(), "B");
        int textX = pr.x + 1 + 3 + (pr.w - 2 - 6 - textW) / 2 - pr.x;
        EXPECT_GE(diffMin, textX - 1);
        EXPECT_LE(diffMax, textX + bW);
        SetFontFinder(nullptr);
    }
}

TEST_P(ToolkitPaintTest, HidingRepaintsWithTheBackgroundAndWhatLiesBeneath) {
    SDL_Surface* s = screen.get();
    // A picture under part of a button; a label with no background over the picture.
    SurfacePtr img(SDL_CreateRGBSurfaceWithFormat(0, 200, 200, 24, SDL_PIXELFORMAT_RGB24));
    SDL_FillRect(img.get(), nullptr, SDL_MapRGB(img->format, 0, 0, 255));
    auto& pic = form->Add<PictureBox>();
    pic.Move(0, 0, 200, 200);
    pic.SetPicture(img.get());
    auto& label = form->Add<Label>();
    label.Move(10, 10, 150, 40);
    label.SetCaption("Starting Level");
    label.SetForeColor(kRed);
    label.SetAlignment(Label::Alignment::Center);
    auto& button = AddButton("&Go", {150, 150, 100, 40});
    form->Show();

    Rgb blue = Mapped(s, {0, 0, 255}), black = Mapped(s, kBlack), face = Mapped(s, kButtonFace);
    SDL_Rect lr = label.ScreenRect();
    EXPECT_GT(CountColor(s, lr, Mapped(s, kRed)), 10);
    EXPECT_EQ(CountColor(s, lr, blue) + CountColor(s, lr, Mapped(s, kRed)) > lr.w * lr.h / 2, true)
        << "the label keeps the picture around its text";
    EXPECT_EQ(PixelColor(s, 160, 160), face);
    EXPECT_EQ(PixelColor(s, 240, 180), face);

    button.SetVisible(false);
    EXPECT_EQ(PixelColor(s, 160, 160), blue);   // the picture beneath comes back
    EXPECT_EQ(PixelColor(s, 240, 180), black);  // elsewhere the form's background
    EXPECT_TRUE(ScreenChanged());

    // Nothing paints while the form is hidden (a game owns the screen then).
    form->Unload();
    SDL_FillRect(s, nullptr, MapColor(s, {0, 255, 0}));
    button.SetVisible(true);
    pic.SetVisible(false);
    EXPECT_EQ(CountColor(s, SDL_Rect{0, 0, 640, 480}, Mapped(s, {0, 255, 0})), 640 * 480);
}

TEST_P(ToolkitPaintTest, OptionAndCheckMarksFollowTheirValues) {
    SDL_Surface* s = screen.get();
    OptionGroup& g = form->AddOptionGroup();
    g.Add(*form).Move(10, 10, 100, 25);
    g.Add(*form).Move(10, 40, 100, 25);
    auto& box = form->Add<CheckBox>();
    box.Move(10, 80, 120, 25);
    form->Show();
    Rgb black = Mapped(s, kBlack);
    // The mark areas: the option circle's centre and the check box's well.
    auto dot = [&](Integer i) { return CountColor(s, SDL_Rect{g[i].ScreenRect().x + 5, g[i].ScreenRect().y + 10, 4, 4}, black); };
    auto tick = [&] { return CountColor(s, SDL_Rect{box.ScreenRect().x + 3, box.ScreenRect().y + 9, 9, 8}, black); };
    EXPECT_EQ(dot(0) + dot(1), 0);
    EXPECT_EQ(tick(), 0);
    g.Select(1);
    box.SetValue(1);
    EXPECT_EQ(dot(0), 0);
    EXPECT_GT(dot(1), 0);
    EXPECT_GT(tick(), 0);
    g.Select(0);
    EXPECT_GT(dot(0), 0);
    EXPECT_EQ(dot(1), 0);
}

// ---------------------------------------------------------------------------------------------
// Text

TEST(Text, PointSizesAreAt96DpiAndComicSansComesFromFontconfig) {
    EXPECT_EQ(FontPixelSize({"Comic Sans MS", 12, false}), 16);
    EXPECT_EQ(FontPixelSize({"Comic Sans MS", 8.25, false}), 11);
    std::string path = FindFontFile("Comic Sans MS", false);
    if (path.empty()) GTEST_SKIP() << "no font through fontconfig here";
    EXPECT_NE(path.find("ComicNeue"), std::string::npos) << path;
    std::string bold = FindFontFile("Comic Sans MS", true);
    EXPECT_NE(bold.find("Bold"), std::string::npos) << bold;
    FontMetrics m = GetFontMetrics({"Comic Sans MS", 12, false});
    EXPECT_FALSE(m.Fallback);
    EXPECT_GE(m.Height, 16);
    EXPECT_LT(m.Height, 26);
}

TEST(Text, WrapKeepsLinesWithinTheWidthAndBreaksAtBlanks) {
    FontSpec f{"Comic Sans MS", 8.25, false};
    for (bool fallback : {false, true}) {
        if (fallback) SetFontFinder([](const std::string&, bool) { return std::string(); });
        std::string text = "Try these options to speed up the game on a slower computer.";
        auto lines = WrapText(f, text, 121);
        EXPECT_GE(lines.size(), 3u);
        std::string joined;
        for (auto& l : lines) {
            std::string_view part = std::string_view(text).substr(l.Start, l.Length);
            EXPECT_LE(TextWidth(f, part), 121) << part;
            EXPECT_NE(part.front(), ' ');
            EXPECT_NE(part.back(), ' ');
            if (!joined.empty()) joined += ' ';
            joined.append(part);
        }
        EXPECT_EQ(joined, text);
        // A word wider than the box stands alone; a line break is kept; blanks make no line.
        EXPECT_EQ(WrapText(f, "Backgrounnds", 5).size(), 1u);
        EXPECT_EQ(WrapText(f, "a\nb", 500).size(), 2u);
        EXPECT_EQ(WrapText(f, "a   ", 500).size(), 1u);
        SetFontFinder(nullptr);
    }
}

TEST_F(ToolkitTest, SplashFormPaintsIntoAWindowOfItsOwn) {
    Form splash(FormKind::OwnWindow, 459, 172);
    splash.SetCaption("Loading Gorbulant");
    splash.SetBackColor(kBlack);
    auto& l = splash.Add<Label>();
    l.Move(16, 80, 401, 25);
    l.SetFont({"MS Sans Serif", 12, true});
    l.SetForeColor({192, 192, 192});
    l.SetCaption("Loading . . . ");
    splash.Show();
    ASSERT_NE(splash.WindowId(), 0u);
    SDL_Window* w = SDL_GetWindowFromID(splash.WindowId());
    EXPECT_STREQ(SDL_GetWindowTitle(w), "Loading Gorbulant");
    SDL_Surface* s = splash.Canvas();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->w, 459);
    EXPECT_GT(CountColor(s, l.ScreenRect(), Mapped(s, {192, 192, 192})), 10);
    EXPECT_EQ(CountColor(s, SDL_Rect{0, 0, 459, 70}, Mapped(s, {192, 192, 192})), 0);
    // Closing the splash window does not unload the main form.
    bool unloaded = false;
    form->OnUnload = [&](Integer&) { unloaded = true; };
    form->Show();
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_CLOSE;
    e.window.windowID = splash.WindowId();
    SDL_PushEvent(&e);
    PumpMessages();
    EXPECT_FALSE(unloaded);
}

}  // namespace
