// With the picture drawn once a step, every frame of play is drawn with exactly the calls
// it has always been drawn with: the whole run's calls, frame by frame, hash to the value
// they had before play could be drawn between its steps.
#include "playrun.h"

#include "support/fakedata.h"
#include "support/scratch_folder.h"
#include "world/levelfile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// Walks into the zombie's reach, jumps, turns and walks on: the start picture's slide, the
// hero's poses and shadow, the creature's attack and the energy fade all drawn.
constexpr const char* Walk = "0: 200\n"
                             "60: 205 200\n"
                             "90: 57\n"
                             "100: 203 200\n"
                             "160: 208\n";

uint64_t Fnv(uint64_t hash, const std::string& text) {
    for (const char c : text) {
        hash ^= static_cast<uint8_t>(c);
        hash *= 1099511628211u;
    }
    return hash ^ '\n';
}

TEST(ClassicPicture, EveryFrameIsDrawnAsItAlwaysWas) {
    ScratchFolder folder;
    ASSERT_TRUE(fakedata::Write("gfx1024\\"));
    testlevel::tlevelplan plan;
    plan.SX = "10";
    plan.SY = std::to_string(49 - 10);
    plan.World(10, 13).M = 0;
    ASSERT_TRUE(testlevel::WriteLevelFile("level.dat", plan));
    WriteBytes("walk.keys", Walk);

    playrun::tsetup setup;
    setup.level = folder.path + "/level.dat";
    setup.keys = folder.path + "/walk.keys";
    setup.data = folder.path;
    setup.frames = 200;
    setup.seed = 5;
    setup.record = true;
    playrun::tlevelrun run;
    std::string error;
    ASSERT_TRUE(run.Prepare(setup, error)) << error;
    auto* recorder = dynamic_cast<playrun::FrameRecorder*>(run.Services().graphics->Device());
    ASSERT_NE(recorder, nullptr);
    uint64_t hash = 14695981039346656037u;
    int frames = 0;
    recorder->onPresent = [&](const std::vector<std::string>& calls) {
        ++frames;
        for (const std::string& call : calls) hash = Fnv(hash, call);
        hash = Fnv(hash, "Present");
    };
    run.Play(nullptr);
    EXPECT_EQ(frames, 200);
    EXPECT_EQ(hash, 16419776282485932797u) << "the calls of the classic picture changed";
}

} // namespace
