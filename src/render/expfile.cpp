#include "render/expfile.h"

#include <bit>
#include <cstring>

#include "platform/files.h"
#include "platform/gpu/types.h"

static_assert(std::endian::native == std::endian::little, "model files are little-endian");

int ExpModel::AddBone(int32_t parent, tvector offset, tvector rotation) {
    bones.push_back({parent, offset, rotation});
    return static_cast<int>(bones.size()) - 1;
}

int ExpModel::AddTriangle(const ExpVertex& a, const ExpVertex& b, const ExpVertex& c) {
    vertices.insert(vertices.end(), {a, b, c});
    return static_cast<int>(vertices.size() / 3) - 1;
}

int ExpModel::AddPose(std::string name, std::vector<tvector> rotations) {
    poses.push_back({std::move(name), std::move(rotations)});
    return static_cast<int>(poses.size()) - 1;
}

// ---- writing ----

namespace {

class Writer {
  public:
    void Int(int32_t value) { Raw(&value, 4); }
    void Float(float value) { Raw(&value, 4); }
    void Vector(const tvector& v) {
        Float(v.x);
        Float(v.y);
        Float(v.z);
    }
    void String(std::string_view text) {
        Int(static_cast<int32_t>(text.size()));
        bytes.append(text);
    }
    void Raw(const void* data, size_t size) { bytes.append(static_cast<const char*>(data), size); }
    std::string bytes;
};

} // namespace

std::string EncodeExp(const ExpModel& model) {
    Writer out;
    out.String(model.texture);
    out.Int(static_cast<int32_t>(model.vertices.size()));
    for (const ExpVertex& vertex : model.vertices) {
        out.Vector(vertex.position);
        out.Float(vertex.weight);
        out.Raw(vertex.bones.data(), 4);
        out.Vector(vertex.normal);
        out.Float(vertex.u);
        out.Float(vertex.v);
    }
    out.Int(static_cast<int32_t>(model.bones.size()));
    for (const ExpBone& bone : model.bones) {
        out.Int(bone.parent);
        out.Vector(bone.offset);
        out.Vector(bone.rotation);
    }
    out.Int(static_cast<int32_t>(model.poses.size()));
    for (const tskeleton& pose : model.poses) {
        out.String(pose.name);
        out.Int(static_cast<int32_t>(pose.rotations.size()));
        for (const tvector& rotation : pose.rotations) out.Vector(rotation);
    }
    return out.bytes;
}

// The rules a model must keep so that drawing it never reaches outside its own tables.
std::string CheckExp(const ExpModel& model) {
    const size_t boneCount = model.bones.size();
    if (model.vertices.size() % 3 != 0)
        return "vertex count " + std::to_string(model.vertices.size()) +
               " is not a whole number of triangles";
    if (boneCount == 0) return "the model has no bones";
    // Every bone becomes one of the device's world matrices while the model is drawn.
    if (boneCount > static_cast<size_t>(gpu::kMaxWorldMatrices))
        return std::to_string(boneCount) + " bones, at most " +
               std::to_string(gpu::kMaxWorldMatrices) + " can be drawn";
    for (size_t i = 0; i < boneCount; ++i) {
        const int32_t parent = model.bones[i].parent;
        if (parent < -1 || parent >= static_cast<int64_t>(i))
            return "bone " + std::to_string(i) + " has parent " + std::to_string(parent) +
                   ", which is not an earlier bone";
    }
    for (size_t i = 0; i < model.vertices.size(); ++i) {
        const auto& bones = model.vertices[i].bones;
        if (bones[0] >= boneCount || bones[1] >= boneCount)
            return "vertex " + std::to_string(i) + " follows bone " +
                   std::to_string(bones[0] >= boneCount ? bones[0] : bones[1]) + " of " +
                   std::to_string(boneCount);
    }
    for (const tskeleton& pose : model.poses)
        if (pose.rotations.size() != boneCount)
            return "pose \"" + pose.name + "\" has " + std::to_string(pose.rotations.size()) +
                   " rotations for " + std::to_string(boneCount) + " bones";
    return {};
}

bool SaveExp(std::string_view gamePath, const ExpModel& model, std::string& error) {
    error = CheckExp(model);
    if (error.empty() && !files::WriteSafely(gamePath, EncodeExp(model)))
        error = "cannot be written";
    if (error.empty()) return true;
    error = std::string(gamePath) + ": " + error;
    return false;
}

// ---- reading ----

namespace {

// Reads front to back; every read and every count is measured against what is left.
class Reader {
  public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    bool Int(int32_t& value, const char* what) { return Raw(&value, 4, what); }
    bool Float(float& value, const char* what) { return Raw(&value, 4, what); }
    bool Vector(tvector& v, const char* what) {
        return Float(v.x, what) && Float(v.y, what) && Float(v.z, what);
    }
    bool String(std::string& text, const char* what) {
        int32_t length = 0;
        if (!Int(length, what) || !Count(length, 1, what)) return false;
        text.assign(bytes_.substr(at_, static_cast<size_t>(length)));
        at_ += static_cast<size_t>(length);
        return true;
    }
    // A count is believed only when the rest of the file can hold that many records of at
    // least recordBytes each; this keeps a lying count from allocating gigabytes.
    bool Count(int32_t count, size_t recordBytes, const char* what) {
        if (count < 0)
            return Fail(std::string(what) + " count " + std::to_string(count) + " is negative");
        if (static_cast<uint64_t>(count) * recordBytes > Left())
            return Fail(std::string(what) + " count " + std::to_string(count) +
                        " does not fit in the " + std::to_string(Left()) +
                        " bytes left at offset " + std::to_string(at_));
        return true;
    }
    bool Raw(void* data, size_t size, const char* what) {
        if (size > Left())
            return Fail(std::string("file ends inside the ") + what + " at offset " +
                        std::to_string(at_));
        std::memcpy(data, bytes_.data() + at_, size);
        at_ += size;
        return true;
    }
    size_t Left() const { return bytes_.size() - at_; }
    bool Fail(std::string why) {
        error = std::move(why);
        return false;
    }
    std::string error;

  private:
    std::string_view bytes_;
    size_t at_ = 0;
};

bool ReadVertices(Reader& in, ExpModel& model) {
    int32_t count = 0;
    if (!in.Int(count, "vertex count") || !in.Count(count, ExpVertexBytes, "vertex")) return false;
    model.vertices.resize(static_cast<size_t>(count));
    for (ExpVertex& vertex : model.vertices)
        if (!in.Vector(vertex.position, "vertices") || !in.Float(vertex.weight, "vertices") ||
            !in.Raw(vertex.bones.data(), 4, "vertices") || !in.Vector(vertex.normal, "vertices") ||
            !in.Float(vertex.u, "vertices") || !in.Float(vertex.v, "vertices"))
            return false;
    return true;
}

bool ReadBones(Reader& in, ExpModel& model) {
    int32_t count = 0;
    if (!in.Int(count, "bone count") || !in.Count(count, ExpBoneBytes, "bone")) return false;
    model.bones.resize(static_cast<size_t>(count));
    for (ExpBone& bone : model.bones)
        if (!in.Int(bone.parent, "bones") || !in.Vector(bone.offset, "bones") ||
            !in.Vector(bone.rotation, "bones"))
            return false;
    return true;
}

bool ReadPoses(Reader& in, ExpModel& model) {
    int32_t count = 0;
    // A pose takes at least its name length and its vector count.
    if (!in.Int(count, "pose count") || !in.Count(count, 8, "pose")) return false;
    model.poses.resize(static_cast<size_t>(count));
    for (tskeleton& pose : model.poses) {
        int32_t vectors = 0;
        if (!in.String(pose.name, "pose name") || !in.Int(vectors, "pose") ||
            !in.Count(vectors, 12, "pose vector"))
            return false;
        pose.rotations.resize(static_cast<size_t>(vectors));
        for (tvector& rotation : pose.rotations)
            if (!in.Vector(rotation, "poses")) return false;
    }
    return true;
}

} // namespace

bool DecodeExp(std::string_view bytes, ExpModel& model, std::string& error) {
    model = {};
    Reader in(bytes);
    if (!in.String(model.texture, "texture name") || !ReadVertices(in, model) ||
        !ReadBones(in, model) || !ReadPoses(in, model)) {
        error = in.error;
        model = {};
        return false;
    }
    // Bytes after the last pose are ignored, as the game never looks past it.
    error = CheckExp(model);
    if (!error.empty()) {
        model = {};
        return false;
    }
    return true;
}

bool LoadExp(std::string_view gamePath, ExpModel& model, std::string& error) {
    std::string bytes;
    if (!files::ReadAll(gamePath, bytes)) {
        model = {};
        error = "Cannot open model file " + std::string(gamePath);
        return false;
    }
    if (DecodeExp(bytes, model, error)) return true;
    error = "Bad model file " + std::string(gamePath) + ": " + error;
    return false;
}
