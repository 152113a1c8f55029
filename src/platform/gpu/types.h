#pragma once
// The vocabulary of the drawing device: matrices, colours, vertices and the numbered states.
// Every enum keeps the number the fixed-function API gave it, so that values stored in data
// (stage settings of a model, blend factors in the drawing code) mean the same thing here.
#include <cstdint>

namespace gpu {

// A 4 x 4 matrix in the row-vector convention: a point transforms as v' = v * M, and
// A * B applies A first. m[row][col]; the translation sits in row 3.
struct Matrix {
    float m[4][4];
};

struct Vector3 {
    float x, y, z;
};

// A colour with float channels 0..1 (lights, material).
struct ColourValue {
    float r, g, b, a;
};

// A 32-bit colour 0xAARRGGBB (clear colour, ambient, texture factor, sprite tint).
using Argb = uint32_t;
constexpr Argb MakeArgb(int a, int r, int g, int b) {
    return (uint32_t(a & 255) << 24) | (uint32_t(r & 255) << 16) | (uint32_t(g & 255) << 8) |
           uint32_t(b & 255);
}

// A rectangle in pixels; right and bottom are exclusive.
struct Rect {
    int left, top, right, bottom;
};

// Vertex of a plain model: the whole mesh follows world matrix 0. 32 bytes.
struct PlainVertex {
    float x, y, z;
    float nx, ny, nz;
    float u, v;
};
static_assert(sizeof(PlainVertex) == 32);

// Vertex of a skinned model. 40 bytes, laid out as in the model file. The vertex follows
// world matrix bones[0] with weight `weight` and world matrix bones[1] with 1 - weight.
struct SkinnedVertex {
    float x, y, z;
    float weight;
    uint8_t bones[4];
    float nx, ny, nz;
    float u, v;
};
static_assert(sizeof(SkinnedVertex) == 40);

enum class VertexFormat { Plain, Skinned };

constexpr int VertexSize(VertexFormat format) {
    return format == VertexFormat::Plain ? 32 : 40;
}

// Number of world matrices a skinned draw can address (WORLDMATRIX(0) .. (255)).
constexpr int kMaxWorldMatrices = 256;
// Number of light slots.
constexpr int kMaxLights = 8;
// Number of texture stages.
constexpr int kMaxStages = 2;

// ---- Render states -------------------------------------------------------------------------
enum class RenderState : uint32_t {
    ZEnable = 7,                    // 0/1; default 1
    ZWriteEnable = 14,              // 0/1; default 1
    SrcBlend = 19,                  // Blend; default One
    DestBlend = 20,                 // Blend; default Zero
    CullMode = 22,                  // Cull; default Ccw
    ZFunc = 23,                     // Compare; default LessEqual
    DitherEnable = 26,              // accepted and ignored: 32-bit targets need no dithering
    AlphaBlendEnable = 27,          // 0/1; default 0
    StencilEnable = 52,             // 0/1; default 0
    StencilFail = 53,               // StencilOp; default Keep
    StencilZFail = 54,              // StencilOp; default Keep
    StencilPass = 55,               // StencilOp; default Keep
    StencilFunc = 56,               // Compare; default Always
    StencilRef = 57,                // default 0
    TextureFactor = 60,             // Argb; default 0xFFFFFFFF
    Lighting = 137,                 // 0/1; default 1
    Ambient = 139,                  // Argb; default 0
    VertexBlend = 151,              // 0 = off, 1 = one weight (two matrices); default 0
    IndexedVertexBlendEnable = 167, // 0/1; default 0
};

enum class Cull : uint32_t { None = 1, Cw = 2, Ccw = 3 };
enum class Blend : uint32_t {
    Zero = 1,
    One = 2,
    SrcColour = 3,
    InvSrcColour = 4,
    SrcAlpha = 5,
    InvSrcAlpha = 6,
};
enum class Compare : uint32_t {
    Never = 1,
    Less = 2,
    Equal = 3,
    LessEqual = 4,
    Greater = 5,
    NotEqual = 6,
    GreaterEqual = 7,
    Always = 8,
};
enum class StencilOp : uint32_t {
    Keep = 1,
    Zero = 2,
    Replace = 3,
    IncrSat = 4,
    DecrSat = 5,
    Invert = 6,
    Incr = 7,
    Decr = 8,
};

// ---- Texture stage states ------------------------------------------------------------------
enum class StageState : uint32_t {
    ColourOp = 1,   // TextureOp; stage 0 default Modulate, stage 1 Disable
    ColourArg1 = 2, // TextureArg; default Texture
    ColourArg2 = 3, // TextureArg; default Current
    AlphaOp = 4,    // TextureOp; stage 0 default SelectArg1, stage 1 Disable
    AlphaArg1 = 5,  // TextureArg; default Texture
    AlphaArg2 = 6,  // TextureArg; default Current
    AddressU = 13,  // TextureAddress; default Wrap
    AddressV = 14,  // TextureAddress; default Wrap
    MagFilter = 16, // TextureFilter; default Point
    MinFilter = 17, // TextureFilter; default Point
    MipFilter = 18, // TextureFilter; default None
};

enum class TextureOp : uint32_t {
    Disable = 1,
    SelectArg1 = 2,
    SelectArg2 = 3,
    Modulate = 4,
    Add = 7,
    BlendFactorAlpha = 14, // arg1 * factor.a + arg2 * (1 - factor.a)
};
// Diffuse is the lit (or, with lighting off, opaque white) vertex colour; Current is the
// result of the stage before (Diffuse on stage 0); TFactor is RenderState::TextureFactor.
enum class TextureArg : uint32_t { Diffuse = 0, Current = 1, Texture = 2, TFactor = 3 };
enum class TextureAddress : uint32_t { Wrap = 1, Mirror = 2, Clamp = 3 };
enum class TextureFilter : uint32_t { None = 0, Point = 1, Linear = 2 };

// ---- Lights and material -------------------------------------------------------------------
enum class LightType : uint32_t { Point = 1, Directional = 3 };

// Positions and directions are in world space. A point light lights nothing beyond `range`
// (not even its ambient part); its strength falls off as 1 / (a0 + a1 d + a2 d^2).
struct Light {
    LightType type = LightType::Directional;
    ColourValue diffuse{1, 1, 1, 0};
    ColourValue ambient{0, 0, 0, 0};
    Vector3 position{0, 0, 0};
    Vector3 direction{0, 0, 1};
    float range = 1000.0f;
    float attenuation0 = 0, attenuation1 = 1, attenuation2 = 0;
};

// Specular is never used (specular lighting stays off); it is kept so a material reads as
// the game writes it.
struct Material {
    ColourValue diffuse{1, 1, 1, 1};
    ColourValue ambient{0, 0, 0, 0};
    ColourValue specular{0, 0, 0, 0};
    ColourValue emissive{0, 0, 0, 0};
    float power = 0;
};

// ---- Clear flags ---------------------------------------------------------------------------
enum ClearFlags : uint32_t { ClearTarget = 1, ClearZBuffer = 2, ClearStencil = 4 };

// ---- Results -------------------------------------------------------------------------------
// Why a texture could not be made; the numbers are the digits the texture cache shows.
enum class TextureError : int {
    None = 0,
    NotAvailable = 1,     // larger than the driver's largest texture
    OutOfVideoMemory = 2, // the driver ran out of memory
    InvalidCall = 3,      // no device, or an empty name
    InvalidData = 4,      // missing, unreadable or undecodable file
    OutOfMemory = 5,      // decoding ran out of memory
};

} // namespace gpu
