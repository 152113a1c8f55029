// What the level editor's model costs on the largest campaign level: opening the file,
// the completability check with its warnings, saving it (written safely, as Save does), and
// filling the world tables of the 3D view from it.
#include "editormodel.h"
#include "engine/xmlparser.h"
#include "levelfile.h"
#include "world/level/levelloader.h"
#include "world/tables.h"
#include "worldfill.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string GameFolder() {
    const char* game = std::getenv("TARNHOLLOW_GAME_DIR");
    return fs::absolute(game ? game : TARNHOLLOW_GAME_DIR).string();
}

// The largest level file of the campaign, by size; empty without data.
std::string LargestLevel() {
    std::string largest;
    std::uintmax_t most = 0;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(GameFolder() + "/lvl", error))
        if (entry.path().extension() == ".dat" && entry.file_size() > most) {
            most = entry.file_size();
            largest = entry.path().string();
        }
    return largest;
}

// The model with the largest level open; false (and the benchmark skipped) without one.
bool Opened(benchmark::State& state, editor::Model& model) {
    static const std::string level = LargestLevel();
    std::string error;
    if (level.empty() || !model.Open(level, error)) {
        state.SkipWithError(("no campaign level in " + GameFolder() + "/lvl " + error).c_str());
        return false;
    }
    state.SetLabel(fs::path(level).filename().string());
    return true;
}

void BM_OpenLargestLevel(benchmark::State& state) {
    editor::Model model;
    if (!Opened(state, model)) return;
    const std::string path = model.Path();
    std::string error;
    for (auto _ : state) {
        editor::Model fresh;
        if (!fresh.Open(path, error)) state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(fresh.Level());
    }
}
BENCHMARK(BM_OpenLargestLevel)->Unit(benchmark::kMillisecond);

void BM_CheckLargestLevel(benchmark::State& state) {
    editor::Model model;
    if (!Opened(state, model)) return;
    for (auto _ : state) {
        levelkit::CheckResult result = model.Check();
        benchmark::DoNotOptimize(result);
        std::vector<std::string> warnings = model.Warnings();
        benchmark::DoNotOptimize(warnings);
    }
}
BENCHMARK(BM_CheckLargestLevel)->Unit(benchmark::kMillisecond);

void BM_SaveLargestLevel(benchmark::State& state) {
    editor::Model model;
    if (!Opened(state, model)) return;
    const fs::path folder =
        fs::temp_directory_path() / ("editor_bench." + std::to_string(getpid()));
    fs::create_directories(folder);
    const std::string target = (folder / "saved.dat").string();
    std::string error;
    for (auto _ : state)
        if (!model.Save(target, error)) state.SkipWithError(error.c_str());
    fs::remove_all(folder);
}
BENCHMARK(BM_SaveLargestLevel)->Unit(benchmark::kMillisecond);

// What the 3D view pays for every painted cell: the level saved to a document in memory and
// loaded into the world tables by the game's loader.
void BM_FillWorldLargestLevel(benchmark::State& state) {
    editor::Model model;
    if (!Opened(state, model)) return;
    std::string error;
    for (auto _ : state)
        if (!editor::FillWorld(model.Level(), error)) state.SkipWithError(error.c_str());
}
BENCHMARK(BM_FillWorldLargestLevel)->Unit(benchmark::kMillisecond);

// The parts of it: the file's bytes alone (written and checked by reading them back), and
// the parse and load of those bytes.
void BM_CompileLargestLevel(benchmark::State& state) {
    editor::Model model;
    if (!Opened(state, model)) return;
    std::string bytes, error;
    for (auto _ : state)
        if (!levelkit::Compile(model.Level(), bytes, error)) state.SkipWithError(error.c_str());
}
BENCHMARK(BM_CompileLargestLevel)->Unit(benchmark::kMillisecond);

void BM_LoadLargestLevel(benchmark::State& state) {
    editor::Model model;
    if (!Opened(state, model)) return;
    std::string bytes, error;
    if (!levelkit::Compile(model.Level(), bytes, error)) state.SkipWithError(error.c_str());
    for (auto _ : state) {
        ClearWorld();
        auto document = ParseHeaderedDocument(bytes);
        if (!document || !LoadLevel(*document)) state.SkipWithError("not loaded");
    }
}
BENCHMARK(BM_LoadLargestLevel)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
