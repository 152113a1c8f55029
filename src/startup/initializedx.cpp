// "Start the Game": the layout, the catalogue check, the services in their order, the first
// assets, the intro, the rest of the assets with the loading picture, then the main menu.
#include "startup/form1.h"

#include "campaign/levels.h"
#include "campaign/menu.h"
#include "campaign/screens.h"
#include "engine/settings.h"
#include "platform/window_desktop.h"
#include "render/screenlayout.h"
#include "render/text.h"
#include "startup/assetloading.h"
#include "startup/flow.h"
#include "startup/startup.h"
#include "world/tables.h"

namespace {

constexpr int32_t LoadingPictureCount = 12;
// A display that does not say how often it refreshes is taken for the common one.
constexpr int32_t UsualRefreshRate = 60;

// Play drawn at the display's rate, waiting for its refresh where the driver can; or one
// picture a step as the game always drew.
void ChoosePicturePace(tservices& services, bool smooth) {
    window::Window* window = services.window.get();
    if (!smooth || !window) {
        services.displayHz = 0;
        services.vsync = false;
        return;
    }
    const int hz = window->RefreshRate();
    services.displayHz = hz > 0 ? hz : UsualRefreshRate;
    services.vsync = window->SetVsync(true);
}

} // namespace

bool TForm1::CreateServices() {
    services.graphics = std::make_unique<TDGraphics>();
    if (makeDevice) {
        if (!makeDevice(services)) return false;
    } else {
        services.graphics->SetWindow(services.window.get());
        if (services.graphics->CreateDevice(choice.adapter, ScreenWidth, ScreenHeight,
                                            choice.format, choice.depthFormat, true,
                                            choice.windowed) != CreateDeviceResult::Ok)
            return false; // the device has shown its message
        ChoosePicturePace(services, settings.SmoothPicture != 0 && !choice.classicFrameRate);
    }
    if (!services.CreateOnDevice(makeInput ? makeInput() : nullptr, clock)) return false;
    ConnectWorldOutput();
    return true;
}

bool TForm1::InitializeDx() {
    ComputeScreenLayout();

    BuildLevelCatalogue();
    if (!levelfilesok) {
        ShowMessage(CorruptedLevelsMessage, MessageIcon::Information);
        return false;
    }

    effects.clear();
    if (!CreateServices()) return false;
    ShowIntroOpening(services);

    tassetloading loading;
    loading.waitPicture = [this] { WaitPicture(); };
    loading.keepAlive = [this] { services.input->KeepAlive(); };
    auto load = [&](AssetGroup group) {
        if (LoadAssetGroup(services, group, loading)) return true;
        ShowMessage(InitializationError(loading), MessageIcon::Error);
        return false;
    };
    if (!load(AssetGroup::BeforeIntro)) return false;
    window::ShowCursor(false);
    services.cursorHidden = true;
    CurrentScreen = "intro";
    Intro(services);
    WaitPicture();
    WaitPicture();
    if (!load(AssetGroup::Models) || !load(AssetGroup::AfterModels)) return false;

    WaitPicture();
    WaitPicture();
    RunMainMenu(*this);
    return true;
}

void TForm1::WaitPicture() {
    ++LoadingStep;
    TDGraphics& graphics = *services.graphics;
    graphics.Clear(0, 0, 0);
    graphics.BeginFrame(1.0f, 1.0f);
    DrawBackground(services, -1, 0, 0);
    const std::string text =
        "Loading " + std::to_string(LoadingStep * 100 / LoadingPictureCount) + "%";
    DrawPlainText(*services.sprites, 100, ScreenHeight / 2 - 10, text, 1.0f, false,
                  sprites::FirstFontGlyph, menucolour::BrightOrange, 255);
    graphics.EndFrame();
    // Each picture is one pass of the program: the input is looked at (a closed window is
    // noticed) and a run without a person counts it as a frame.
    services.input->Poll();
}
