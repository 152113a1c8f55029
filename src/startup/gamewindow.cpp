#include "startup/gamewindow.h"

#include "engine/dinput.h"
#include "platform/window_desktop.h"
#include "startup/startup.h"

#include <memory>

namespace {
std::unique_ptr<TForm1> gameWindow;

void StartUpMessage(std::string_view text, MessageIcon icon) {
    window::MessageBox(ApplicationTitle, text,
                       icon == MessageIcon::Error ? window::MessageIcon::Error
                                                  : window::MessageIcon::Information);
}

void InputMessage(std::string_view text) {
    window::MessageBox(ApplicationTitle, text);
}
} // namespace

TForm1* Form1 = nullptr;

bool CreateGameWindow() {
    gameWindow = std::make_unique<TForm1>();
    gameWindow->window = std::make_unique<window::Window>(ApplicationTitle);
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

void UseDesktopMessageBoxes() {
    ShowMessage = StartUpMessage;
    SetInputMessageBox(InputMessage);
}
