#include "startup/gamewindow.h"

#include "engine/dinput.h"
#include "engine/settings.h"
#include "platform/window_desktop.h"
#include "render/screenlayout.h"
#include "startup/setuprules.h"
#include "startup/startup.h"

#include <cstdio>
#include <memory>
#include <string_view>

namespace {
std::unique_ptr<TForm1> gameWindow;

// F11 or Alt+Enter switched the window: the next start comes back the same way, through the
// dialog's entry of the same size ("1024x768 (window)" or "1024x768 (32 bit colors)").
void RememberScreenChoice(bool fullscreen) {
    if (!Form1) return;
    Form1->choice.windowed = !fullscreen;
    const int32_t format = Form1->choice.format == 23 ? 23 : 22;
    settings.ModeSetting = ModeText({{ScreenWidth, ScreenHeight, 0, format}, !fullscreen});
}
} // namespace

TForm1* Form1 = nullptr;

bool CreateGameWindow() {
    gameWindow = std::make_unique<TForm1>();
    gameWindow->services.window = std::make_unique<window::Window>(ApplicationTitle);
    gameWindow->services.window->OnFullscreenKeys(RememberScreenChoice);
    gameWindow->FormCreate();
    Form1 = gameWindow.get();
    return true;
}

void DestroyGameWindow() {
    if (!gameWindow) return;
    gameWindow->FormDeactivate();
    Form1 = nullptr;
    gameWindow.reset();
}

namespace {
// The choice saved in "setup.xml" as the dialog would hand it over.
void TakeSavedChoice(bool forceWindow) {
    // "1024x768 (32 bit colors)": the size leads the saved mode's text.
    int width = 0, height = 0;
    if (std::sscanf(settings.ModeSetting.c_str(), "%dx%d", &width, &height) == 2 && width >= 640 &&
        height >= 480) {
        ScreenWidth = width;
        ScreenHeight = height;
    }
    const bool colour16 = settings.ModeSetting.find("16 bit") != std::string::npos;
    Form1->choice.format = colour16 ? 23 : 22;
    if (settings.DepthSetting > 0) Form1->choice.depthFormat = settings.DepthSetting;
    // Full screen unless the saved mode is a window's ("1024x768 (window)").
    constexpr std::string_view windowMark = "(window)";
    Form1->choice.windowed = forceWindow || settings.ModeSetting.ends_with(windowMark);
    TextureFolder = settings.TextureSizeSetting == 1 ? TextureFolder2048 : TextureFolder1024;
}
} // namespace

bool StartGameWithSavedChoice(bool forceWindow) {
    if (!Form1) return false;
    TakeSavedChoice(forceWindow);
    return Form1->InitializeDx();
}

int32_t PlayLevelWithSavedChoice(const std::string& path, int slot, bool forceWindow) {
    if (!Form1) return -1;
    TakeSavedChoice(forceWindow);
    return Form1->PlayLevelFile(path, slot);
}

void UseDesktopMessageBoxes() {
    window::UseMessageBoxes();
}
