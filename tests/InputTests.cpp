#include <gtest/gtest.h>

#include "platform/Joystick.h"
#include "platform/Keyboard.h"
#include "platform/MessagePump.h"
#include "platform/PlatformError.h"

using namespace gorb;
using namespace gorb::dinput;

namespace {

int32_t ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const PlatformError& e) {
        return e.Number;
    }
    return 0;
}

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        kb = std::make_unique<KeyboardDevice>();
        kb->SetCommonDataFormat(FORMAT_KEYBOARD);
        kb->SetCooperativeLevel(SCL_NONEXCLUSIVE | SCL_BACKGROUND);
        kb->Acquire();
    }
    void TearDown() override {
        kb.reset();
        SDL_Quit();
    }
    KeyboardStateTable Read() {
        PumpMessages();
        KeyboardStateTable t;
        kb->GetDeviceStateKeyboard(t);
        return t;
    }
    std::unique_ptr<KeyboardDevice> kb;
};

}  // namespace

TEST_F(KeyboardTest, TableFollowsHeldKeysTogether) {
    const SDL_Scancode held[] = {SDL_SCANCODE_LCTRL, SDL_SCANCODE_LALT, SDL_SCANCODE_LSHIFT,
                                 SDL_SCANCODE_LEFT, SDL_SCANCODE_UP};
    for (auto sc : held) InjectKey(sc, true);
    auto t = Read();
    for (int code = 0; code < 256; ++code) {
        const bool want = code == DIK_LCONTROL || code == DIK_LMENU || code == DIK_LSHIFT ||
                          code == DIK_LEFT || code == DIK_UP;
        EXPECT_EQ(t[size_t(code)], want ? 0x80 : 0) << std::hex << code;
    }
    InjectKey(SDL_SCANCODE_LCTRL, false);
    InjectKey(SDL_SCANCODE_LEFT, false);
    InjectKey(SDL_SCANCODE_RIGHT, true);
    InjectKey(SDL_SCANCODE_DOWN, true);
    t = Read();
    EXPECT_EQ(t[DIK_LCONTROL], 0);
    EXPECT_EQ(t[DIK_LEFT], 0);
    EXPECT_EQ(t[DIK_LMENU], 0x80);
    EXPECT_EQ(t[DIK_LSHIFT], 0x80);
    EXPECT_EQ(t[DIK_UP], 0x80);
    EXPECT_EQ(t[DIK_RIGHT], 0x80);
    EXPECT_EQ(t[DIK_DOWN], 0x80);
}

// SDL's own key state, as a key held before anyone listened leaves it: the headless driver
// never sets it, so the test writes into it as the keyboard driver does.
void HoldInSdlState(SDL_Scancode sc, bool down) {
    int n = 0;
    auto* keys = const_cast<Uint8*>(SDL_GetKeyboardState(&n));
    ASSERT_LT(int(sc), n);
    keys[sc] = down ? SDL_PRESSED : SDL_RELEASED;
}

TEST_F(KeyboardTest, AKeyHeldBeforeTheDeviceCameReadsDownUntilItIsLetGo) {
    kb.reset();
    HoldInSdlState(SDL_SCANCODE_LCTRL, true);  // fire held through "Begin"
    kb = std::make_unique<KeyboardDevice>();
    kb->SetCommonDataFormat(FORMAT_KEYBOARD);
    kb->Acquire();
    auto t = Read();
    EXPECT_EQ(t[DIK_LCONTROL], 0x80);
    // Injected keys still count beside it.
    InjectKey(SDL_SCANCODE_UP, true);
    t = Read();
    EXPECT_EQ(t[DIK_LCONTROL], 0x80);
    EXPECT_EQ(t[DIK_UP], 0x80);
    HoldInSdlState(SDL_SCANCODE_LCTRL, false);
    InjectKey(SDL_SCANCODE_UP, false);
    t = Read();
    EXPECT_EQ(t[DIK_LCONTROL], 0);
    EXPECT_EQ(t[DIK_UP], 0);
}

TEST_F(KeyboardTest, EachKeyLandsOnItsClassicCode) {
    struct { SDL_Scancode sc; int code; } cases[] = {
        {SDL_SCANCODE_ESCAPE, 0x01}, {SDL_SCANCODE_1, 0x02}, {SDL_SCANCODE_9, 0x0A},
        {SDL_SCANCODE_0, 0x0B},      {SDL_SCANCODE_Q, 0x10}, {SDL_SCANCODE_P, 0x19},
        {SDL_SCANCODE_A, 0x1E},      {SDL_SCANCODE_L, 0x26}, {SDL_SCANCODE_Z, 0x2C},
        {SDL_SCANCODE_M, 0x32},      {SDL_SCANCODE_SPACE, 0x39}, {SDL_SCANCODE_RCTRL, 0x9D},
        {SDL_SCANCODE_RIGHT, 0xCD},  {SDL_SCANCODE_DOWN, 0xD0},
    };
    for (auto c : cases) {
        InjectKey(c.sc, true);
        auto t = Read();
        int down = 0;
        for (uint8_t b : t) down += b != 0;
        EXPECT_EQ(t[size_t(c.code)], 0x80) << SDL_GetScancodeName(c.sc);
        EXPECT_EQ(down, 1) << SDL_GetScancodeName(c.sc);
        InjectKey(c.sc, false);
        t = Read();
        EXPECT_EQ(t[size_t(c.code)], 0) << SDL_GetScancodeName(c.sc);
    }
}

TEST_F(KeyboardTest, StateNeedsAcquireAndTheKeyboardFormat) {
    KeyboardStateTable t;
    kb->Unacquire();
    EXPECT_EQ(ErrorOf([&] { kb->GetDeviceStateKeyboard(t); }), ERR_NOTACQUIRED);
    KeyboardDevice fresh;
    EXPECT_NE(ErrorOf([&] { fresh.Acquire(); }), 0);
    EXPECT_NE(ErrorOf([&] { fresh.SetCommonDataFormat(FORMAT_JOYSTICK); }), 0);
    // A second device (the next game's) sees keys held across the replacement.
    InjectKey(SDL_SCANCODE_RIGHT, true);
    PumpMessages();
    fresh.SetCommonDataFormat(FORMAT_KEYBOARD);
    fresh.Acquire();
    kb.reset();
    fresh.GetDeviceStateKeyboard(t);
    EXPECT_EQ(t[DIK_RIGHT], 0x80);
}

namespace {

// The game's set-up of the first joystick, and a callback like the game's: copy the state,
// or re-acquire when the device was lost or not acquired.
class JoystickTest : public ::testing::Test {
protected:
    void SetUp() override {
        SDL_InitSubSystem(SDL_INIT_EVENTS);
        di = std::make_unique<DirectInput>();
    }
    void TearDown() override {
        if (event) DestroyEvent(event);
        dev.reset();
        stick.reset();
        di.reset();
        SDL_Quit();
    }
    void SetUpLikeTheGame(int32_t saturation = 10000) {
        stick = std::make_unique<VirtualJoystick>(2, 32);
        auto list = di->GetDIEnumDevices(DEVTYPE_JOYSTICK, EDFL_ATTACHEDONLY);
        ASSERT_EQ(list.size(), 1u);
        event = CreateEvent([this](int32_t) { Callback(); });
        dev = std::make_unique<JoystickDevice>(list[0].InstanceId);
        dev->SetCommonDataFormat(FORMAT_JOYSTICK);
        dev->SetCooperativeLevel(SCL_NONEXCLUSIVE | SCL_BACKGROUND);
        caps = dev->GetCapabilities();
        dev->SetEventNotification(event);
        dev->SetDeadZone(OFS_X, 1000);
        dev->SetDeadZone(OFS_Y, 1000);
        dev->SetSaturation(OFS_X, saturation);
        dev->SetSaturation(OFS_Y, saturation);
        dev->SetRange(0, 10000);
        dev->Acquire();
        Callback();
        calls = 0;
    }
    void Callback() {
        ++calls;
        lastError = ErrorOf([&] { dev->GetDeviceState(state); });
        if (lastError == ERR_NOTACQUIRED || lastError == ERR_INPUTLOST) ErrorOf([&] { dev->Acquire(); });
    }
    std::unique_ptr<DirectInput> di;
    std::unique_ptr<VirtualJoystick> stick;
    std::unique_ptr<JoystickDevice> dev;
    int32_t event = 0;
    JoystickCaps caps;
    JoystickState state;
    int calls = 0;
    int32_t lastError = 0;
};

}  // namespace

TEST_F(JoystickTest, EnumerationAndDeviceByInstance) {
    EXPECT_TRUE(di->GetDIEnumDevices().empty());
    VirtualJoystick a, b;
    auto list = di->GetDIEnumDevices();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].InstanceId, a.InstanceId());
    EXPECT_EQ(list[1].InstanceId, b.InstanceId());
    EXPECT_NO_THROW(JoystickDevice{b.InstanceId()});
    EXPECT_THROW(JoystickDevice{b.InstanceId() + 100}, PlatformError);
    b.Detach();
    EXPECT_EQ(di->GetDIEnumDevices().size(), 1u);
}

TEST_F(JoystickTest, AxesScaledWithDeadZoneAndSaturation) {
    SetUpLikeTheGame(9000);
    EXPECT_EQ(caps.Axes, 2);
    EXPECT_EQ(caps.Buttons, 32);
    EXPECT_EQ(state.x, 5000);
    EXPECT_EQ(state.y, 5000);
    struct { int16_t raw; int32_t want; } cases[] = {
        {0, 5000},      {3000, 5000},  {-3000, 5000},  // within the 10 % dead zone
        {32767, 10000}, {-32768, 0},                   // full travel
        {29500, 10000}, {-29500, 0},                   // beyond the saturation of 90 %
        {16384, 7500},  {-16384, 2500},                // half travel: half of the live band
    };
    for (auto c : cases) {
        stick->SetAxis(0, c.raw);
        stick->SetAxis(1, int16_t(-c.raw - (c.raw == -32768 ? 1 : 0)));
        PumpMessages();
        dev->GetDeviceState(state);
        EXPECT_EQ(state.x, c.want) << c.raw;
        EXPECT_NEAR(state.y, 10000 - c.want, 1) << c.raw;
    }
}

TEST_F(JoystickTest, CallbackRunsFromThePumpOnlyAfterAChange) {
    SetUpLikeTheGame();
    PumpMessages();
    EXPECT_EQ(calls, 0);
    stick->SetAxis(0, 32767);
    PumpMessages();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(state.x, 10000);
    PumpMessages();
    EXPECT_EQ(calls, 1);
    stick->SetAxis(1, 2000);  // inside the dead zone: the state the game sees is the same
    PumpMessages();
    EXPECT_EQ(calls, 1);
    stick->SetButton(3, true);
    PumpMessages();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(state.buttons[3], 0x80);
    // Poll reads the stick without delivering the event; the next pump does.
    stick->SetAxis(0, 0);
    dev->Poll();
    JoystickState direct;
    dev->GetDeviceState(direct);
    EXPECT_EQ(direct.x, 5000);
    EXPECT_EQ(calls, 2);
    PumpMessages();
    EXPECT_EQ(calls, 3);
}

TEST_F(JoystickTest, AllThirtyTwoButtonsRead) {
    SetUpLikeTheGame();
    for (int b = 0; b < 32; ++b) {
        stick->SetButton(b, true);
        PumpMessages();
        for (int k = 0; k < 32; ++k) ASSERT_EQ(state.buttons[size_t(k)], k == b ? 0x80 : 0) << b << " " << k;
        stick->SetButton(b, false);
    }
    EXPECT_EQ(calls, 32);
}

TEST_F(JoystickTest, LostAndNotAcquiredCodes) {
    SetUpLikeTheGame();
    dev->Unacquire();
    EXPECT_EQ(ErrorOf([&] { dev->GetDeviceState(state); }), ERR_NOTACQUIRED);
    EXPECT_EQ(ErrorOf([&] { dev->Poll(); }), ERR_NOTACQUIRED);
    Callback();  // the game's callback re-acquires
    EXPECT_EQ(ErrorOf([&] { dev->GetDeviceState(state); }), 0);

    stick->SetAxis(0, 32767);
    PumpMessages();
    calls = 0;
    stick->Detach();
    PumpMessages();
    EXPECT_EQ(calls, 1);  // told once that the stick went away
    EXPECT_EQ(lastError, ERR_INPUTLOST);
    EXPECT_EQ(state.x, 10000);  // the fields keep what they held
    PumpMessages();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(ErrorOf([&] { dev->Acquire(); }), ERR_INPUTLOST);
    EXPECT_EQ(ErrorOf([&] { dev->GetDeviceState(state); }), ERR_NOTACQUIRED);
}

TEST_F(JoystickTest, AStickPluggedInAgainIsTakenUpAndDeliversItsState) {
    SetUpLikeTheGame();
    stick->Detach();
    PumpMessages();
    EXPECT_EQ(lastError, ERR_INPUTLOST);
    EXPECT_EQ(ErrorOf([&] { dev->Poll(); }), ERR_NOTACQUIRED);

    // The same kind of stick comes back, already pushed right with its fire button down.
    stick = std::make_unique<VirtualJoystick>(2, 32);
    stick->SetAxis(0, 32767);
    stick->SetButton(3, true);
    for (int i = 0; i < 3; ++i) {
        PumpMessages();
        ErrorOf([&] { dev->Poll(); });
    }
    EXPECT_EQ(ErrorOf([&] { dev->Poll(); }), 0);
    EXPECT_EQ(lastError, 0);
    EXPECT_EQ(state.x, 10000);
    EXPECT_EQ(state.buttons[3], 0x80);
    // From then on it is read as before.
    const int before = calls;
    stick->SetAxis(0, -32768);
    PumpMessages();
    EXPECT_EQ(calls, before + 1);
    EXPECT_EQ(state.x, 0);
}

TEST_F(JoystickTest, PropertiesOutsideTheirRangeAreRefused) {
    SetUpLikeTheGame();
    EXPECT_NE(ErrorOf([&] { dev->SetDeadZone(OFS_X, 10001); }), 0);
    EXPECT_NE(ErrorOf([&] { dev->SetSaturation(OFS_Y, -1); }), 0);
    EXPECT_NE(ErrorOf([&] { dev->SetDeadZone(2, 100); }), 0);
    EXPECT_NE(ErrorOf([&] { dev->SetRange(10, 10); }), 0);
    EXPECT_NE(ErrorOf([&] { dev->SetCommonDataFormat(FORMAT_KEYBOARD); }), 0);
}
