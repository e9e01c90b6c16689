#include <gtest/gtest.h>

#include <SDL.h>

#include <filesystem>
#include <string>
#include <vector>

#include "MediaTestDir.h"
#include "media/ErrorLog.h"
#include "media/MediaState.h"
#include "platform/MessagePump.h"

using namespace gorb;
using gorb::testing::ReadFile;
using gorb::testing::ScopedWorkDir;

namespace {

class MediaInput : public ::testing::Test {
protected:
    void SetUp() override {
        SDL_InitSubSystem(SDL_INIT_EVENTS);
        media.Hooks.MessageBox = [this](const std::string& t) { boxes.push_back(t); };
        joystickMode = True;
        settings.JoySaturation = 10000;
        settings.JoyFireButton = 3;
        settings.JoyBombButton = 3;  // two functions on one button both follow it
        settings.JoyEjectButton = 5;
    }
    void TearDown() override {
        ReleaseDirectDraw(media);  // destroys the joystick event
        media.Input.Joystick.reset();
        ReleaseDirectInput(media.Input);
        stick.reset();
        SDL_Quit();
    }

    ScopedWorkDir wd;
    MediaState media;
    Boolean joystickMode = False;
    JoystickFields fields;
    JoystickSettings settings;
    std::vector<std::string> boxes;
    std::unique_ptr<VirtualJoystick> stick;
};

}  // namespace

TEST_F(MediaInput, JoystickChosenButNoneAttachedFallsBackToTheKeyboard) {
    SetupDirectInput(media, joystickMode, fields, settings);
    EXPECT_EQ(joystickMode, False);
    EXPECT_FALSE(media.Input.Joystick);
    EXPECT_EQ(media.Input.JoystickEvent, 0);
    EXPECT_TRUE(media.Input.Keyboard);
    EXPECT_FALSE(std::filesystem::exists(kErrorLogName));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MediaInput, CallbackCopiesTheStickAndReacquiresALostOne) {
    stick = std::make_unique<VirtualJoystick>(2, 32);
    fields.JoystickX = fields.JoystickY = -1;
    SetupDirectInput(media, joystickMode, fields, settings);
    ASSERT_EQ(joystickMode, True);
    ASSERT_NE(media.Input.JoystickEvent, 0);
    // The first callback ran inside the set-up: a centred stick reads 5000.
    EXPECT_EQ(fields.JoystickX, 5000);
    EXPECT_EQ(fields.JoystickY, 5000);

    stick->SetAxis(0, 32767);
    stick->SetButton(3, true);
    PumpMessages();
    EXPECT_EQ(fields.JoystickX, 10000);
    EXPECT_EQ(fields.JoystickFire, True);
    EXPECT_EQ(fields.JoystickBomb, True);
    EXPECT_EQ(fields.JoystickEject, False);

    // Another program takes the stick: the next callback re-acquires and copies nothing.
    media.Input.Joystick->Unacquire();
    stick->SetAxis(0, -32768);
    stick->SetButton(3, false);
    PumpMessages();
    JoystickFields before = fields;
    DirectXEvent_DXCallback(media.Input, fields, settings, 0);
    EXPECT_EQ(fields.JoystickX, before.JoystickX);
    EXPECT_EQ(fields.JoystickFire, before.JoystickFire);
    // ... and the one after reads it again.
    DirectXEvent_DXCallback(media.Input, fields, settings, 0);
    EXPECT_EQ(fields.JoystickX, 0);
    EXPECT_EQ(fields.JoystickFire, False);

    // The display release destroys the event once; no more callbacks arrive.
    ReleaseDirectDraw(media);
    EXPECT_EQ(media.Input.JoystickEvent, 0);
    stick->SetAxis(0, 32767);
    PumpMessages();
    EXPECT_EQ(fields.JoystickX, 0);
    ReleaseDirectDraw(media);
}

TEST_F(MediaInput, AFailingJoystickStepIsLoggedAndTheGameGoesOn) {
    stick = std::make_unique<VirtualJoystick>(2, 32);
    media.Hooks.OnStep = [](std::string_view step) {
        if (step == "Setting Coop Level") throw PlatformError(-2147024809, "Invalid parameter", "DirectInput");
    };
    SetupDirectInput(media, joystickMode, fields, settings);
    EXPECT_EQ(ReadFile(kErrorLogName),
              "\"SetupDirectInput:  Error While Setting Coop Level\"\r\n"
              "\"Error was Invalid parameter\"\r\n"
              "\"Error source:  DirectInput\"\r\n"
              "\"Error Num:  -2147024809\"\r\n");
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(joystickMode, True);  // stays as it was
    EXPECT_TRUE(media.Input.Keyboard);
}

TEST_F(MediaInput, ButtonNumbersPastTheStateReadAsUp) {
    stick = std::make_unique<VirtualJoystick>(2, 32);
    settings.JoyFireButton = 31;
    settings.JoyEjectButton = 128;
    SetupDirectInput(media, joystickMode, fields, settings);
    stick->SetButton(31, true);
    PumpMessages();
    EXPECT_EQ(fields.JoystickFire, True);
    EXPECT_EQ(fields.JoystickEject, False);
}

TEST_F(MediaInput, JoystickStepsInOrderAndAxisPropertiesUnderTheNotificationStep) {
    stick = std::make_unique<VirtualJoystick>(2, 32);
    std::vector<std::string> steps;
    media.Hooks.OnStep = [&steps](std::string_view step) { steps.emplace_back(step); };
    SetupDirectInput(media, joystickMode, fields, settings);
    ASSERT_FALSE(std::filesystem::exists(kErrorLogName)) << ReadFile(kErrorLogName);
    std::vector<std::string> want = {"Enumerating Joysticks",      "Creating Event Handler",
                                     "Nullifying Joystick Device", "Creating Joystick Device",
                                     "Setting Common Format",      "Setting Coop Level",
                                     "Getting Caps",               "Setting event notification",
                                     "setting properties",         "Acquiring Joystick Device",
                                     "doing first callback"};
    ASSERT_GE(steps.size(), want.size());
    EXPECT_EQ(std::vector<std::string>(steps.end() - static_cast<long>(want.size()), steps.end()), want);

    // A saturation the device refuses fails under the notification step, before the range.
    ReleaseDirectDraw(media);
    settings.JoySaturation = 20000;
    SetupDirectInput(media, joystickMode, fields, settings);
    std::string log = ReadFile(kErrorLogName);
    EXPECT_EQ(log.substr(0, log.find("\r\n")), "\"SetupDirectInput:  Error While Setting event notification\"");
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(joystickMode, True);
}
