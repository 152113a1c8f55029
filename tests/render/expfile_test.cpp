#include "render/expfile.h"

#include <cstring>
#include <gtest/gtest.h>

#include "fixtures.h"

namespace {

ExpModel SampleModel() {
    ExpModel model;
    model.texture = "zombie.png";
    const int hip = model.AddBone(-1, {0, 1, 0});
    const int knee = model.AddBone(hip, {0, -0.5f, 0.25f}, {0.1f, 0.2f, 0.3f});
    ExpVertex a = fixtures::Vertex(1, 2, 3, hip, 0.25f, 0.75f);
    ExpVertex b = fixtures::Vertex(4, 5, 6, knee, 1, 0);
    b.weight = 0.25f;
    b.bones = {1, 0, 7, 9}; // the last two bytes are carried but never used
    ExpVertex c = fixtures::Vertex(-1, -2, -3, knee);
    model.AddTriangle(a, b, c);
    model.AddPose("stand", {{0, 0, 0}, {0, 0, 0}});
    model.AddPose("step", {{0.5f, 0, -0.5f}, {1, 2, 3}});
    return model;
}

void ExpectSameModel(const ExpModel& a, const ExpModel& b) {
    EXPECT_EQ(a.texture, b.texture);
    ASSERT_EQ(a.vertices.size(), b.vertices.size());
    for (size_t i = 0; i < a.vertices.size(); ++i)
        EXPECT_EQ(0, std::memcmp(&a.vertices[i], &b.vertices[i], sizeof(ExpVertex))) << i;
    ASSERT_EQ(a.bones.size(), b.bones.size());
    for (size_t i = 0; i < a.bones.size(); ++i)
        EXPECT_EQ(0, std::memcmp(&a.bones[i], &b.bones[i], sizeof(ExpBone))) << i;
    ASSERT_EQ(a.poses.size(), b.poses.size());
    for (size_t i = 0; i < a.poses.size(); ++i) {
        EXPECT_EQ(a.poses[i].name, b.poses[i].name);
        ASSERT_EQ(a.poses[i].rotations.size(), b.poses[i].rotations.size());
        for (size_t k = 0; k < a.poses[i].rotations.size(); ++k) {
            EXPECT_EQ(a.poses[i].rotations[k].x, b.poses[i].rotations[k].x);
            EXPECT_EQ(a.poses[i].rotations[k].z, b.poses[i].rotations[k].z);
        }
    }
}

void PutInt(std::string& bytes, size_t at, int32_t value) {
    std::memcpy(&bytes[at], &value, 4);
}

} // namespace

TEST(ExpFile, WrittenModelReadsBackFieldForField) {
    const ExpModel model = SampleModel();
    const std::string bytes = EncodeExp(model);
    // 4 + 10 name, 4 + 3 x 40 vertices, 4 + 2 x 28 bones, 4 + two poses of 4 + 5|4 + 4 + 24.
    EXPECT_EQ(bytes.size(), 14u + 124 + 60 + 4 + (9 + 28) + (8 + 28));
    ExpModel back;
    std::string error;
    ASSERT_TRUE(DecodeExp(bytes, back, error)) << error;
    ExpectSameModel(model, back);

    fixtures::ScratchFolder folder;
    ASSERT_TRUE(SaveExp(folder.File("zombie.exp"), model, error)) << error;
    ASSERT_TRUE(LoadExp(folder.File("zombie.exp"), back, error)) << error;
    ExpectSameModel(model, back);
}

TEST(ExpFile, EveryTruncationIsRefusedWithoutReadingPastTheEnd) {
    const std::string bytes = EncodeExp(SampleModel());
    for (size_t length = 0; length < bytes.size(); ++length) {
        // A copy of exactly this length, so that the sanitizers catch any read past it.
        const std::string cut = bytes.substr(0, length);
        ExpModel model;
        std::string error;
        EXPECT_FALSE(DecodeExp(cut, model, error)) << length;
        EXPECT_FALSE(error.empty()) << length;
        EXPECT_TRUE(model.vertices.empty() && model.bones.empty()) << length;
    }
}

TEST(ExpFile, CountsTheFileCannotHoldAreRefusedBeforeAllocating) {
    const std::string good = EncodeExp(SampleModel());
    const size_t vertexCountAt = 4 + 10;
    const size_t boneCountAt = vertexCountAt + 4 + 3 * 40;
    const size_t poseCountAt = boneCountAt + 4 + 2 * 28;
    const size_t firstPoseVectorsAt = poseCountAt + 4 + 4 + 5;
    struct Lie {
        size_t at;
        int32_t value;
        const char* says;
    };
    const Lie lies[] = {
        {0, 0x7fffffff, "texture name"},
        {0, -1, "texture name"},
        {vertexCountAt, 0x7fffffff, "vertex"},
        {vertexCountAt, -3, "vertex"},
        {vertexCountAt, 9, "vertex"},
        {boneCountAt, 0x40000000, "bone"},
        {poseCountAt, 0x7fffffff, "pose"},
        {firstPoseVectorsAt, 0x10000000, "pose vector"},
        {firstPoseVectorsAt, -1, "pose vector"},
    };
    for (const Lie& lie : lies) {
        std::string bytes = good;
        PutInt(bytes, lie.at, lie.value);
        ExpModel model;
        std::string error;
        EXPECT_FALSE(DecodeExp(bytes, model, error)) << lie.at << " " << lie.value;
        EXPECT_NE(error.find(lie.says), std::string::npos) << error;
    }
}

TEST(ExpFile, ModelsThatWouldDrawOutsideTheirTablesAreRefused) {
    std::string error;
    ExpModel model;

    model = SampleModel();
    model.bones[1].parent = 1; // its own parent: not yet placed when it is needed
    EXPECT_NE(CheckExp(model).find("parent"), std::string::npos);
    EXPECT_FALSE(DecodeExp(EncodeExp(model), model, error));

    model = SampleModel();
    model.bones[0].parent = -2;
    EXPECT_FALSE(CheckExp(model).empty());

    model = SampleModel();
    model.vertices[2].bones[0] = 2; // only bones 0 and 1 exist
    EXPECT_NE(CheckExp(model).find("bone 2"), std::string::npos);
    model.vertices[2].bones = {0, 5, 0, 0}; // the second matrix of a blend counts too
    EXPECT_FALSE(CheckExp(model).empty());

    model = SampleModel();
    model.poses[1].rotations.pop_back();
    EXPECT_NE(CheckExp(model).find("step"), std::string::npos);

    model = SampleModel();
    model.vertices.pop_back();
    EXPECT_NE(CheckExp(model).find("triangles"), std::string::npos);

    // Each bone needs a world matrix of the device: 256 fit, a 257th is refused by the
    // reader itself, so the model tool and the forge agree with the game.
    model = SampleModel();
    while (model.bones.size() < 256) model.AddBone(0, {0, 0, 0});
    for (auto& pose : model.poses) pose.rotations.resize(model.bones.size());
    EXPECT_EQ(CheckExp(model), "");
    model.AddBone(0, {0, 0, 0});
    for (auto& pose : model.poses) pose.rotations.resize(model.bones.size());
    EXPECT_NE(CheckExp(model).find("257 bones"), std::string::npos);
    EXPECT_FALSE(DecodeExp(EncodeExp(model), model, error));

    model = SampleModel();
    model.bones.clear();
    for (auto& pose : model.poses) pose.rotations.clear();
    for (auto& vertex : model.vertices) vertex.bones = {};
    EXPECT_FALSE(CheckExp(model).empty());

    // The writer refuses what the reader would, and leaves no file behind.
    fixtures::ScratchFolder folder;
    EXPECT_FALSE(SaveExp(folder.File("bad.exp"), model, error));
    EXPECT_NE(error.find("bad.exp"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder.File("bad.exp")));
}

TEST(ExpFile, FailuresNameTheFile) {
    fixtures::ScratchFolder folder;
    ExpModel model;
    std::string error;
    EXPECT_FALSE(LoadExp(folder.File("missing.exp"), model, error));
    EXPECT_NE(error.find("missing.exp"), std::string::npos) << error;

    std::string bytes = EncodeExp(SampleModel());
    bytes.resize(bytes.size() - 1);
    fixtures::WriteFile(folder.File("short.exp"), bytes);
    EXPECT_FALSE(LoadExp(folder.File("short.exp"), model, error));
    EXPECT_NE(error.find("short.exp"), std::string::npos) << error;
}
