#include "platform/pads.h"

#include <SDL.h>

#include <algorithm>
#include <string>

namespace input {
namespace {

constexpr size_t MaxPadNameLength = 260;

struct HatAngle {
    uint8_t bits;
    int32_t angle;
};
constexpr HatAngle hatAngles[] = {
    {SDL_HAT_UP, 0},       {SDL_HAT_RIGHTUP, 4500},
    {SDL_HAT_RIGHT, 9000}, {SDL_HAT_RIGHTDOWN, 13500},
    {SDL_HAT_DOWN, 18000}, {SDL_HAT_LEFTDOWN, 22500},
    {SDL_HAT_LEFT, 27000}, {SDL_HAT_LEFTUP, 31500},
};

// A controller's buttons in the order a PC pad driver numbers them.
constexpr SDL_GameControllerButton controllerButtons[] = {
    SDL_CONTROLLER_BUTTON_A,
    SDL_CONTROLLER_BUTTON_B,
    SDL_CONTROLLER_BUTTON_X,
    SDL_CONTROLLER_BUTTON_Y,
    SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
    SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
    SDL_CONTROLLER_BUTTON_BACK,
    SDL_CONTROLLER_BUTTON_START,
    SDL_CONTROLLER_BUTTON_LEFTSTICK,
    SDL_CONTROLLER_BUTTON_RIGHTSTICK,
    SDL_CONTROLLER_BUTTON_GUIDE,
    SDL_CONTROLLER_BUTTON_MISC1,
    SDL_CONTROLLER_BUTTON_PADDLE1,
    SDL_CONTROLLER_BUTTON_PADDLE2,
    SDL_CONTROLLER_BUTTON_PADDLE3,
    SDL_CONTROLLER_BUTTON_PADDLE4,
    SDL_CONTROLLER_BUTTON_TOUCHPAD,
};

struct DpadBit {
    SDL_GameControllerButton button;
    uint8_t bit;
};
constexpr DpadBit dpadBits[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_HAT_UP},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, SDL_HAT_RIGHT},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, SDL_HAT_DOWN},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_HAT_LEFT},
};

std::string Clipped(const char* name) {
    std::string text = name ? name : "";
    if (text.size() > MaxPadNameLength) text.resize(MaxPadNameLength);
    return text;
}

} // namespace

int32_t AxisFromSdl(int value) {
    value = std::clamp(value, -32768, 32767);
    if (value < 0) return AxisCentre + value * AxisCentre / 32768;
    return AxisCentre + value * (AxisMaximum - AxisCentre) / 32767;
}

int32_t HatFromSdl(uint8_t bits) {
    for (const HatAngle& h : hatAngles)
        if (h.bits == bits) return h.angle;
    return HatCentred;
}

struct SystemPads::Device {
    SDL_GameController* controller = nullptr;
    SDL_Joystick* joystick = nullptr; // owned unless it belongs to the controller
    // Buttons and hat directions that went down since the last TakePresses.
    PadReading presses;
    uint8_t pressedHat = 0;
    bool pressed = false;

    ~Device() {
        if (controller)
            SDL_GameControllerClose(controller);
        else if (joystick)
            SDL_JoystickClose(joystick);
    }

    void ReadController(PadReading& r) const {
        auto axis = [this](SDL_GameControllerAxis a) {
            return static_cast<int>(SDL_GameControllerGetAxis(controller, a));
        };
        r.axes[0] = AxisFromSdl(axis(SDL_CONTROLLER_AXIS_LEFTX));
        r.axes[1] = AxisFromSdl(axis(SDL_CONTROLLER_AXIS_LEFTY));
        // One Z axis for both triggers: the left one pushes it up, the right one down.
        r.axes[2] = AxisFromSdl(axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT) -
                                axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT));
        r.axes[3] = AxisFromSdl(axis(SDL_CONTROLLER_AXIS_RIGHTX));
        r.axes[4] = AxisFromSdl(axis(SDL_CONTROLLER_AXIS_RIGHTY));
        int i = 0;
        for (SDL_GameControllerButton b : controllerButtons)
            r.buttons[i++] = SDL_GameControllerGetButton(controller, b);
        uint8_t bits = 0;
        for (const DpadBit& d : dpadBits)
            if (SDL_GameControllerGetButton(controller, d.button)) bits |= d.bit;
        r.firstHat = HatFromSdl(bits);
    }

    void ReadJoystick(PadReading& r) const {
        int axes = std::min(SDL_JoystickNumAxes(joystick), PadAxisCount);
        for (int a = 0; a < axes; ++a) r.axes[a] = AxisFromSdl(SDL_JoystickGetAxis(joystick, a));
        int buttons = std::min(SDL_JoystickNumButtons(joystick), PadButtonSlots);
        for (int b = 0; b < buttons; ++b) r.buttons[b] = SDL_JoystickGetButton(joystick, b);
        if (SDL_JoystickNumHats(joystick) > 0)
            r.firstHat = HatFromSdl(SDL_JoystickGetHat(joystick, 0));
    }
};

SystemPads::SystemPads() {
    subsystemStarted_ = SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER) == 0;
}

SystemPads::~SystemPads() {
    devices_.clear();
    if (subsystemStarted_) SDL_QuitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
}

std::vector<PadDescription> SystemPads::Enumerate() {
    devices_.clear();
    std::vector<PadDescription> pads;
    if (!subsystemStarted_) return pads;
    int count = SDL_NumJoysticks();
    for (int i = 0; i < count; ++i) {
        PadDescription pad;
        auto device = std::make_unique<Device>();
        if (SDL_IsGameController(i) && (device->controller = SDL_GameControllerOpen(i))) {
            device->joystick = SDL_GameControllerGetJoystick(device->controller);
            pad.name = Clipped(SDL_GameControllerName(device->controller));
            pad.hasAxis = {true, true, true, true, true, false};
            pad.hats = 1;
            pad.buttons = static_cast<int>(std::size(controllerButtons));
            pad.opened = true;
        } else if ((device->joystick = SDL_JoystickOpen(i))) {
            pad.name = Clipped(SDL_JoystickName(device->joystick));
            int axes = std::min(SDL_JoystickNumAxes(device->joystick), PadAxisCount);
            for (int a = 0; a < axes; ++a) pad.hasAxis[a] = true;
            pad.hats = std::max(SDL_JoystickNumHats(device->joystick), 0);
            pad.buttons = std::max(SDL_JoystickNumButtons(device->joystick), 0);
            pad.opened = true;
        } else {
            pad.name = Clipped(SDL_JoystickNameForIndex(i));
            device.reset();
        }
        pads.push_back(std::move(pad));
        devices_.push_back(std::move(device));
    }
    return pads;
}

void SystemPads::NotePress(const SDL_Event& event) {
    for (const std::unique_ptr<Device>& device : devices_) {
        if (!device) continue;
        const SDL_JoystickID id = SDL_JoystickInstanceID(device->joystick);
        uint8_t hatBits = 0;
        int button = -1;
        if (event.type == SDL_CONTROLLERBUTTONDOWN && device->controller &&
            event.cbutton.which == id) {
            const auto b = static_cast<SDL_GameControllerButton>(event.cbutton.button);
            for (const DpadBit& d : dpadBits)
                if (d.button == b) hatBits = d.bit;
            const auto* at =
                std::find(std::begin(controllerButtons), std::end(controllerButtons), b);
            if (at != std::end(controllerButtons))
                button = static_cast<int>(at - std::begin(controllerButtons));
        } else if (event.type == SDL_JOYBUTTONDOWN && !device->controller &&
                   event.jbutton.which == id) {
            button = event.jbutton.button;
        } else if (event.type == SDL_JOYHATMOTION && !device->controller &&
                   event.jhat.which == id && event.jhat.hat == 0) {
            hatBits = event.jhat.value;
        } else {
            continue;
        }
        if (button >= 0 && button < PadButtonSlots) device->presses.buttons[button] = 1;
        // The first direction tapped stands for the hat: two taps at once make no angle.
        if (hatBits != 0 && device->pressedHat == 0) device->pressedHat = hatBits;
        device->pressed = device->pressed || button >= 0 || hatBits != 0;
    }
}

bool SystemPads::TakePresses(int index, PadReading& presses) {
    presses = PadReading{};
    if (index < 0 || index >= static_cast<int>(devices_.size()) || !devices_[index]) return false;
    Device& device = *devices_[index];
    if (!device.pressed) return false;
    presses = device.presses;
    presses.firstHat = HatFromSdl(device.pressedHat);
    device.presses = PadReading{};
    device.pressedHat = 0;
    device.pressed = false;
    return true;
}

bool SystemPads::Read(int index, PadReading& reading) {
    reading = PadReading{};
    if (index < 0 || index >= static_cast<int>(devices_.size()) || !devices_[index]) return false;
    const Device& device = *devices_[index];
    if (!SDL_JoystickGetAttached(device.joystick)) return false;
    if (device.controller)
        device.ReadController(reading);
    else
        device.ReadJoystick(reading);
    return true;
}

} // namespace input
