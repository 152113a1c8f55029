#pragma once
// The engine services for a screen test: a recording device, an empty sprite batch, silent
// sound, keys from a script and a virtual clock on which every frame is drawn. Once the
// script has run out for a while the rig closes the window, so a screen that never returns
// ends the test instead of hanging it.
#include "engine/scriptedinput.h"
#include "platform/gpu/recording_device.h"
#include "render/services.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace screenrig {

inline constexpr int64_t Tick = 1'000'000; // the clock runs at 35 ticks a second

// The script's input, a close request once `limit` polls have gone by, and (when
// focusLostAt is not negative) the window losing the keyboard focus at that poll.
class tinput final : public input::InputSource {
  public:
    tinput(std::unique_ptr<ScriptedInput> script, long limit, long focusLostAt = -1)
        : script_(std::move(script)), limit_(limit), focusLostAt_(focusLostAt) {}
    void Pump() override { script_->Pump(); }
    bool TakePadsChanged() override { return script_->TakePadsChanged(); }
    std::vector<input::PadDescription> EnumeratePads() override { return script_->EnumeratePads(); }
    bool ReadPad(int index, input::PadReading& reading) override {
        return script_->ReadPad(index, reading);
    }
    bool ReadKeyboard(input::KeyState& keys) override { return script_->ReadKeyboard(keys); }
    void ReadKeyPresses(input::KeyState& presses) override { script_->ReadKeyPresses(presses); }
    bool ReadPadPresses(int index, input::PadReading& presses) override {
        return script_->ReadPadPresses(index, presses);
    }
    bool Exhausted() const override { return script_->Exhausted(); }
    bool TakeCloseRequest() override { return limit_ >= 0 && script_->Frame() >= limit_; }
    bool TakeFocusLost() override { return script_->Frame() == focusLostAt_; }
    long Frame() const { return script_->Frame(); }

  private:
    std::unique_ptr<ScriptedInput> script_;
    long limit_;
    long focusLostAt_;
};

struct trig {
    VirtualCounter clock{Tick * 35};
    tservices services;
    tinput* keys = nullptr;

    // keys: a key script ("0: 208\n2:\n"); limit: polls before the window is closed.
    explicit trig(const std::string& script, long limit = 2000) {
        services.graphics = std::make_unique<TDGraphics>();
        services.graphics->UseDevice(std::make_unique<gpu::RecordingDevice>(1024, 768), 75);
        services.sprites = std::make_unique<td2dsprites>(services.graphics->Device());
        services.sound = std::make_unique<taudiere>();
        services.timer = std::make_unique<tdtimer>(&clock);
        services.waitForTick = [this] { clock.Advance(Tick); };
        std::string error;
        auto steps = ParseInputScript(script, error);
        EXPECT_TRUE(steps) << error;
        auto source = std::make_unique<tinput>(
            std::make_unique<ScriptedInput>(steps ? *steps : std::vector<InputStep>{}), limit);
        keys = source.get();
        services.input = std::make_unique<TDInput>();
        EXPECT_TRUE(services.input->Init(std::move(source)));
    }
    // Polls so far (the frame the last poll showed).
    long Frame() const { return keys->Frame(); }
};

} // namespace screenrig
