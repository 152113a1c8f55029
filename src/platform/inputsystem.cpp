// The machine's keyboard and pads as an input source.
#include <SDL.h>

#include "platform/inputsource.h"
#include "platform/keylatch.h"
#include "platform/keys.h"
#include "platform/pads.h"

namespace input {
namespace {

OtherEventHandler otherEventHandler = nullptr;

bool IsPadEvent(Uint32 type) {
    return type >= SDL_JOYAXISMOTION && type < SDL_FINGERDOWN; // joystick and controller events
}

class SystemInput final : public InputSource {
  public:
    SystemInput() = default;
    ~SystemInput() override { SDL_QuitSubSystem(SDL_INIT_EVENTS); }

    void Pump() override {
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            // Key events also go on to the window code (its own keys, Alt+Enter).
            if (event.type == SDL_KEYDOWN)
                keys_.KeyDown(event.key.keysym.scancode, event.key.repeat != 0,
                              (event.key.keysym.mod & KMOD_ALT) != 0);
            else if (event.type == SDL_KEYUP)
                keys_.KeyUp(event.key.keysym.scancode);
            else if (event.type == SDL_JOYBUTTONDOWN || event.type == SDL_JOYHATMOTION ||
                     event.type == SDL_CONTROLLERBUTTONDOWN)
                pads_.NotePress(event);

            if (event.type == SDL_JOYDEVICEADDED || event.type == SDL_JOYDEVICEREMOVED)
                padsChanged_ = true;
            else if (event.type == SDL_QUIT)
                closeRequested_ = true;
            else if (event.type == SDL_WINDOWEVENT &&
                     event.window.event == SDL_WINDOWEVENT_FOCUS_LOST)
                focusLost_ = true;
            else if (!IsPadEvent(event.type) && otherEventHandler)
                otherEventHandler(event);
        }
    }

    bool TakePadsChanged() override { return Take(padsChanged_); }

    bool TakeCloseRequest() override { return Take(closeRequested_); }
    bool TakeFocusLost() override { return Take(focusLost_); }

    std::vector<PadDescription> EnumeratePads() override {
        padsChanged_ = false;
        return pads_.Enumerate();
    }

    bool ReadPad(int index, PadReading& reading) override { return pads_.Read(index, reading); }
    bool ReadPadPresses(int index, PadReading& presses) override {
        return pads_.TakePresses(index, presses);
    }
    void ReadKeyPresses(KeyState& presses) override { keys_.TakePresses(presses); }
    void KeepAlive() override { Pump(); }

    bool ReadKeyboard(KeyState& keys) override {
        int count = 0;
        const Uint8* pressed = SDL_GetKeyboardState(&count);
        if (!pressed) return false;
        TranslateKeyboard(pressed, count, keys);
        keys_.Filter(keys);
        return true;
    }

  private:
    static bool Take(bool& flag) {
        const bool was = flag;
        flag = false;
        return was;
    }

    SystemPads pads_;
    KeyLatch keys_;
    bool padsChanged_ = false;
    bool closeRequested_ = false;
    bool focusLost_ = false;
};

} // namespace

std::unique_ptr<InputSource> OpenSystemInput() {
    if (SDL_InitSubSystem(SDL_INIT_EVENTS) != 0) return nullptr;
    return std::make_unique<SystemInput>();
}

void SetOtherEventHandler(OtherEventHandler handler) {
    otherEventHandler = handler;
}

} // namespace input
