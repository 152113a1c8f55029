#include "platform/padsvirtual.h"

#include <SDL.h>

#include <initializer_list>

namespace input {

VirtualPad::VirtualPad(Kind kind, int axes, int buttons, int hats, const char* name) {
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER) != 0) return;
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.name = name;
    if (kind == Kind::GameController) {
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
        desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
    } else {
        desc.type = SDL_JOYSTICK_TYPE_UNKNOWN;
        desc.naxes = static_cast<Uint16>(axes);
        desc.nbuttons = static_cast<Uint16>(buttons);
        desc.nhats = static_cast<Uint16>(hats);
    }
    int index = SDL_JoystickAttachVirtualEx(&desc);
    if (index >= 0) joystick_ = SDL_JoystickOpen(index);
    if (joystick_)
        instance_ = SDL_JoystickInstanceID(joystick_);
    else
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
}

VirtualPad::~VirtualPad() {
    if (!joystick_) return;
    SDL_JoystickClose(joystick_);
    // Device indices move as pads come and go; the instance id does not.
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        if (SDL_JoystickGetDeviceInstanceID(i) == instance_) SDL_JoystickDetachVirtual(i);
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
}

void VirtualPad::SetAxis(int axis, int16_t value) {
    if (joystick_) SDL_JoystickSetVirtualAxis(joystick_, axis, value);
}

void VirtualPad::SetButton(int button, bool down) {
    if (joystick_) SDL_JoystickSetVirtualButton(joystick_, button, down ? 1 : 0);
}

void VirtualPad::TapButton(int button) {
    if (!joystick_) return;
    // What the device reports for a press and release between two pumps: two events, and
    // a state that never changed.
    for (Uint32 type : {SDL_JOYBUTTONDOWN, SDL_JOYBUTTONUP}) {
        SDL_Event event{};
        event.type = type;
        event.jbutton.which = instance_;
        event.jbutton.button = static_cast<Uint8>(button);
        event.jbutton.state = type == SDL_JOYBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        SDL_PushEvent(&event);
    }
}

void VirtualPad::SetHat(int hat, uint8_t bits) {
    if (joystick_) SDL_JoystickSetVirtualHat(joystick_, hat, bits);
}

} // namespace input
