// The editor's 3D view: its hero's view stands where the game's camera stands when a level
// starts, and the view's device and the window's widgets share one GL context without
// disturbing each other's pictures.
#include "engine/xmlparser.h"
#include "levelfile.h"
#include "platform/files.h"
#include "platform/uiwindow.h"
#include "viewcamera.h"
#include "world/gameloopfixture.h"
#include "worldfill.h"
#include "worldview.h"

#include <gtest/gtest.h>
#include <imgui.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string GameDir() {
    const char* dir = std::getenv("TARNHOLLOW_GAME_DIR");
    return fs::absolute(dir ? dir : TARNHOLLOW_GAME_DIR).string();
}

class HeroViewTest : public looptest::GameLoopTest {};

TEST_F(HeroViewTest, StandsWhereTheGameCameraStandsAtTheStart) {
    const struct {
        const char* level;
        int32_t zoom;
    } cases[] = {{"lvl/53.dat", 0}, {"lvl/07.dat", 100}, {"lvl/80.dat", 35}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        const std::string path = GameDir() + "/" + c.level;
        if (!fs::exists(path)) GTEST_SKIP() << "no campaign levels in " << GameDir();
        settings.CameraZoom = c.zoom;

        // The game: the level's first attempt and its first frame.
        std::unique_ptr<tnode> document = LoadHeaderedDocument(path);
        ASSERT_TRUE(document);
        inlevel.loopstate.level = document.get();
        ASSERT_TRUE(StartAttempt(form));
        DrawFrame(form);
        const gpu::Matrix game = log->view;

        // The editor: the same file through its model and the view's fill.
        ResetWorldTables();
        levelkit::LevelSource level;
        std::string error;
        ASSERT_TRUE(levelkit::ReadLevelFile(path, level, error)) << error;
        ASSERT_TRUE(editor::FillWorld(level, error)) << error;
        editor::DrawScene(*form.graphics, editor::HeroView());
        for (int r = 0; r < 4; ++r)
            for (int k = 0; k < 4; ++k) EXPECT_FLOAT_EQ(log->view.m[r][k], game.m[r][k]);
        inlevel.loopstate.level = nullptr;
    }
}

TEST(WorldViewGl, ImGuiBetweenTwoPicturesOfTheSameSceneChangesNothing) {
    const std::string game = GameDir();
    if (!fs::exists(game + "/gfx1024")) GTEST_SKIP() << "no game data in " << game;
    levelkit::LevelSource level;
    std::string error;
    ASSERT_TRUE(levelkit::ReadLevelFile(game + "/lvl/53.dat", level, error)) << error;
    const fs::path before = fs::current_path();
    ASSERT_TRUE(files::SetCurrentFolder(game));

    // Frame 0 draws the hero's view, frame 1 another view, frame 2 the hero's view again;
    // ImGui draws its widgets (the picture among them) after each.
    editor::WorldView view;
    std::vector<uint32_t> pictures[3];
    int frame = 0;
    window::UiWindowRequest request;
    request.width = 700;
    request.height = 560;
    const bool drawn = window::DrawUiPicture(
        request,
        [&] {
            if (frame == 1) {
                editor::ViewCamera turned = view.Camera();
                editor::Orbit(turned, 1.0f, -0.4f);
                view.Look(turned);
            }
            if (frame == 2) view.HeroView();
            view.Draw(level, 1, 400);
            float colour[3] = {0.2f, 0.7f, 0.4f};
            ImGui::ColorEdit3("colour", colour);
            ImGui::Button("A button with text");
            if (frame < 3) view.ReadPicture(pictures[frame]);
            ++frame;
            return true;
        },
        "", 4);
    files::SetCurrentFolder(before.string());
    if (!drawn) GTEST_SKIP() << "no OpenGL 3.3 window here";
    ASSERT_EQ(pictures[0].size(), 400u * 300u);
    EXPECT_TRUE(pictures[0] != pictures[1]) << "the turned view drew elsewhere";
    EXPECT_TRUE(pictures[0] == pictures[2]);
    // A picture of the level, not of a cleared screen.
    size_t lit = 0;
    for (uint32_t p : pictures[0]) lit += (p & 0xFFFFFF) != 0;
    EXPECT_GT(lit, pictures[0].size() / 2);
}

} // namespace
