#include "world/form1.h"

#include "platform/window_desktop.h"
#include "render/object3d.h"
#include "world/tables.h"

std::string TextureFolder = TextureFolder1024;
int32_t LevelOutcome = 0;
int32_t StartScore = 0;

void TForm1::FormCreate() {
    sound.reset();
    LoadingStep = 0;
}

void TForm1::FormDeactivate() {
    effects.clear();

    timer.reset();

    if (sound) {
        // The world must not play through a sound object that is gone.
        if (output_ && &WorldOutput() == output_.get()) UseWorldOutput(nullptr);
        output_.reset();
        sound->StopAll();
        sound.reset();
    }

    if (input) {
        input->Release();
        input.reset();
    }

    sprites.reset();

    if (graphics) {
        // The stores must not draw on a device that is gone.
        SetModelDevice(nullptr, false);
        graphics->Release();
        graphics.reset();
    }

    if (cursorHidden) {
        window::ShowCursor(true);
        cursorHidden = false;
    }
}

void TForm1::ConnectWorldOutput() {
    if (!sound) return;
    output_ = std::make_unique<tengineoutput>(*sound);
    UseWorldOutput(output_.get());
}
