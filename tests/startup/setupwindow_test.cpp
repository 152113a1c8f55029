#include "startup/setupwindow.h"

#include "platform/gpu/picture.h"
#include "platform/window.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The ImGui layer end to end: a hidden window, the fonts, the widgets, the read-back.
TEST(SetupWindow, DrawsTheDialogAtItsSizeIntoAPicture) {
    if (!window::StartVideo()) GTEST_SKIP() << "no video system";
    ScratchFolder folder;
    tsetuphardware hardware;
    hardware.displays.push_back({"Screen A", {{1024, 768, 60, 22}}, 1280, 1024, 22});
    hardware.depthFormats = {75};
    hardware.maxTextureWidth = hardware.maxTextureHeight = 4096;
    tsettings values;
    tsetupdialog dialog(hardware, values);
    dialog.Create();
    if (!DrawSetupDialogPicture(dialog, "dialog.png")) GTEST_SKIP() << "no OpenGL 3.3 driver here";

    gpu::Picture picture;
    ASSERT_EQ(gpu::DecodePicture("dialog.png", picture), gpu::TextureError::None);
    EXPECT_EQ(picture.width, 318);
    EXPECT_EQ(picture.height, 370);
    // Widgets were drawn: the picture is not one flat colour.
    const auto [low, high] = std::minmax_element(picture.pixels.begin(), picture.pixels.end());
    EXPECT_NE(*low, *high);
}

} // namespace
