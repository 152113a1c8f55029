// The game window's teardown: the engine services go in one order, each only if made.
#include "startup/form1.h"

#include "platform/gpu/recording_device.h"
#include "render/object3d.h"
#include "world/tables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> released;
TForm1* watched = nullptr;

// What is still there when a service goes, as one line.
std::string StillThere() {
    std::string s;
    if (!effects.empty()) s += " particles";
    if (watched->services.timer) s += " timer";
    if (watched->services.sound) s += " sound";
    if (watched->services.input) s += " input";
    if (watched->services.sprites) s += " sprites";
    if (watched->services.graphics) s += " graphics";
    return s;
}

class WatchedKeyboard : public input::InputSource {
  public:
    ~WatchedKeyboard() override { released.push_back("input:" + StillThere()); }
    void Pump() override {}
    bool TakePadsChanged() override { return false; }
    std::vector<input::PadDescription> EnumeratePads() override { return {}; }
    bool ReadPad(int, input::PadReading&) override { return false; }
    bool ReadKeyboard(input::KeyState&) override { return true; }
};

class WatchedDevice : public gpu::RecordingDevice {
  public:
    ~WatchedDevice() override { released.push_back("device:" + StillThere()); }
};

TEST(GameWindow, TeardownReleasesTheServicesInOrder) {
    released.clear();
    TForm1 form;
    watched = &form;
    form.FormCreate();
    EXPECT_EQ(form.LoadingStep, 0);
    effects.resize(3);
    VirtualCounter clock;
    form.services.timer = std::make_unique<tdtimer>(&clock);
    form.services.sound = std::make_unique<taudiere>();
    form.services.input = std::make_unique<TDInput>();
    ASSERT_TRUE(form.services.input->Init(std::make_unique<WatchedKeyboard>()));
    form.services.graphics = std::make_unique<TDGraphics>();
    form.services.graphics->UseDevice(std::make_unique<WatchedDevice>(), 75);
    SetModelDevice(form.services.graphics->Device(), true);
    form.services.sprites = std::make_unique<td2dsprites>(form.services.graphics->Device());
    form.ConnectWorldOutput();
    tworldoutput* engineOutput = &WorldOutput();
    form.services.cursorHidden = true;

    form.FormDeactivate();
    // Particles, timer and sound are gone before the input; the sprites before the device.
    ASSERT_EQ(released.size(), 2u);
    EXPECT_EQ(released[0], "input: input sprites graphics");
    EXPECT_EQ(released[1], "device: graphics");
    EXPECT_TRUE(effects.empty());
    EXPECT_FALSE(form.services.timer || form.services.sound || form.services.input ||
                 form.services.sprites || form.services.graphics);
    // Nothing points at the services any more.
    EXPECT_NE(&WorldOutput(), engineOutput);
    EXPECT_EQ(Models().Device(), nullptr);
    EXPECT_FALSE(form.services.cursorHidden);

    // A second teardown, or one after a start that made little, has nothing to do.
    form.FormDeactivate();
    TForm1 halfMade;
    halfMade.FormCreate();
    halfMade.services.timer = std::make_unique<tdtimer>(&clock);
    halfMade.FormDeactivate();
    EXPECT_FALSE(halfMade.services.timer);
    EXPECT_EQ(released.size(), 2u);
    watched = nullptr;
}

} // namespace
