// What an in-level frame costs on the GL device offscreen: the same frames of three campaign
// levels (nothing pressed, the hero standing where the level starts him) at two screen
// sizes. Each frame is timed until the GPU has finished it (glFinish), split into the CPU's
// submission and the wait for the rasteriser, and once more with the copy to the window
// that a watched window pays. Run it once per thread count of the software rasteriser:
//   SDL_VIDEODRIVER=offscreen LP_NUM_THREADS=2 build/tests/bench/frame_bench [FRAMES]
#include "playrun.h"

#include "campaign/levels.h"
#include "world/loop/gameloop.h"
#include "world/playerrecord.h"
#include "world/tables.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

std::string GameFolder() {
    const char* game = std::getenv("TARNHOLLOW_GAME_DIR");
    return std::filesystem::absolute(game ? game : TARNHOLLOW_GAME_DIR).string();
}

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// Processor time of every thread of the process: the rasteriser's threads count too. On a
// shared machine it moves less than the time on the clock.
double CpuMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

struct Timing {
    double frame = 0, submit = 0, finish = 0, cpu = 0;
};

// Plays `frames` frames, each finished on the GPU before the next starts.
Timing TimeFrames(tservices& services, int frames) {
    std::vector<double> total, submit, finish, cpu;
    for (int i = 0; i < frames; ++i) {
        const double c0 = CpuMilliseconds();
        const auto t0 = Clock::now();
        PlayFrame(services);
        const auto t1 = Clock::now();
        glFinish();
        const auto t2 = Clock::now();
        cpu.push_back(CpuMilliseconds() - c0);
        total.push_back(Milliseconds(t2 - t0));
        submit.push_back(Milliseconds(t1 - t0));
        finish.push_back(Milliseconds(t2 - t1));
    }
    return {Median(total), Median(submit), Median(finish), Median(cpu)};
}

bool Measure(const std::string& level, int width, int height, int frames) {
    playrun::tlevelrun run;
    playrun::tsetup setup;
    setup.level = GameFolder() + "/lvl/" + level + ".dat";
    setup.data = GameFolder();
    setup.gl = true;
    setup.width = width;
    setup.height = height;
    std::string error;
    if (!run.Prepare(setup, error)) {
        std::fprintf(stderr, "level %s: %s\n", level.c_str(), error.c_str());
        return false;
    }
    tservices& services = run.Services();
    inlevel.loopstate.startScore = Player().Score;
    inlevel.loopstate.level = &run.Document();
    ResetLevelEntry();
    if (!StartAttempt(services)) return false;
    for (int i = 0; i < 20; ++i) PlayFrame(services); // the hero has looked around
    glFinish();
    const Timing offscreen = TimeFrames(services, frames);
    // The same frames again as a window on a screen costs them: one copy per present.
    services.window->SetWatched(true);
    const Timing watched = TimeFrames(services, frames);
    std::printf("%-6s %4dx%-5d %9.2f %8.2f %8.2f %6.0f %% %8.2f %12.2f %9.2f\n", level.c_str(),
                width, height, offscreen.frame, offscreen.submit, offscreen.finish,
                offscreen.frame > 0 ? 100 * offscreen.finish / offscreen.frame : 0, offscreen.cpu,
                watched.frame, watched.cpu);
    std::fflush(stdout);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    const char* threads = std::getenv("LP_NUM_THREADS");
    std::printf("%d frames each, LP_NUM_THREADS=%s; medians in ms\n", frames,
                threads ? threads : "(driver default)");
    std::printf(
        "level  size        frame   submit   finish  finish      cpu  with window   its cpu\n");
    bool ok = true;
    for (const char* level : {"05", "53", "80"})
        for (const auto& [w, h] : {std::pair{1024, 768}, std::pair{1600, 1200}})
            ok = Measure(level, w, h, frames) && ok;
    return ok ? 0 : 1;
}
