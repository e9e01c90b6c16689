// The intro, outro and end picture sequences on the virtual clock, over a port that records
// every load, draw and sound; keys are typed through the key handler at chosen moments.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "frontend/KeyCommands.h"
#include "frontend/PictureSequences.h"
#include "platform/Clock.h"
#include "platform/PlatformError.h"

using namespace gorb;

namespace {

struct Event {
    std::string What;  // "load", "drop", "draw", "show", "sound", "wave"
    PictureSlot Slot = PictureSlot::Next;
    std::string Name;  // the picture (load, draw) or the wave (wave)
    PictureRect Src, Dst;
    int Sound = 0;
    uint32_t Tick = 0;
    int Pump = 0;  // pumps before it
};

Event Ev(std::string what, PictureSlot slot = PictureSlot::Next, std::string name = {}, PictureRect src = {},
         PictureRect dst = {}) {
    Event e;
    e.What = std::move(what);
    e.Slot = slot;
    e.Name = std::move(name);
    e.Src = src;
    e.Dst = dst;
    return e;
}

class RecordingPictures : public PicturePort {
public:
    std::vector<Event> Events;
    std::set<std::string> Missing;
    bool Sound = true;
    Integer X0 = 0, Y0 = 0;
    int Pumps = 0;
    std::function<void()> OnPump;

    void LoadPicture(PictureSlot slot, const std::string& name) override {
        if (Missing.count(name)) throw PlatformError(err::ResourceNotFound, "Resource not found", "Resources");
        Loaded(slot) = name;
        Add(Ev("load", slot, name));
    }
    void DropPicture(PictureSlot slot) override {
        Loaded(slot).clear();
        Add(Ev("drop", slot));
    }
    void DrawPicture(PictureSlot slot, const PictureRect& src, const PictureRect& dst) override {
        if (Loaded(slot).empty()) return;  // as the display does for a missing surface
        Add(Ev("draw", slot, Loaded(slot), src, dst));
    }
    bool SoundOn() const override { return Sound; }
    void PlaySound(Integer n) override {
        Event e = Ev("sound");
        e.Sound = n;
        Add(e);
    }
    void LoadSound(Integer n, const std::string& name) override {
        if (Missing.count(name)) throw PlatformError(err::ResourceNotFound, "Resource not found", "Resources");
        Event e = Ev("wave", PictureSlot::Next, name);
        e.Sound = n;
        Add(e);
    }
    void PumpMessages() override {
        ++Pumps;
        if (Pumps > 2000000) throw std::runtime_error("the sequence never ended");
        if (OnPump) OnPump();
    }
    void ShowScreen() override { Add(Ev("show")); }
    Integer ScreenOffsetX() const override { return X0; }
    Integer ScreenOffsetY() const override { return Y0; }

    std::string& Loaded(PictureSlot s) { return loaded_[s == PictureSlot::Prev ? 0 : 1]; }

    std::vector<Event> Draws(PictureSlot slot, const std::string& name) const {
        std::vector<Event> out;
        for (const Event& e : Events)
            if (e.What == "draw" && e.Slot == slot && e.Name == name) out.push_back(e);
        return out;
    }
    std::vector<std::string> Loads() const {
        std::vector<std::string> out;
        for (const Event& e : Events)
            if (e.What == "load") out.push_back((e.Slot == PictureSlot::Prev ? "prev " : "next ") + e.Name);
        return out;
    }
    std::vector<Event> Sounds() const {
        std::vector<Event> out;
        for (const Event& e : Events)
            if (e.What == "sound") out.push_back(e);
        return out;
    }

private:
    void Add(Event e) {
        e.Tick = GetTickCount();
        e.Pump = Pumps;
        Events.push_back(std::move(e));
    }
    std::array<std::string, 2> loaded_;
};

class PictureSequenceTest : public ::testing::Test {
protected:
    std::unique_ptr<Game> game = std::make_unique<Game>();
    Boolean active = False, skip = False;
    DrumLoop drums;
    SequenceState seq{active, skip, drums};
    RecordingPictures port;

    struct Trigger {
        std::function<bool()> When;
        std::string Keys;
        bool Repeat;
        int Fired = 0;
    };
    std::vector<Trigger> triggers;

    void SetUp() override {
        UseVirtualClock(true, 1000);
        port.OnPump = [this] {
            for (Trigger& t : triggers) {
                if ((t.Fired && !t.Repeat) || !t.When()) continue;
                ++t.Fired;
                Type(t.Keys);
            }
        };
    }
    void TearDown() override { UseVirtualClock(false); }

    void Type(const std::string& keys) {
        for (char c : keys) {
            Integer k = static_cast<unsigned char>(c);
            Form_KeyPress(*game, seq, k, {});
        }
    }
    // Keys typed once, at the first pump where the condition holds.
    void TypeOnce(std::function<bool()> when, std::string keys) { triggers.push_back({std::move(when), std::move(keys), false}); }
    // Space at every pump while a still picture is up (only a Space during the wait counts).
    void SpaceOnStill(const std::string& picture) {
        triggers.push_back({[this, picture] { return port.Loaded(PictureSlot::Next) == picture; }, " ", true});
    }
    size_t DrawCount(PictureSlot s, const std::string& name) const { return port.Draws(s, name).size(); }
};

// The pacing of one push: the delay of each of its 481 steps.
std::vector<uint32_t> StepDelays() {
    std::vector<uint32_t> d;
    for (int i = 0; i < 20; ++i) d.push_back(30 - i);
    for (int i = 0; i < 442; ++i) d.push_back(10);
    for (int i = 0; i < 19; ++i) d.push_back(11 + i);
    return d;
}

}  // namespace

TEST_F(PictureSequenceTest, IntroPushesThreePicturesWithHoldsThenShowsTheTitleUntilSpace) {
    port.X0 = 80;
    port.Y0 = 60;
    SpaceOnStill("intro04");
    ShowIntroScreens(seq, port);

    EXPECT_EQ(port.Loads(), (std::vector<std::string>{"next INTRO01", "prev INTRO01", "next INTRO02", "prev INTRO02",
                                                      "next INTRO03", "prev INTRO03", "next intro04"}));
    for (const char* name : {"INTRO01", "INTRO02", "INTRO03"}) {
        EXPECT_EQ(DrawCount(PictureSlot::Next, name), 481u) << name;
        EXPECT_EQ(DrawCount(PictureSlot::Prev, name), 481u) << name;
    }
    // Each step waits until its delay has passed (the virtual clock stops 1 ms past it).
    const auto first = port.Draws(PictureSlot::Next, "INTRO01");
    const auto delays = StepDelays();
    for (size_t i = 0; i + 1 < first.size(); ++i) ASSERT_EQ(first[i + 1].Tick - first[i].Tick, delays[i] + 1) << "step " << i + 1;

    // Holds of 5 s after the first three pushes, none after the fourth.
    const auto holdAfter = [&](const std::string& in, const std::string& out) {
        return port.Draws(PictureSlot::Prev, out).front().Tick - port.Draws(PictureSlot::Next, in).back().Tick;
    };
    EXPECT_GE(holdAfter("INTRO01", "INTRO01"), 5000u + delays.back());
    EXPECT_LE(holdAfter("INTRO01", "INTRO01"), 5000u + delays.back() + 10);
    EXPECT_GE(holdAfter("INTRO03", "INTRO03"), 5000u);
    const auto title = port.Draws(PictureSlot::Next, "intro04");
    ASSERT_EQ(title.size(), 1u);
    EXPECT_EQ(title[0].Src, (PictureRect{0, 0, 640, 480}));
    EXPECT_EQ(title[0].Dst, (PictureRect{80, 60, 720, 540}));
    EXPECT_LE(title[0].Tick - port.Draws(PictureSlot::Prev, "INTRO03").back().Tick, 40u);

    // The intro music starts with the title; the drums played only before it.
    const auto sounds = port.Sounds();
    ASSERT_FALSE(sounds.empty());
    EXPECT_EQ(sounds.back().Sound, 81);
    for (size_t i = 0; i + 1 < sounds.size(); ++i) EXPECT_LT(sounds[i].Tick, title[0].Tick);
    EXPECT_EQ(seq.SequenceActive, False);
    EXPECT_TRUE(port.Loaded(PictureSlot::Prev).empty());
    EXPECT_TRUE(port.Loaded(PictureSlot::Next).empty());
}

// Every step is in the window by the time its wait begins: the show comes right after the
// step's two draws, at the tick the step started (the virtual clock only moves in waits) and
// before its pump.
TEST_F(PictureSequenceTest, EachPushStepIsShownInsideItsOwnStepBeforeItsWait) {
    ScrollPicture(seq, port, "INTRO01", "INTRO02", 2, false);
    size_t shows = 0;
    for (size_t i = 0; i < port.Events.size(); ++i) {
        const Event& e = port.Events[i];
        if (e.What != "show") continue;
        ++shows;
        ASSERT_GE(i, 2u);
        const Event& in = port.Events[i - 1];
        const Event& out = port.Events[i - 2];
        EXPECT_EQ(out.Name, "INTRO01") << "step " << shows;
        EXPECT_EQ(in.Name, "INTRO02") << "step " << shows;
        EXPECT_EQ(e.Tick, in.Tick) << "step " << shows;
        EXPECT_EQ(e.Pump, in.Pump) << "step " << shows;
    }
    EXPECT_EQ(shows, 481u);
}

TEST_F(PictureSequenceTest, PushClipsBothPicturesToTheLayoutRows) {
    port.X0 = 80;
    port.Y0 = 60;
    SpaceOnStill("intro04");
    ShowIntroScreens(seq, port);
    const auto out = port.Draws(PictureSlot::Prev, "INTRO01");
    const auto in = port.Draws(PictureSlot::Next, "INTRO02");
    ASSERT_EQ(out.size(), 481u);
    ASSERT_EQ(in.size(), 481u);
    struct Case {
        size_t step;
        PictureRect outSrc, outDst, inSrc, inDst;
    };
    const std::vector<Case> cases = {
        {1, {0, 0, 640, 480}, {80, 60, 720, 540}, {0, 0, 640, 0}, {80, 540, 720, 540}},
        {241, {0, 240, 640, 480}, {80, 60, 720, 300}, {0, 0, 640, 240}, {80, 300, 720, 540}},
        {481, {0, 480, 640, 480}, {80, 60, 720, 60}, {0, 0, 640, 480}, {80, 60, 720, 540}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(out[c.step - 1].Src, c.outSrc) << c.step;
        EXPECT_EQ(out[c.step - 1].Dst, c.outDst) << c.step;
        EXPECT_EQ(in[c.step - 1].Src, c.inSrc) << c.step;
        EXPECT_EQ(in[c.step - 1].Dst, c.inDst) << c.step;
    }
}

TEST_F(PictureSequenceTest, DrumLoopPlaysItsFourClipsEvery1600MsDuringPushesAndHolds) {
    SpaceOnStill("intro04");
    ShowIntroScreens(seq, port);
    auto sounds = port.Sounds();
    sounds.pop_back();  // the intro music
    ASSERT_GE(sounds.size(), 12u);
    const std::array<int, 4> cycle = {89, 90, 89, 91};
    for (size_t i = 0; i < sounds.size(); ++i) {
        EXPECT_EQ(sounds[i].Sound, cycle[i % 4]) << i;
        if (i == 0) continue;
        const uint32_t gap = sounds[i].Tick - sounds[i - 1].Tick;
        EXPECT_GT(gap, 1600u) << i;
        EXPECT_LE(gap, 1600u + 31) << i;  // within one push step
    }
    EXPECT_EQ(sounds[0].Tick, port.Draws(PictureSlot::Next, "INTRO01").front().Tick + 31);  // after the first step
}

TEST_F(PictureSequenceTest, SpaceDuringAPushStopsItAndTheTitleNeedsASecondSpace) {
    TypeOnce([this] { return DrawCount(PictureSlot::Next, "INTRO02") == 100; }, " ");
    SpaceOnStill("intro04");
    ShowIntroScreens(seq, port);
    EXPECT_EQ(DrawCount(PictureSlot::Next, "INTRO02"), 100u);
    EXPECT_EQ(port.Loads(), (std::vector<std::string>{"next INTRO01", "prev INTRO01", "next INTRO02", "next intro04"}));
    EXPECT_GE(triggers[1].Fired, 1);
    EXPECT_EQ(seq.SequenceActive, False);
}

TEST_F(PictureSequenceTest, SpaceDuringAHoldEndsTheHoldAndThePushes) {
    const auto inHold = [this] {
        const auto d = port.Draws(PictureSlot::Next, "INTRO01");
        return d.size() == 481 && GetTickCount() > d.back().Tick + 2000;
    };
    TypeOnce(inHold, " ");
    SpaceOnStill("intro04");
    ShowIntroScreens(seq, port);
    EXPECT_EQ(port.Loads(), (std::vector<std::string>{"next INTRO01", "next intro04"}));
    const uint32_t held = port.Draws(PictureSlot::Next, "intro04")[0].Tick - port.Draws(PictureSlot::Next, "INTRO01").back().Tick;
    EXPECT_LT(held, 2100u);

    // The outro goes back to the game the same way.
    port.Events.clear();
    triggers.clear();
    TypeOnce([this] { return DrawCount(PictureSlot::Next, "EXTRO02") == 481; }, " ");
    ShowExtroScreens(seq, port);
    EXPECT_EQ(port.Loads(), (std::vector<std::string>{"next EXTRO01", "prev EXTRO01", "next EXTRO02"}));
    EXPECT_EQ(seq.SequenceActive, False);
    EXPECT_TRUE(port.Loaded(PictureSlot::Prev).empty());
    EXPECT_TRUE(port.Loaded(PictureSlot::Next).empty());
}

TEST_F(PictureSequenceTest, AnotherKeyAfterSpaceCancelsTheSkipBeforeItIsSeen) {
    TypeOnce([this] { return DrawCount(PictureSlot::Next, "INTRO01") == 50; }, " x");
    TypeOnce([this] { return DrawCount(PictureSlot::Next, "INTRO02") == 10; }, " \x1b");  // Esc leaves it alone
    SpaceOnStill("intro04");
    ShowIntroScreens(seq, port);
    EXPECT_EQ(DrawCount(PictureSlot::Next, "INTRO01"), 481u);
    EXPECT_EQ(DrawCount(PictureSlot::Next, "INTRO02"), 10u);
}

TEST_F(PictureSequenceTest, WithoutSoundNothingPlaysAndThePicturesAreTheSame) {
    SpaceOnStill("intro04");
    ShowIntroScreens(seq, port);
    const size_t drawsWithSound = port.Events.size() - port.Sounds().size();

    port.Events.clear();
    port.Sound = false;
    ShowIntroScreens(seq, port);
    EXPECT_TRUE(port.Sounds().empty());
    EXPECT_EQ(port.Events.size(), drawsWithSound);

    port.Events.clear();
    SpaceOnStill("end");
    ShowEndScreen(seq, port);
    for (const Event& e : port.Events) EXPECT_TRUE(e.What != "sound" && e.What != "wave") << e.What;
}

TEST_F(PictureSequenceTest, OutroRearmsTheDrumsAndEndsWithoutAStillPicture) {
    drums.DrumClips = {0, 89, 90, 89, 91};
    drums.DrumInterval = 1600;
    drums.DrumClipIndex = 3;
    drums.DrumNextTick = static_cast<Long>(GetTickCount() + 100000);
    ShowExtroScreens(seq, port);
    EXPECT_EQ(port.Loads(), (std::vector<std::string>{"next EXTRO01", "prev EXTRO01", "next EXTRO02", "prev EXTRO02",
                                                      "next EXTRO03", "prev EXTRO03"}));
    ASSERT_FALSE(port.Sounds().empty());
    EXPECT_EQ(port.Sounds()[0].Sound, 89);
    EXPECT_EQ(seq.SequenceActive, False);
}

TEST_F(PictureSequenceTest, MissingPictureEndsTheIntroButNotTheOutroOrTheEndScreen) {
    port.Missing = {"INTRO02", "EXTRO02", "end", "end03c"};
    EXPECT_THROW(ShowIntroScreens(seq, port), PlatformError);

    port.Events.clear();
    ShowExtroScreens(seq, port);
    EXPECT_EQ(DrawCount(PictureSlot::Next, "EXTRO01"), 481u);
    EXPECT_EQ(DrawCount(PictureSlot::Next, "EXTRO03"), 481u);
    EXPECT_EQ(DrawCount(PictureSlot::Prev, "EXTRO02"), 0u);

    port.Events.clear();
    const int base = port.Pumps;
    TypeOnce([this, base] { return port.Pumps > base + 1; }, " ");
    ShowEndScreen(seq, port);  // waits for Space all the same
    EXPECT_EQ(port.Sounds().back().Sound, 87);
}

TEST_F(PictureSequenceTest, EndScreenShowsItsPictureAndMusicUntilASpaceTypedDuringTheWait) {
    port.X0 = 192;
    port.Y0 = 144;
    TypeOnce([] { return true; }, " ");  // at the first pump, before the wait: does not count
    TypeOnce([this] { return port.Pumps >= 3; }, " ");
    ShowEndScreen(seq, port);
    std::vector<std::string> order;
    for (const Event& e : port.Events)
        if (e.What != "drop") order.push_back(e.What + " " + (e.What == "sound" ? std::to_string(e.Sound) : e.Name));
    EXPECT_EQ(order, (std::vector<std::string>{"load end", "draw end", "wave end03c", "sound 60", "sound 87"}));
    const auto draw = port.Draws(PictureSlot::Next, "end");
    EXPECT_EQ(draw[0].Dst, (PictureRect{192, 144, 832, 624}));
    EXPECT_EQ(port.Sounds().back().Pump, 3);
    EXPECT_EQ(seq.SequenceActive, False);
    EXPECT_TRUE(port.Loaded(PictureSlot::Next).empty());
}
