#pragma once
// Joysticks as the game reads them: enumeration of the attached sticks, a device by its
// instance id with data format, capabilities, dead zone, saturation and range properties,
// acquire and poll, the device state (axes scaled into the range, 32 buttons), and event
// notification: when the device's state has changed, the registered callback runs from the
// message pump, on the game thread. A stick that was unplugged reports ERR_INPUTLOST, one that
// is not acquired ERR_NOTACQUIRED (Keyboard.h); an unplugged stick plugged in again signals
// once more, and the next acquire takes it up.
#include <SDL.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Keyboard.h"

namespace gorb {

struct JoystickInstance {
    int32_t InstanceId = -1;
    std::string Name;
};

struct JoystickCaps {
    int32_t Size = 44;
    int32_t Flags = 1;  // attached
    int32_t DevType = 4;
    int32_t Axes = 0;
    int32_t Buttons = 0;
    int32_t POVs = 0;
};

// The standard joystick record: six axes, two sliders, four point-of-view values (centred =
// 0xFFFFFFFF), 32 button bytes (0x80 = pressed).
struct JoystickState {
    int32_t x = 0, y = 0, z = 0, rx = 0, ry = 0, rz = 0;
    std::array<int32_t, 2> slider{};
    std::array<uint32_t, 4> pov{0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
    std::array<uint8_t, 32> buttons{};
    bool operator==(const JoystickState&) const = default;
};

namespace dinput {
constexpr int32_t DEVTYPE_JOYSTICK = 4;
constexpr int32_t EDFL_ATTACHEDONLY = 1;
// Axis offsets in JoystickState, as properties name them "by offset".
constexpr int32_t OFS_X = 0, OFS_Y = 4;
}  // namespace dinput

// An event handle whose signal calls the callback with the handle. 0 is never a handle.
using InputEventCallback = std::function<void(int32_t eventid)>;
int32_t CreateEvent(InputEventCallback callback);
void DestroyEvent(int32_t handle);

// The input root: keeps SDL's joystick support running while it lives.
class DirectInput {
public:
    DirectInput();
    ~DirectInput();
    DirectInput(const DirectInput&) = delete;
    DirectInput& operator=(const DirectInput&) = delete;
    // Attached devices of the type (only joysticks exist here), in SDL's device order.
    std::vector<JoystickInstance> GetDIEnumDevices(int32_t devType = dinput::DEVTYPE_JOYSTICK,
                                                   int32_t flags = dinput::EDFL_ATTACHEDONLY) const;
};

class JoystickDevice {
public:
    // The attached joystick with this instance id; throws PlatformError when there is none.
    explicit JoystickDevice(int32_t instanceId);
    ~JoystickDevice();
    JoystickDevice(const JoystickDevice&) = delete;
    JoystickDevice& operator=(const JoystickDevice&) = delete;

    void SetCommonDataFormat(int32_t format);
    void SetCooperativeLevel(int32_t flags);
    JoystickCaps GetCapabilities() const;
    // The event to signal on a change of state (0: none).
    void SetEventNotification(int32_t eventHandle);
    // Per axis, by offset in JoystickState; values 0..10000 of the axis's travel from centre.
    void SetDeadZone(int32_t objectOffset, int32_t value);
    void SetSaturation(int32_t objectOffset, int32_t value);
    // The range every axis reports, for the whole device (the default is 0..65535).
    void SetRange(int32_t minimum, int32_t maximum);
    void Acquire();
    void Unacquire();
    void Poll();
    void GetDeviceState(JoystickState& state);

private:
    struct Axis {
        int32_t deadZone = 0;
        int32_t saturation = 10000;
    };
    int32_t Scale(int raw, const Axis& a) const;
    JoystickState Read() const;
    void CheckReadable();
    void OnPump();
    int AxisIndex(int32_t objectOffset) const;
    int ReturnedIndex() const;

    SDL_Joystick* joy_ = nullptr;
    SDL_JoystickGUID guid_{};
    int32_t format_ = 0;
    bool acquired_ = false;
    bool lostSignalled_ = false;
    bool deliverNext_ = false;
    int32_t event_ = 0;
    int32_t rangeMin_ = 0, rangeMax_ = 65535;
    std::array<Axis, 6> axes_{};
    JoystickState last_{};
    int hook_ = 0;
};

// --- for tests: a scripted joystick over SDL's virtual joystick ---
class VirtualJoystick {
public:
    explicit VirtualJoystick(int axes = 2, int buttons = 32);
    ~VirtualJoystick();
    VirtualJoystick(const VirtualJoystick&) = delete;
    VirtualJoystick& operator=(const VirtualJoystick&) = delete;
    int32_t InstanceId() const { return id_; }
    // Values show after the next message pump (or Poll).
    void SetAxis(int axis, int16_t value);
    void SetButton(int button, bool pressed);
    // Unplugs the stick.
    void Detach();

private:
    SDL_Joystick* joy_ = nullptr;
    int32_t id_ = -1;
};

}  // namespace gorb
