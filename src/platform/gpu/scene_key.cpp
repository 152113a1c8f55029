#include "platform/gpu/scene_key.h"

#include "platform/gpu/state_shadow.h"

namespace gpu {

namespace {

// Per stage 16 bits: colour op (4), colour args (2 + 2), alpha op (4), alpha args (2 + 2).
// Then one bit per stage for a bound texture, then lighting, then one bit per stage for a
// texture of one colour, then blended vertices.
constexpr int kStageBits = 16;
constexpr int kBoundShift = 2 * kStageBits;
constexpr int kLitShift = kBoundShift + kMaxStages;
constexpr int kOneColourShift = kLitShift + 1;
constexpr int kBlendedShift = kOneColourShift + kMaxStages;

// An operation the device does not know leaves the colour as it was.
constexpr uint32_t kKeepOp = 15;

uint32_t OpCode(TextureOp op) {
    switch (op) {
    case TextureOp::Disable:
    case TextureOp::SelectArg1:
    case TextureOp::SelectArg2:
    case TextureOp::Modulate:
    case TextureOp::Add:
    case TextureOp::BlendFactorAlpha:
        return uint32_t(op);
    default:
        return kKeepOp;
    }
}

// Any argument number past the known ones reads the texture factor.
uint32_t ArgCode(uint32_t arg) {
    return arg > uint32_t(TextureArg::TFactor) ? uint32_t(TextureArg::TFactor) : arg;
}

bool Reads(uint32_t op, int arg) {
    if (op == uint32_t(TextureOp::SelectArg1)) return arg == 1;
    if (op == uint32_t(TextureOp::SelectArg2)) return arg == 2;
    return op != kKeepOp && op != uint32_t(TextureOp::Disable);
}

struct StageCode {
    uint32_t colourOp, colourArg1, colourArg2, alphaOp, alphaArg1, alphaArg2;
};

StageCode Unpack(SceneKey key, int stage) {
    const uint32_t bits = uint32_t(key >> (stage * kStageBits)) & 0xFFFF;
    return {bits & 15,        (bits >> 4) & 3,  (bits >> 6) & 3,
            (bits >> 8) & 15, (bits >> 12) & 3, (bits >> 14) & 3};
}

bool ReadsTexture(const StageCode& s) {
    const uint32_t texture = uint32_t(TextureArg::Texture);
    return (Reads(s.colourOp, 1) && s.colourArg1 == texture) ||
           (Reads(s.colourOp, 2) && s.colourArg2 == texture) ||
           (Reads(s.alphaOp, 1) && s.alphaArg1 == texture) ||
           (Reads(s.alphaOp, 2) && s.alphaArg2 == texture);
}

std::string ArgText(uint32_t arg, const std::string& texel) {
    switch (arg) {
    case uint32_t(TextureArg::Diffuse):
        return "vDiffuse";
    case uint32_t(TextureArg::Current):
        return "current";
    case uint32_t(TextureArg::Texture):
        return texel;
    default:
        return "uTextureFactor";
    }
}

std::string OpText(uint32_t op, const std::string& x, const std::string& y) {
    switch (op) {
    case uint32_t(TextureOp::SelectArg1):
        return x;
    case uint32_t(TextureOp::SelectArg2):
        return y;
    case uint32_t(TextureOp::Modulate):
        return "(" + x + " * " + y + ")";
    case uint32_t(TextureOp::Add):
        return "clamp(" + x + " + " + y + ", 0.0, 1.0)";
    case uint32_t(TextureOp::BlendFactorAlpha):
        return "mix(" + y + ", " + x + ", uTextureFactor.a)";
    default:
        return "current";
    }
}

} // namespace

SceneKey SceneKeyOf(const StateShadow& shadow) {
    SceneKey key = 0;
    for (int s = 0; s < kMaxStages; ++s) {
        StageCode c{OpCode(shadow.EffectiveColourOp(s)), 0, 0, 0, 0, 0};
        if (c.colourOp == uint32_t(TextureOp::Disable)) break;
        c.alphaOp = OpCode(shadow.EffectiveAlphaOp(s));
        // Alpha left alone and an unknown alpha operation both keep the alpha as it was.
        if (c.alphaOp == kKeepOp) c.alphaOp = uint32_t(TextureOp::Disable);
        if (Reads(c.colourOp, 1)) c.colourArg1 = ArgCode(shadow.Get(s, StageState::ColourArg1));
        if (Reads(c.colourOp, 2)) c.colourArg2 = ArgCode(shadow.Get(s, StageState::ColourArg2));
        if (Reads(c.alphaOp, 1)) c.alphaArg1 = ArgCode(shadow.Get(s, StageState::AlphaArg1));
        if (Reads(c.alphaOp, 2)) c.alphaArg2 = ArgCode(shadow.Get(s, StageState::AlphaArg2));
        const uint32_t bits = c.colourOp | c.colourArg1 << 4 | c.colourArg2 << 6 | c.alphaOp << 8 |
                              c.alphaArg1 << 12 | c.alphaArg2 << 14;
        key |= SceneKey(bits) << (s * kStageBits);
        if (ReadsTexture(c) && shadow.textures[s]) {
            key |= SceneKey(1) << (kBoundShift + s);
            Argb colour = 0;
            if (shadow.textures[s]->OneColour(colour)) key |= SceneKey(1) << (kOneColourShift + s);
        }
    }
    if (shadow.Get(RenderState::Lighting) != 0) key |= SceneKey(1) << kLitShift;
    return key;
}

bool SceneKeyLit(SceneKey key) {
    return (key >> kLitShift) & 1;
}

SceneKey WithBlendedVertices(SceneKey key) {
    return key | SceneKey(1) << kBlendedShift;
}

bool SceneKeyBlended(SceneKey key) {
    return (key >> kBlendedShift) & 1;
}

std::string SceneFragmentSource(SceneKey key) {
    std::string body;
    for (int s = 0; s < kMaxStages; ++s) {
        const StageCode c = Unpack(key, s);
        if (c.colourOp == uint32_t(TextureOp::Disable) || c.colourOp == 0) break;
        const std::string index = std::to_string(s), texel = "texel" + index;
        if (ReadsTexture(c)) {
            // A stage without a texture reads zero from it.
            const bool bound = (key >> (kBoundShift + s)) & 1;
            const bool oneColour = (key >> (kOneColourShift + s)) & 1;
            const std::string read = !bound      ? "vec4(0.0)"
                                     : oneColour ? "uTexel[" + index + "]"
                                                 : "texture(uTexture" + index + ", vUV)";
            body += "    vec4 " + texel + " = " + read + ";\n";
        }
        const std::string colour =
            OpText(c.colourOp, ArgText(c.colourArg1, texel), ArgText(c.colourArg2, texel));
        const std::string alpha =
            c.alphaOp == uint32_t(TextureOp::Disable)
                ? "current"
                : OpText(c.alphaOp, ArgText(c.alphaArg1, texel), ArgText(c.alphaArg2, texel));
        body += "    current = vec4((" + colour + ").rgb, (" + alpha + ").a);\n";
    }
    return "uniform sampler2D uTexture0;\n"
           "uniform sampler2D uTexture1;\n"
           "in vec4 vDiffuse;\n"
           "in vec2 vUV;\n"
           "out vec4 oColour;\n"
           "void main()\n{\n"
           "    vec4 current = vDiffuse;\n" +
           body + "    oColour = current;\n}\n";
}

} // namespace gpu
