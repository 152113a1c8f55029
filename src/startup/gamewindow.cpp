#include "startup/gamewindow.h"

#include "startup/startup.h"

#include <memory>

namespace {
std::unique_ptr<TForm1> gameWindow;
}

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
