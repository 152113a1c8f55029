#include "campaign/screens.h"
#include "engine/settings.h"
#include "support/keypresses.h"
#include "support/screenrig.h"

#include <array>
#include <string>

namespace {

using namespace keypresses;
constexpr int Left = 203, Right = 205, A = 30, B = 48, P = 25; // P has no name
constexpr int SomePadAxis = 1005; // "Z-axis -": no menu key, but the script gets a pad

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
        int key;
        int32_t expected;
    };
    const tcase cases[] = {
        {"sensitivity 30, left", 2, &tsettings::PadSensitivity, 30, Left, 30},
        {"sensitivity 100, right", 2, &tsettings::PadSensitivity, 100, Right, 100},
        {"sensitivity 70, left", 2, &tsettings::PadSensitivity, 70, Left, 60},
        {"music 0, left", 3, &tsettings::MusicVolume, 0, Left, 0},
        {"music 0, right", 3, &tsettings::MusicVolume, 0, Right, 10},
        {"music 100, right", 3, &tsettings::MusicVolume, 100, Right, 100},
        {"music 105 from a hand-edited file, right", 3, &tsettings::MusicVolume, 105, Right, 100},
        {"effect 10, left", 4, &tsettings::EffectVolume, 10, Left, 0},
        {"effect 100, right", 4, &tsettings::EffectVolume, 100, Right, 100},
    };
    for (const tcase& c : cases) {
        SCOPED_TRACE(c.name);
        settings = tsettings{};
        settings.*c.value = c.start;
        screenrig::trig rig(tpresses().Press(Down, c.downs).Press(c.key).Press(Esc).Script());
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
    // Every script ends with Down and Esc once the redefinition is over: the row it leaves
    // on shows the screen went back to browsing instead of being left.
    struct tcase {
        const char* name;
        std::string script;
        bool pads;
        tbindings expected;
    };
    const tcase cases[] = {
        {"all eight keys",
         tpresses()
             .Press(Space)
             .Press(16)
             .Press(17)
             .Press(18)
             .Press(19)
             .Press(20)
             .Press(21)
             .Press(22)
             .Press(23)
             .Press(Down)
             .Press(Esc)
             .Script(),
         false,
         {16, 17, 18, 19, 20, 21, 22, 23}},
        {"Esc at the fourth key",
         tpresses()
             .Press(Space)
             .Press(A)
             .Press(31)
             .Press(32)
             .Press(Esc)
             .Press(Down)
             .Press(Esc)
             .Script(),
         false,
         {A, 31, 32, keys[3], keys[4], keys[5], keys[6], keys[7]}},
        {"the Space that started it, held on, is not bound",
         tpresses().Press({Space}, 5).Press(A).Press(Esc).Press(Down).Press(Esc).Script(),
         false,
         {A, keys[1], keys[2], keys[3], keys[4], keys[5], keys[6], keys[7]}},
        {"a held key binds once; pressed again it binds the next action",
         tpresses().Press(Space).Press({A}, 8).Press(A).Press(Esc).Press(Down).Press(Esc).Script(),
         false,
         {A, A, keys[2], keys[3], keys[4], keys[5], keys[6], keys[7]}},
        {"a key pressed while another is held binds",
         "0: 57\n1:\n3: 30\n5: 30 48\n6:\n8: 1\n9:\n11: 208\n12:\n14: 1\n",
         false,
         {A, B, keys[2], keys[3], keys[4], keys[5], keys[6], keys[7]}},
        {"a key without a name is passed over",
         tpresses().Press(Space).Press(P).Press(B).Press(Esc).Press(Down).Press(Esc).Script(),
         false,
         {B, keys[1], keys[2], keys[3], keys[4], keys[5], keys[6], keys[7]}},
        {"pad controls, Esc at the third",
         tpresses()
             .Press({SomePadAxis})
             .Press(Down)
             .Press(Enter)
             .Press(1021)
             .Press(1006)
             .Press(Esc)
             .Press(Down)
             .Press(Esc)
             .Script(),
         true,
         {21, 6, pads[2], pads[3], pads[4], pads[5], pads[6], pads[7]}},
    };
    for (const tcase& c : cases) {
        SCOPED_TRACE(c.name);
        settings = tsettings{};
        screenrig::trig rig(c.script);
        OptionsScreen(rig.services);
        EXPECT_EQ(c.pads ? Pads() : Keys(), c.expected);
        EXPECT_EQ(c.pads ? Keys() : Pads(), c.pads ? keys : pads);
        EXPECT_EQ(OptionsRow, c.pads ? 2 : 1);
    }
}

TEST(OptionsScreen, PadsCannotBeConfiguredWithoutAPad) {
    // Down to "Configure game pads", Enter, Esc, Down, Esc. With a pad the first Esc only
    // stops the redefinition and Down moves on; without one Enter did nothing and the first
    // Esc leaves.
    for (const bool pad : {false, true}) {
        SCOPED_TRACE(pad ? "with a pad" : "without a pad");
        settings = tsettings{};
        const tbindings before = Pads();
        tpresses presses;
        if (pad)
            presses.Press({Down, SomePadAxis});
        else
            presses.Press(Down);
        screenrig::trig rig(presses.Press(Enter).Press(Esc).Press(Down).Press(Esc).Script());
        ASSERT_EQ(rig.services.input->PadCount(), pad ? 1 : 0);
        OptionsScreen(rig.services);
        EXPECT_EQ(OptionsRow, pad ? 2 : 1);
        EXPECT_EQ(Pads(), before);
    }
}
