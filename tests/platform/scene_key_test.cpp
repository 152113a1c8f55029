// Stage set-ups that draw alike share one scene program; set-ups that draw differently
// never do; and a program fetches only the textures its stages read.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/gpu/scene_key.h"
#include "platform/gpu/state_shadow.h"

using namespace gpu;

namespace {

class FakeTexture : public Texture {
  public:
    int Width() const override { return 1; }
    int Height() const override { return 1; }
};

class OneColourTexture : public FakeTexture {
  public:
    bool OneColour(Argb& colour) const override {
        colour = 0xFF121218;
        return true;
    }
};

FakeTexture wood, stone;
OneColourTexture dusk;

using Change = std::function<void(StateShadow&)>;

// The key of the game's usual set-up (lit, stage 0 modulating its texture) after a change.
SceneKey KeyAfter(const Change& change) {
    StateShadow s;
    s.SetTexture(0, &wood);
    change(s);
    return SceneKeyOf(s);
}

void Stage(StateShadow& s, int stage, StageState state, auto value) {
    s.SetStageState(stage, state, uint32_t(value));
}

int Count(const std::string& text, const std::string& word) {
    int n = 0;
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++n;
    return n;
}

} // namespace

TEST(SceneKey, OnlyWhatChangesThePictureChangesTheProgram) {
    const SceneKey usual = KeyAfter([](StateShadow&) {});
    struct Case {
        const char* what;
        Change change;
        bool same;
    };
    const Case cases[] = {
        {"another texture", [](StateShadow& s) { s.SetTexture(0, &stone); }, true},
        {"stage 1 arguments while it is off",
         [](StateShadow& s) { Stage(s, 1, StageState::ColourArg1, TextureArg::TFactor); }, true},
        {"the argument select-first does not read",
         [](StateShadow& s) { Stage(s, 0, StageState::AlphaArg2, TextureArg::TFactor); }, true},
        {"filters and addressing",
         [](StateShadow& s) { Stage(s, 0, StageState::MipFilter, TextureFilter::Linear); }, true},
        {"lighting off", [](StateShadow& s) { s.SetRenderState(RenderState::Lighting, 0); }, false},
        {"texture factor instead of texture",
         [](StateShadow& s) { Stage(s, 0, StageState::ColourArg1, TextureArg::TFactor); }, false},
        {"stage 1 tint",
         [](StateShadow& s) {
             Stage(s, 1, StageState::ColourOp, TextureOp::BlendFactorAlpha);
             Stage(s, 1, StageState::ColourArg1, TextureArg::Current);
             Stage(s, 1, StageState::ColourArg2, TextureArg::TFactor);
         },
         false},
        {"stage 1 reading its missing texture",
         [](StateShadow& s) { Stage(s, 1, StageState::ColourOp, TextureOp::BlendFactorAlpha); },
         true},
        {"no texture to modulate", [](StateShadow& s) { s.SetTexture(0, nullptr); }, false},
    };
    for (const Case& c : cases) EXPECT_EQ(KeyAfter(c.change) == usual, c.same) << c.what;

    // A stage reading a texture that is not bound ends the cascade, as an explicit Disable does.
    EXPECT_EQ(
        KeyAfter([](StateShadow& s) { s.SetTexture(0, nullptr); }),
        KeyAfter([](StateShadow& s) { Stage(s, 0, StageState::ColourOp, TextureOp::Disable); }));
    // Glow reads no texture, so whether one is bound does not matter.
    const Change glow = [](StateShadow& s) {
        Stage(s, 0, StageState::ColourOp, TextureOp::Add);
        Stage(s, 0, StageState::ColourArg1, TextureArg::Diffuse);
        Stage(s, 0, StageState::ColourArg2, TextureArg::Diffuse);
        Stage(s, 0, StageState::AlphaArg1, TextureArg::Diffuse);
    };
    EXPECT_EQ(KeyAfter(glow), KeyAfter([&](StateShadow& s) {
                  glow(s);
                  s.SetTexture(0, nullptr);
              }));
}

TEST(SceneKey, EachStageFetchesOnlyTheTextureItReads) {
    struct Case {
        const char* what;
        Change change;
        int fetches;
    };
    const Case cases[] = {
        {"usual", [](StateShadow&) {}, 1},
        {"tinted by stage 1",
         [](StateShadow& s) {
             Stage(s, 1, StageState::ColourOp, TextureOp::BlendFactorAlpha);
             Stage(s, 1, StageState::ColourArg1, TextureArg::Current);
             Stage(s, 1, StageState::ColourArg2, TextureArg::TFactor);
         },
         1},
        {"untextured", [](StateShadow& s) { s.SetTexture(0, nullptr); }, 0},
        {"a texture of one colour", [](StateShadow& s) { s.SetTexture(0, &dusk); }, 0},
        {"two textured stages",
         [](StateShadow& s) {
             s.SetTexture(1, &stone);
             Stage(s, 1, StageState::ColourOp, TextureOp::Modulate);
         },
         2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Count(SceneFragmentSource(KeyAfter(c.change)), "texture("), c.fetches) << c.what;
}
