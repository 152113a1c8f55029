#include "platform/gpu/recording_device.h"

#include <cstdio>
#include <cstring>
#include <map>

#include "platform/gpu/picture.h"
#include "platform/gpu/state_shadow.h"
#include "platform/gpu/transform.h"

namespace gpu {

namespace {

// Resources of the recorder carry the number they are recorded under.
class RecordedTexture : public Texture {
  public:
    RecordedTexture(int number, int width, int height)
        : number(number), width_(width), height_(height) {}
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    const int number;

  private:
    int width_, height_;
};

class RecordedBuffer : public VertexBuffer {
  public:
    RecordedBuffer(int number, VertexFormat format, int count)
        : number(number), format_(format), count_(count) {}
    VertexFormat Format() const override { return format_; }
    int VertexCount() const override { return count_; }
    const int number;

  private:
    VertexFormat format_;
    int count_;
};

std::string Hex(uint32_t v) {
    char text[16];
    std::snprintf(text, sizeof text, "%08x", v);
    return text;
}

std::string Number(float v) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", double(v));
    return text;
}

} // namespace

RecordingDevice::RecordingDevice(int width, int height, int depthBits, int stencilBits)
    : width_(width), height_(height), depthBits_(depthBits), stencilBits_(stencilBits) {
    // The same defaults as a fresh GL device, read from the one table that holds them.
    const StateShadow defaults;
    std::memcpy(renderStates_, defaults.renderStates, sizeof renderStates_);
    std::memcpy(stageStates_, defaults.stageStates, sizeof stageStates_);
    view = projection = MatrixIdentity();
    for (auto& w : world) w = MatrixIdentity();
    frontBuffer.assign(size_t(width) * size_t(height), 0xFF000000u);
}

void RecordingDevice::Record(std::string line) {
    calls.push_back(std::move(line));
    ++stats_.backendCalls;
}

int RecordingDevice::Count(std::string_view prefix) const {
    int n = 0;
    for (const auto& c : calls)
        if (std::string_view(c).substr(0, prefix.size()) == prefix) ++n;
    return n;
}

std::string RecordingDevice::NameOf(const Texture* texture) {
    if (!texture) return "none";
    return "tex" + std::to_string(static_cast<const RecordedTexture*>(texture)->number);
}

std::string RecordingDevice::NameOf(const VertexBuffer* buffer) {
    if (!buffer) return "none";
    return "vb" + std::to_string(static_cast<const RecordedBuffer*>(buffer)->number);
}

uint32_t RecordingDevice::RenderStateValue(RenderState state) const {
    return renderStates_[uint32_t(state) & 255];
}

uint32_t RecordingDevice::StageStateValue(int stage, StageState state) const {
    return stageStates_[stage][uint32_t(state) & 31];
}

void RecordingDevice::BeginScene() {
    Record("BeginScene");
}
void RecordingDevice::EndScene() {
    Record("EndScene");
}
void RecordingDevice::Present() {
    Record("Present");
}

void RecordingDevice::Clear(uint32_t flags, Argb colour, float z, uint32_t stencil) {
    Record("Clear " + std::to_string(flags) + " " + Hex(colour) + " " + Number(z) + " " +
           std::to_string(stencil));
}

bool RecordingDevice::ReadFrontBuffer(std::vector<uint32_t>& pixels, int& width, int& height) {
    Record("ReadFrontBuffer");
    pixels.clear();
    if (!frontBufferReadable) return false;
    pixels = frontBuffer;
    width = width_;
    height = height_;
    return true;
}

void RecordingDevice::SetView(const Matrix& m) {
    view = m;
    Record("SetView");
}

void RecordingDevice::SetProjection(const Matrix& m) {
    projection = m;
    Record("SetProjection");
}

void RecordingDevice::SetWorld(int index, const Matrix& m) {
    if (index >= 0 && index < kMaxWorldMatrices) world[index] = m;
    Record("SetWorld " + std::to_string(index));
}

void RecordingDevice::SetLight(int index, const Light& light) {
    if (index >= 0 && index < kMaxLights) lights[index] = light;
    Record("SetLight " + std::to_string(index) + " " + std::to_string(uint32_t(light.type)));
}

void RecordingDevice::LightEnable(int index, bool on) {
    if (index >= 0 && index < kMaxLights) lightEnabled[index] = on;
    Record("LightEnable " + std::to_string(index) + " " + std::to_string(int(on)));
}

void RecordingDevice::SetMaterial(const Material& m) {
    material = m;
    Record("SetMaterial " + Number(m.diffuse.r) + " " + Number(m.ambient.r));
}

void RecordingDevice::SetRenderState(RenderState state, uint32_t value) {
    renderStates_[uint32_t(state) & 255] = value;
    Record("SetRenderState " + std::to_string(uint32_t(state)) + " " + std::to_string(value));
}

void RecordingDevice::SetStageState(int stage, StageState state, uint32_t value) {
    if (stage >= 0 && stage < kMaxStages) stageStates_[stage][uint32_t(state) & 31] = value;
    Record("SetStageState " + std::to_string(stage) + " " + std::to_string(uint32_t(state)) + " " +
           std::to_string(value));
}

void RecordingDevice::SetTexture(int stage, const Texture* texture) {
    if (stage >= 0 && stage < kMaxStages) textures[stage] = texture;
    Record("SetTexture " + std::to_string(stage) + " " + NameOf(texture));
}

VertexBufferPtr RecordingDevice::CreateVertexBuffer(VertexFormat format, const void* vertices,
                                                    int count) {
    if (count <= 0 || !vertices) {
        Record("CreateVertexBuffer failed");
        return nullptr;
    }
    auto buffer = std::make_unique<RecordedBuffer>(++buffersMade_, format, count);
    Record("CreateVertexBuffer " + NameOf(buffer.get()) + " " + std::to_string(VertexSize(format)) +
           " " + std::to_string(count));
    return buffer;
}

void RecordingDevice::SetStreamSource(const VertexBuffer* buffer) {
    stream = buffer;
    Record("SetStreamSource " + NameOf(buffer));
}

void RecordingDevice::DrawTriangleList(int firstVertex, int triangleCount) {
    ++stats_.drawCalls;
    Record("DrawTriangleList " + std::to_string(firstVertex) + " " + std::to_string(triangleCount));
}

TextureError RecordingDevice::CreateTextureFromFile(std::string_view path, TexturePtr& texture) {
    texture.reset();
    Picture picture;
    const TextureError e = DecodePicture(path, picture);
    if (e != TextureError::None) {
        Record("CreateTextureFromFile " + std::string(path) + " error " + std::to_string(int(e)));
        return e;
    }
    texture = std::make_shared<RecordedTexture>(++texturesMade_, picture.width, picture.height);
    Record("CreateTextureFromFile " + std::string(path) + " " + NameOf(texture.get()));
    return TextureError::None;
}

TexturePtr RecordingDevice::CreateTexture(int width, int height, const uint32_t* pixels) {
    if (width <= 0 || height <= 0 || !pixels) return nullptr;
    auto texture = std::make_shared<RecordedTexture>(++texturesMade_, width, height);
    Record("CreateTexture " + NameOf(texture.get()) + " " + std::to_string(width) + "x" +
           std::to_string(height));
    return texture;
}

void RecordingDevice::BeginSprites() {
    Record("BeginSprites");
}
void RecordingDevice::EndSprites() {
    Record("EndSprites");
}

void RecordingDevice::DrawSprite(const Texture* texture, const Rect* src, float x, float y,
                                 float scaleX, float scaleY, Argb colour) {
    std::string rect = src ? std::to_string(src->left) + "," + std::to_string(src->top) + "," +
                                 std::to_string(src->right) + "," + std::to_string(src->bottom)
                           : "all";
    Record("DrawSprite " + NameOf(texture) + " " + rect + " " + Number(x) + " " + Number(y) + " " +
           Number(scaleX) + " " + Number(scaleY) + " " + Hex(colour));
}

} // namespace gpu
