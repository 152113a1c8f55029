#pragma once
// The model store: every 3D object of the game is a model loaded once from an ".exp" file
// and known by its index in load order. The store blends keyframe poses onto a model's
// skeleton, says where a bone was last drawn, and draws a model at a position, turn and
// scale, skipping every device state that already has the value it needs.
//
// Pose, bone matrices and stage settings live in the model, so every instance drawn with one
// model shares them: set an instance's pose right before drawing it. BonePosition and
// BoneMatrix report the last instance drawn.
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gpu/device.h"
#include "render/expfile.h"
#include "render/matrix.h"

// A model file that is missing, short or malformed; the message names the file.
struct ModelFileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};
// The device could not hold the model's vertices. Start-up treats it as any other loading
// failure; the store itself shows nothing.
struct ModelDeviceError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Texture stage 0 settings of a model's next draw.
struct tstageops {
    uint32_t colourOp = static_cast<uint32_t>(gpu::TextureOp::Modulate);
    uint32_t colourArg1 = static_cast<uint32_t>(gpu::TextureArg::Texture);
    uint32_t colourArg2 = static_cast<uint32_t>(gpu::TextureArg::Diffuse);
    uint32_t alphaOp = static_cast<uint32_t>(gpu::TextureOp::Disable);
    bool operator==(const tstageops&) const = default;
};

struct t3dobject {
    std::string textureName;
    int32_t boneCount = 0, vertexCount = 0;
    std::vector<ExpBone> bones; // rotations are overwritten by the pose operations
    // The last draw's skeleton. On a device that shows nothing it is placed only when
    // BonePosition or BoneMatrix asks, and then only the bone asked for and its parents.
    struct tplacement {
        float x = 0, y = 0, z = 0, rx = 0, ry = 0, rz = 0, scale = 1;
        bool useExtra = false;
        tmatrix extra = gpu::MatrixIdentity();
    };
    tplacement placement;
    std::vector<tvector> drawnRotations;           // the pose of the last draw
    mutable std::vector<tmatrix> boneMatrices;     // final matrices of the last draw
    mutable std::vector<tmatrix> placedMatrices;   // the same before the position was added
    mutable std::vector<tmatrix> skeletonMatrices; // before the model's own turn and scale
    mutable std::vector<uint8_t> bonePlaced;       // bone i's three matrices are up to date
    mutable std::vector<size_t> placeChain;        // scratch of BonePosition and BoneMatrix
    gpu::TexturePtr texture;                       // may be empty
    tmatrix extraMatrix = gpu::MatrixIdentity();
    std::vector<tskeleton> poses; // the keyframes, then the working pose
    bool skinned = false;
    gpu::VertexBufferPtr vertexBuffer; // none for a model without vertices
    tstageops stageOps;
};

class t3dobjects {
  public:
    // The device all later loads and draws use. Software vertex processing is remembered for
    // what it was; the device decides for itself where vertices are processed.
    void SetModelDevice(gpu::Device* device, bool softwareProcessing);

    // Load a plain model (the whole mesh follows one matrix) or a skinned one (each vertex
    // follows its bone) and return its index. Throws ModelFileError or ModelDeviceError;
    // a texture that cannot be made is reported by the texture cache and left out.
    int AddModel(gpu::Device* device, std::string_view file);
    int AddSkinnedModel(gpu::Device* device, std::string_view file);

    // Blends the rotations of bones first..last (last -1 = the last bone) to
    // (1 - t) x keyframe a + t x keyframe b. Out-of-range arguments change nothing.
    void SetPose(int model, int first, int last, float t, int a, int b);
    // Copies keyframe k (0..P, P = the working pose) into all bones' rotations.
    void SetPoseFromKeyframe(int model, int k);
    // Copies the bones' current rotations into the working pose.
    void SavePose(int model);
    // Sets the bones' rotations to (1 - t) x from + t x to, bone by bone; lists shorter than
    // the skeleton change nothing. The picture drawn between two steps takes its pose so.
    void BlendRotations(int model, const std::vector<tvector>& from, const std::vector<tvector>& to,
                        float t);
    // The bones' current rotations into the list (sized to the skeleton).
    void ReadRotations(int model, std::vector<tvector>& rotations) const;
    // Bone i's origin as the last draw placed and turned it, without the position; (0, 0, 0)
    // when i is no bone of the model.
    tvector BonePosition(int model, int bone) const;
    // Bone i's final matrix of the last draw (identity when there is no such bone).
    tmatrix BoneMatrix(int model, int bone) const;
    void SetExtraMatrix(int model, const tmatrix& matrix);
    // Stage-0 settings for the next draw of this model only.
    void SetStageOps(int model, uint32_t colourOp, uint32_t colourArg1, uint32_t colourArg2,
                     uint32_t alphaOp);
    void DrawModel(int model, bool useExtra, float x, float y, float z, float rx, float ry,
                   float rz, float scale);

    // Someone else changed the device's model states: set everything again on the next draw.
    void ForgetDeviceState() { last_ = {}; }

    int Count() const { return static_cast<int>(models_.size()); }
    bool Valid(int model) const { return model >= 0 && model < Count(); }
    const t3dobject& Model(int model) const { return models_[static_cast<size_t>(model)]; }
    gpu::Device* Device() const { return device_; }
    // Empties the store (tests; the game keeps its models to the end).
    void Clear();

  private:
    int Load(gpu::Device* device, std::string_view file, bool skinned);
    // Brings bone i of the last draw (and its parents) up to date.
    static void PlaceBone(const t3dobject& model, size_t bone);

    gpu::Device* device_ = nullptr;
    bool softwareProcessing_ = false;
    std::vector<t3dobject> models_;

    // What the store last set on the device, shared by all models.
    // Nothing is known before the first draw, so that draw sets everything.
    struct LastStates {
        std::optional<bool> skinned;
        std::optional<const gpu::VertexBuffer*> buffer;
        std::optional<const gpu::Texture*> texture;
        std::optional<uint32_t> colourOp, colourArg1, colourArg2, alphaOp;
    } last_;
};

// The one model store of the program.
t3dobjects& Models();
// SetModelDevice on the model store and the texture cache.
void SetModelDevice(gpu::Device* device, bool softwareProcessing);
