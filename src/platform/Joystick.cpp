#include "platform/Joystick.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>

#include "platform/MessagePump.h"
#include "platform/PlatformError.h"

namespace gorb {

namespace {

struct EventRegistry {
    int32_t next = 1;
    std::map<int32_t, InputEventCallback> events;
};
EventRegistry& Events() {
    static EventRegistry r;
    return r;
}

void Signal(int32_t handle) {
    auto it = Events().events.find(handle);
    if (it == Events().events.end()) return;
    InputEventCallback cb = it->second;  // the callback may destroy its own event
    cb(handle);
}

[[noreturn]] void Fail(int32_t number, const std::string& what) {
    throw PlatformError(number, what, "JoystickDevice");
}

void StartJoysticks() {
    // The game reads the stick with the background cooperative level: it must keep moving
    // whether or not the window has the focus (SDL drops stick changes of unfocused programs).
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0)
        Fail(err::Generic, std::string("No joystick support: ") + SDL_GetError());
}

}  // namespace

int32_t CreateEvent(InputEventCallback callback) {
    const int32_t h = Events().next++;
    Events().events.emplace(h, std::move(callback));
    return h;
}
void DestroyEvent(int32_t handle) { Events().events.erase(handle); }

// ---------------------------------------------------------------- DirectInput

DirectInput::DirectInput() { StartJoysticks(); }
DirectInput::~DirectInput() { SDL_QuitSubSystem(SDL_INIT_JOYSTICK); }

std::vector<JoystickInstance> DirectInput::GetDIEnumDevices(int32_t devType, int32_t) const {
    std::vector<JoystickInstance> list;
    if (devType != dinput::DEVTYPE_JOYSTICK) return list;
    const int n = SDL_NumJoysticks();
    for (int i = 0; i < n; ++i) {
        const char* name = SDL_JoystickNameForIndex(i);
        list.push_back({SDL_JoystickGetDeviceInstanceID(i), name ? name : ""});
    }
    return list;
}

// ---------------------------------------------------------------- JoystickDevice

JoystickDevice::JoystickDevice(int32_t instanceId) {
    StartJoysticks();
    const int n = SDL_NumJoysticks();
    for (int i = 0; i < n && !joy_; ++i)
        if (SDL_JoystickGetDeviceInstanceID(i) == instanceId) joy_ = SDL_JoystickOpen(i);
    if (!joy_) {
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
        Fail(dinput::ERR_INPUTLOST, "No joystick with that instance");
    }
    guid_ = SDL_JoystickGetGUID(joy_);
    hook_ = AddPumpHook([this] { OnPump(); });
}

JoystickDevice::~JoystickDevice() {
    RemovePumpHook(hook_);
    SDL_JoystickClose(joy_);
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

void JoystickDevice::SetCommonDataFormat(int32_t format) {
    if (format != dinput::FORMAT_JOYSTICK) Fail(err::InvalidProcedureCall, "Not a joystick data format");
    format_ = format;
}
void JoystickDevice::SetCooperativeLevel(int32_t) {}

JoystickCaps JoystickDevice::GetCapabilities() const {
    JoystickCaps c;
    c.Flags = SDL_JoystickGetAttached(joy_) ? 1 : 0;
    c.Axes = SDL_JoystickNumAxes(joy_);
    c.Buttons = SDL_JoystickNumButtons(joy_);
    c.POVs = SDL_JoystickNumHats(joy_);
    return c;
}

void JoystickDevice::SetEventNotification(int32_t eventHandle) {
    event_ = eventHandle;
    last_ = Read();
}

int JoystickDevice::AxisIndex(int32_t objectOffset) const {
    if (objectOffset < 0 || objectOffset % 4 != 0 || objectOffset / 4 >= int(axes_.size()))
        Fail(err::InvalidProcedureCall, "No axis at that offset");
    return objectOffset / 4;
}

void JoystickDevice::SetDeadZone(int32_t objectOffset, int32_t value) {
    if (value < 0 || value > 10000) Fail(err::InvalidProcedureCall, "Dead zone outside 0..10000");
    axes_[size_t(AxisIndex(objectOffset))].deadZone = value;
}
void JoystickDevice::SetSaturation(int32_t objectOffset, int32_t value) {
    if (value < 0 || value > 10000) Fail(err::InvalidProcedureCall, "Saturation outside 0..10000");
    axes_[size_t(AxisIndex(objectOffset))].saturation = value;
}
void JoystickDevice::SetRange(int32_t minimum, int32_t maximum) {
    if (minimum >= maximum) Fail(err::InvalidProcedureCall, "Empty axis range");
    rangeMin_ = minimum;
    rangeMax_ = maximum;
}

// The index of an attached stick that is this device plugged in again: the same kind (SDL
// gives a plugged-in stick a new instance id, but the same GUID); -1 when there is none.
int JoystickDevice::ReturnedIndex() const {
    const int n = SDL_NumJoysticks();
    for (int i = 0; i < n; ++i)
        if (std::memcmp(SDL_JoystickGetDeviceGUID(i).data, guid_.data, sizeof guid_.data) == 0) return i;
    return -1;
}

void JoystickDevice::Acquire() {
    if (format_ != dinput::FORMAT_JOYSTICK) Fail(err::InvalidProcedureCall, "No data format set");
    if (!SDL_JoystickGetAttached(joy_)) {
        // Unplugged: take it up again if it is back.
        const int i = ReturnedIndex();
        SDL_Joystick* back = i >= 0 ? SDL_JoystickOpen(i) : nullptr;
        if (!back) Fail(dinput::ERR_INPUTLOST, "Joystick unplugged");
        SDL_JoystickClose(joy_);
        joy_ = back;
        // The callback that took it up copied nothing: the next pump delivers its state.
        deliverNext_ = true;
    }
    if (!acquired_) last_ = Read();
    acquired_ = true;
    lostSignalled_ = false;
}
void JoystickDevice::Unacquire() { acquired_ = false; }

void JoystickDevice::CheckReadable() {
    if (!acquired_) Fail(dinput::ERR_NOTACQUIRED, "Joystick not acquired");
    if (!SDL_JoystickGetAttached(joy_)) {
        acquired_ = false;
        Fail(dinput::ERR_INPUTLOST, "Joystick unplugged");
    }
}

void JoystickDevice::Poll() {
    CheckReadable();
    SDL_JoystickUpdate();
}

void JoystickDevice::GetDeviceState(JoystickState& state) {
    CheckReadable();
    state = Read();
}

// Travel from the centre in 0..10000: inside the dead zone it reads as the centre, beyond the
// saturation as full deflection, and in between it is spread over the whole half-range.
int32_t JoystickDevice::Scale(int raw, const Axis& a) const {
    const double v = raw >= 0 ? raw / 32767.0 : raw / 32768.0;
    const double m = std::min(1.0, std::abs(v)) * 10000.0;
    double f;
    if (m <= a.deadZone) f = 0;
    else if (m >= a.saturation) f = 1;
    else f = (m - a.deadZone) / (a.saturation - a.deadZone);
    const double centre = (double(rangeMin_) + rangeMax_) / 2;
    const double half = (double(rangeMax_) - rangeMin_) / 2;
    return int32_t(std::lround(centre + (v < 0 ? -f : f) * half));
}

JoystickState JoystickDevice::Read() const {
    JoystickState s;
    int32_t* axisField[6] = {&s.x, &s.y, &s.z, &s.rx, &s.ry, &s.rz};
    const int nAxes = SDL_JoystickNumAxes(joy_);
    for (int i = 0; i < 6; ++i)
        *axisField[i] = Scale(i < nAxes ? SDL_JoystickGetAxis(joy_, i) : 0, axes_[size_t(i)]);
    const int nButtons = std::min(32, SDL_JoystickNumButtons(joy_));
    for (int b = 0; b < nButtons; ++b) s.buttons[size_t(b)] = SDL_JoystickGetButton(joy_, b) ? 0x80 : 0;
    return s;
}

void JoystickDevice::OnPump() {
    if (!event_) return;
    if (!SDL_JoystickGetAttached(joy_)) {
        // Losing the stick is a change too: the callback learns of it from its next read and
        // re-acquires. So is its return: the callback's re-acquire then takes it up.
        if (!lostSignalled_ || ReturnedIndex() >= 0) {
            lostSignalled_ = true;
            Signal(event_);
        }
        return;
    }
    if (!acquired_) return;
    JoystickState now = Read();
    if (now == last_ && !deliverNext_) return;
    last_ = now;
    deliverNext_ = false;
    Signal(event_);
}

// ---------------------------------------------------------------- VirtualJoystick

VirtualJoystick::VirtualJoystick(int axes, int buttons) {
    StartJoysticks();
    const int idx = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, axes, buttons, 0);
    if (idx < 0 || !(joy_ = SDL_JoystickOpen(idx))) {
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
        Fail(err::Generic, std::string("No virtual joystick: ") + SDL_GetError());
    }
    id_ = SDL_JoystickInstanceID(joy_);
}

VirtualJoystick::~VirtualJoystick() {
    Detach();
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

void VirtualJoystick::SetAxis(int axis, int16_t value) { SDL_JoystickSetVirtualAxis(joy_, axis, value); }
void VirtualJoystick::SetButton(int button, bool pressed) {
    SDL_JoystickSetVirtualButton(joy_, button, pressed ? SDL_PRESSED : SDL_RELEASED);
}

void VirtualJoystick::Detach() {
    if (!joy_) return;
    SDL_JoystickClose(joy_);
    joy_ = nullptr;
    const int n = SDL_NumJoysticks();
    for (int i = 0; i < n; ++i)
        if (SDL_JoystickGetDeviceInstanceID(i) == id_) {
            SDL_JoystickDetachVirtual(i);
            break;
        }
    SDL_JoystickUpdate();  // let open handles see the removal
}

}  // namespace gorb
