#include "campaign/screens.h"
#include "engine/settings.h"
#include "support/screenrig.h"

#include <array>
#include <string>
#include <vector>

namespace {

// Each press held for one frame and let go on the next; the last one stays held.
std::string Presses(const std::vector<std::string>& codes) {
    std::string script;
    for (size_t i = 0; i < codes.size(); ++i) {
        script += std::to_string(2 * i) + ": " + codes[i] + "\n";
        if (i + 1 < codes.size()) script += std::to_string(2 * i + 1) + ":\n";
    }
    return script;
}

using tbindings = std::array<int32_t, 8>;

tbindings Keys() {
    return {settings.KeyLeft, settings.KeyRight, settings.KeyUp,     settings.KeyDown,
            settings.KeyJump, settings.KeyFire,  settings.KeyChange, settings.KeyGuide};
}
tbindings Pads() {
    return {settings.PadLeft, settings.PadRight, settings.PadUp,     settings.PadDown,
            settings.PadJump, settings.PadFire,  settings.PadChange, settings.PadGuide};
}

} // namespace

TEST(OptionsScreen, SlidersStepByTenAndStopAtTheirEnds) {
    struct tcase {
        const char* name;
        int downs; // from "Redefine keys" to the line
        int32_t tsettings::*value;
        int32_t start;
        const char* key;
        int32_t expected;
    };
    const tcase cases[] = {
        {"sensitivity 30, left", 2, &tsettings::PadSensitivity, 30, "203", 30},
        {"sensitivity 100, right", 2, &tsettings::PadSensitivity, 100, "205", 100},
        {"sensitivity 70, left", 2, &tsettings::PadSensitivity, 70, "203", 60},
        {"music 0, left", 3, &tsettings::MusicVolume, 0, "203", 0},
        {"music 0, right", 3, &tsettings::MusicVolume, 0, "205", 10},
        {"music 100, right", 3, &tsettings::MusicVolume, 100, "205", 100},
        {"music 105 from a hand-edited file, right", 3, &tsettings::MusicVolume, 105, "205", 100},
        {"effect 10, left", 4, &tsettings::EffectVolume, 10, "203", 0},
        {"effect 100, right", 4, &tsettings::EffectVolume, 100, "205", 100},
    };
    for (const tcase& c : cases) {
        SCOPED_TRACE(c.name);
        settings = tsettings{};
        settings.*c.value = c.start;
        std::vector<std::string> codes(static_cast<size_t>(c.downs), "208");
        codes.insert(codes.end(), {c.key, "1"});
        screenrig::trig rig(Presses(codes));
        rig.services.input->SetSensitivity(settings.PadSensitivity);
        OptionsScreen(rig.services);
        EXPECT_EQ(settings.*c.value, c.expected);
        EXPECT_EQ(OptionsRow, c.downs);
        // The pad reads its sensitivity from the input object; the settings file from settings.
        EXPECT_EQ(rig.services.input->GetSensitivity(), settings.PadSensitivity);
    }
}

TEST(OptionsScreen, RedefinitionBindsEachNewPressOnceAndEscKeepsWhatWasBound) {
    settings = tsettings{};
    const tbindings keys = Keys();
    const tbindings pads = Pads();
    struct tcase {
        const char* name;
        std::string script;
        bool pads;
        tbindings expected;
        long leftAt; // the frame of the Esc that leaves the screen
    };
    const tcase cases[] = {
        {"all eight keys, then one Esc leaves",
         Presses({"57", "16", "17", "18", "19", "20", "21", "22", "23", "1"}),
         false,
         {16, 17, 18, 19, 20, 21, 22, 23},
         18},
        {"Esc at the fourth key stops; a second Esc leaves",
         Presses({"57", "30", "31", "32", "1", "1"}),
         false,
         {30, 31, 32, keys[3], keys[4], keys[5], keys[6], keys[7]},
         10},
        {"the Space that started it, held on, is not bound",
         "0: 57\n5:\n6: 30\n7:\n8: 1\n9:\n10: 1\n",
         false,
         {30, keys[1], keys[2], keys[3], keys[4], keys[5], keys[6], keys[7]},
         10},
        {"a held key binds once; pressed again it binds the next action",
         "0: 57\n1:\n2: 30\n10:\n12: 30\n13:\n14: 1\n15:\n16: 1\n",
         false,
         {30, 30, keys[2], keys[3], keys[4], keys[5], keys[6], keys[7]},
         16},
        {"a key pressed while another is held binds",
         "0: 57\n1:\n2: 30\n4: 30 48\n5:\n6: 1\n7:\n8: 1\n",
         false,
         {30, 48, keys[2], keys[3], keys[4], keys[5], keys[6], keys[7]},
         8},
        {"a key without a name is passed over",
         Presses({"57", "25", "48", "1", "1"}),
         false,
         {48, keys[1], keys[2], keys[3], keys[4], keys[5], keys[6], keys[7]},
         8},
        {"pad controls, Esc at the third",
         Presses({"1005", "208", "28", "1021", "1006", "1", "1"}),
         true,
         {21, 6, pads[2], pads[3], pads[4], pads[5], pads[6], pads[7]},
         12},
    };
    for (const tcase& c : cases) {
        SCOPED_TRACE(c.name);
        settings = tsettings{};
        screenrig::trig rig(c.script);
        OptionsScreen(rig.services);
        EXPECT_EQ(c.pads ? Pads() : Keys(), c.expected);
        EXPECT_EQ(c.pads ? Keys() : Pads(), c.pads ? keys : pads);
        EXPECT_EQ(rig.Frame(), c.leftAt);
    }
}

TEST(OptionsScreen, PadsCannotBeConfiguredWithoutAPad) {
    // Down to "Configure game pads", Enter, then Esc twice. With a pad the first Esc only
    // stops the redefinition; without one Enter did nothing and the first Esc leaves (the
    // screen then waits for its release, one poll more).
    for (const bool pad : {false, true}) {
        SCOPED_TRACE(pad ? "with a pad" : "without a pad");
        settings = tsettings{};
        const tbindings before = Pads();
        screenrig::trig rig(Presses({pad ? "208 1005" : "208", "28", "1", "1"}));
        ASSERT_EQ(rig.services.input->PadCount(), pad ? 1 : 0);
        OptionsScreen(rig.services);
        EXPECT_EQ(rig.Frame(), pad ? 6 : 5);
        EXPECT_EQ(Pads(), before);
    }
}
