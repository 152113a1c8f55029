#include "render/services.h"

#include "engine/settings.h"
#include "platform/clock.h"
#include "platform/window_desktop.h"
#include "render/assetorder.h"
#include "render/displaypace.h"
#include "render/object3d.h"

#include <cmath>

void tservices::Release() {
    timer.reset();
    if (sound) {
        sound->StopAll();
        sound.reset();
    }
    if (input) {
        input->Release();
        input.reset();
    }
    storySprites.reset();
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

bool tservices::CreateOnDevice(std::unique_ptr<input::InputSource> source, tcountersource* clock) {
    gpu::Device* device = graphics->Device();
    SetModelDevice(device, true);
    sprites = std::make_unique<td2dsprites>();
    sprites->CreateSprites(device);
    sound = std::make_unique<taudiere>();
    input = std::make_unique<TDInput>();
    if (!input->Init(std::move(source))) return false;
    input->SetSensitivity(settings.PadSensitivity);
    timer = std::make_unique<tdtimer>(clock);
    return true;
}

void tservices::PlayEffect(int effect) const {
    if (sound) sound->PlayEffect(effect, static_cast<float>(settings.EffectVolume) / 100.0f);
}

void tservices::Click() const {
    PlayEffect(sfx::MenuClick);
}

void tservices::WaitConfirmReleased(bool escape) const {
    if (!input) return;
    input->WaitPadReleased(AnyPadButton);
    input->WaitKeyReleased(KeySpace);
    input->WaitKeyReleased(KeyEnter);
    if (escape) input->WaitKeyReleased(KeyEscape);
}

void WaitForTick(tservices& services) {
    tdtimer& timer = *services.timer;
    while (!timer.FrameDue()) {
        if (services.waitForTick) {
            services.waitForTick();
            continue;
        }
        // Asleep until the tick, not spinning: the timer counts periods, never the sleeps,
        // so waking a little late costs nothing but that frame's slack.
        const double left = timer.SecondsUntilDue();
        sysclock::SleepMilliseconds(std::max(1, static_cast<int>(std::ceil(left * 1000.0))));
    }
}

bool FrameBehind(tservices& services) {
    return services.frameUndrawn ? services.frameUndrawn() : services.timer->FrameDue();
}

void DrawUnlessBehind(tservices& services, const std::function<void()>& draw) {
    if (FrameBehind(services)) return; // behind: catch up without drawing
    // The screens' sway follows the clock, not the ticks: drawn at each refresh it glides.
    if (services.displayHz > 0) {
        DrawUntilTick(services, draw);
        return;
    }
    draw();
    WaitForTick(services);
}

bool NextFrame(tservices& services, const std::function<void()>& draw) {
    DrawUnlessBehind(services, draw);
    services.input->Poll();
    return !services.Closing();
}
