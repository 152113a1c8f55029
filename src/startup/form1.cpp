#include "startup/form1.h"

#include "world/tables.h"
#include "world/worldoutput.h"

void TForm1::FormCreate() {
    LoadingStep = 0;
}

void TForm1::FormDeactivate() {
    effects.clear();
    // The world must not play through a sound object that is gone.
    if (output_ && &WorldOutput() == output_.get()) UseWorldOutput(nullptr);
    output_.reset();
    services.Release();
}

void TForm1::ConnectWorldOutput() {
    if (!services.sound) return;
    output_ = std::make_unique<tengineoutput>(*services.sound);
    UseWorldOutput(output_.get());
}
