// The GL device makes a pixel program for every stage set-up it draws with: walking through
// the campaign must need only a handful, or the programs are keyed on something that does
// not change the picture.
#include "playrun.h"

#include "campaign/levels.h"
#include "engine/dgraphics.h"
#include "platform/gpu/scene_key.h"
#include "platform/gpu/state_shadow.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

namespace {

using gpu::StageState;

gpu::SceneKey KeyOf(const gpu::RecordingDevice& device) {
    gpu::StateShadow shadow;
    shadow.SetRenderState(gpu::RenderState::Lighting,
                          device.RenderStateValue(gpu::RenderState::Lighting));
    for (int s = 0; s < gpu::kMaxStages; ++s) {
        for (StageState state :
             {StageState::ColourOp, StageState::ColourArg1, StageState::ColourArg2,
              StageState::AlphaOp, StageState::AlphaArg1, StageState::AlphaArg2})
            shadow.SetStageState(s, state, device.StageStateValue(s, state));
        shadow.SetTexture(s, device.textures[s]);
    }
    return gpu::SceneKeyOf(shadow);
}

// Forward, a turn and a jump, forward again: the hero meets what lies ahead of the start.
constexpr const char* Walk = "0: 200\n60: 205 200\n90: 57 200\n120: 203 200\n170: 200\n";

TEST(ScenePrograms, TheCampaignNeedsOnlyAFew) {
    const char* game = std::getenv("TARNHOLLOW_GAME_DIR");
    const std::string real = game ? std::filesystem::absolute(game).string() : "";
    if (real.empty() || !std::filesystem::exists(real + "/lvl/01.dat"))
        GTEST_SKIP() << "the campaign levels are not in the game folder";
    ScratchFolder folder;
    WriteBytes("walk.keys", Walk);
    std::set<gpu::SceneKey> keys;
    // Every eighth level: each part of the campaign, with its own models and creatures.
    for (int number = 1; number <= CampaignLevelCount; number += 8) {
        char name[32];
        std::snprintf(name, sizeof name, "/lvl/%02d.dat", number);
        playrun::tsetup setup;
        setup.level = real + name;
        setup.keys = folder.path + "/walk.keys";
        setup.data = real;
        setup.frames = 200;
        setup.record = true;
        playrun::tlevelrun run;
        std::string error;
        ASSERT_TRUE(run.Prepare(setup, error)) << name << ": " << error;
        auto* recorder = dynamic_cast<playrun::FrameRecorder*>(run.Services().graphics->Device());
        ASSERT_TRUE(recorder);
        recorder->beforeDraw = [&](const gpu::RecordingDevice& d) { keys.insert(KeyOf(d)); };
        run.Play(nullptr);
    }
    std::printf("scene programs the walks needed: %zu\n", keys.size());
    EXPECT_GE(keys.size(), 2u) << "lit textured models and at least one other set-up";
    EXPECT_LE(keys.size(), 12u);
}

} // namespace
