#pragma once
// The game pads attached to the machine, through SDL. Pads SDL recognises as game
// controllers are read in the layout a PC pad driver presents them (left stick X/Y,
// both triggers on one Z axis, right stick as X and Y rotation, D-pad as the hat, face
// buttons first), so the default bindings mean the same on every pad; other joysticks
// are read as they report themselves.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/inputsource.h"

union SDL_Event;

namespace input {

class SystemPads {
  public:
    SystemPads();
    ~SystemPads();
    SystemPads(const SystemPads&) = delete;
    SystemPads& operator=(const SystemPads&) = delete;

    std::vector<PadDescription> Enumerate();
    bool Read(int index, PadReading& reading);
    // A button or hat event: remembered until TakePresses, so a tap between two reads of
    // the pad is not lost.
    void NotePress(const SDL_Event& event);
    // The buttons and hat directions pressed since the last call; false when none.
    bool TakePresses(int index, PadReading& presses);

  private:
    struct Device;
    std::vector<std::unique_ptr<Device>> devices_;
    bool subsystemStarted_ = false;
};

// SDL's signed axis value (-32768..32767) on the 0..65535 range, its rest position 0
// landing exactly on the centre 32767 the dead zone is built around.
int32_t AxisFromSdl(int value);
// SDL hat bits (1 up, 2 right, 4 down, 8 left) as hundredths of a degree, -1 centred.
int32_t HatFromSdl(uint8_t bits);

} // namespace input
