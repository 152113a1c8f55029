// What drawing costs the CPU: 500 meshes a frame through the GL device, offscreen.
// Reports the time per frame and the GL calls each mesh costs.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/gpu/gl_device.h"
#include "platform/gpu/transform.h"
#include "platform/window.h"

using namespace gpu;

namespace {

constexpr int kMeshes = 500;

// A floor tile as the world draws it: a box of 12 triangles, textured.
std::vector<PlainVertex> Box() {
    const float c[8][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0},
                           {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};
    const int faces[6][4] = {{0, 3, 2, 1}, {1, 2, 6, 5}, {5, 6, 7, 4},
                             {4, 7, 3, 0}, {3, 7, 6, 2}, {4, 0, 1, 5}};
    std::vector<PlainVertex> v;
    for (const auto& f : faces)
        for (int i : {0, 1, 2, 0, 2, 3})
            v.push_back({c[f[i]][0], c[f[i]][1], c[f[i]][2], 0, 1, 0, 0, 0});
    return v;
}

struct Scene {
    window::Window window{"bench"};
    std::unique_ptr<Device> device;
    std::vector<VertexBufferPtr> models;
    std::vector<TexturePtr> textures;

    bool Open(int size, int kinds) {
        if (window.Open({size, size, false, 32, 0}) != window::OpenResult::Ok) return false;
        DeviceError error;
        device = CreateGlDevice(window, {size, size, 32, 24, 8}, error);
        if (!device) return false;
        const auto box = Box();
        for (int k = 0; k < kinds; ++k) {
            models.push_back(
                device->CreateVertexBuffer(VertexFormat::Plain, box.data(), int(box.size())));
            const uint32_t texels[4] = {0xFF808080u + uint32_t(k), 0xFFFFFFFF, 0xFF000000,
                                        0xFF404040};
            textures.push_back(device->CreateTexture(2, 2, texels));
        }
        device->SetView(MatrixLookAtLH({12, 10, -6}, {12, 0, 8}, {0, 1, 0}));
        device->SetProjection(MatrixPerspectiveFovLH(3.14159265f / 4, 1, 5, 25));
        Light sun;
        sun.direction = {0.3f, -1, 0.2f};
        device->SetLight(0, sun);
        device->LightEnable(0, true);
        return true;
    }

    // One frame of meshes on a 25 x 20 grid, the model changing every `run` meshes.
    void Frame(int run, int meshes = kMeshes) {
        device->Clear(ClearTarget | ClearZBuffer | ClearStencil, 0xFF000000, 1, 0);
        for (int i = 0; i < meshes; ++i) {
            const size_t kind = size_t(i / run) % models.size();
            device->SetWorld(0, MatrixTranslation(float(i % 25), 0, float(i / 25)));
            device->SetStreamSource(models[kind].get());
            device->SetTexture(0, textures[kind].get());
            device->DrawTriangleList(0, 12);
        }
        device->Present();
    }
};

// args: back-buffer size, kinds of model, meshes drawn in a row with one model.
void DrawMeshes(benchmark::State& state) {
    Scene scene;
    if (!scene.Open(int(state.range(0)), int(state.range(1)))) {
        state.SkipWithError("no OpenGL 3.3 context (try SDL_VIDEODRIVER=offscreen)");
        return;
    }
    const int run = int(state.range(2));
    scene.Frame(run);
    // The calls of the clear and present alone, to leave them out of the per-mesh figure.
    const uint64_t emptyStart = scene.device->Stats().backendCalls;
    scene.Frame(run, 0);
    const double framing = double(scene.device->Stats().backendCalls - emptyStart);
    scene.Frame(run);
    const DeviceStats before = scene.device->Stats();
    for (auto _ : state) scene.Frame(run);
    const DeviceStats after = scene.device->Stats();
    const double frames = double(state.iterations());
    state.counters["gl_calls_per_mesh"] =
        (double(after.backendCalls - before.backendCalls) / frames - framing) / kMeshes;
    state.counters["draws_per_frame"] = double(after.drawCalls - before.drawCalls) / frames;
    state.counters["cpu_seconds_per_mesh"] = benchmark::Counter(
        double(kMeshes) * frames, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// A screen of text: 1000 glyphs of a font picture, each in a sprite pass of its own as the
// text routines draw them.
void DrawGlyphs(benchmark::State& state) {
    Scene scene;
    if (!scene.Open(640, 1)) {
        state.SkipWithError("no OpenGL 3.3 context (try SDL_VIDEODRIVER=offscreen)");
        return;
    }
    std::vector<uint32_t> atlas(256 * 80, 0x80FFFFFFu);
    const TexturePtr font = scene.device->CreateTexture(256, 80, atlas.data());
    const DeviceStats before = scene.device->Stats();
    for (auto _ : state) {
        scene.device->Clear(ClearTarget, 0xFF000000, 1, 0);
        for (int i = 0; i < 1000; ++i) {
            const Rect glyph{(i % 20) * 12, (i / 20 % 4) * 18, (i % 20) * 12 + 12,
                             (i / 20 % 4) * 18 + 16};
            scene.device->BeginSprites();
            scene.device->DrawSprite(font.get(), &glyph, float(i % 50 * 12), float(i / 50 * 20),
                                     0.64f, 0.64f, 0xFFF07000);
            scene.device->EndSprites();
        }
        scene.device->Present();
    }
    const DeviceStats after = scene.device->Stats();
    state.counters["draws_per_frame"] =
        double(after.drawCalls - before.drawCalls) / double(state.iterations());
}

} // namespace

BENCHMARK(DrawGlyphs)->Unit(benchmark::kMillisecond);

// One model for all (best case), a new model every 15 (a row of tiles), a new model every mesh.
BENCHMARK(DrawMeshes)
    ->Args({64, 1, kMeshes})
    ->Args({64, 8, 15})
    ->Args({64, 8, 1})
    ->Args({640, 8, 15})
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("LP_NUM_THREADS", "1", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
