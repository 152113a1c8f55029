#include "platform/window_desktop.h"

#include "platform/window_sdl.h"

#include <SDL.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace window {

// True when a box could appear on a screen: a real video driver, or a desktop session that
// SDL can reach on its own before video is started.
static bool DisplayAvailable() {
    const char* driver =
        SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GetCurrentVideoDriver() : std::getenv("SDL_VIDEODRIVER");
    if (driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0))
        return false;
    if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
}

void MessageBox(std::string_view title, std::string_view text, MessageIcon icon) {
    const std::string t(title), s(text);
    std::fprintf(stderr, "%s: %s\n", t.c_str(), s.c_str());
    std::fflush(stderr);
    if (!DisplayAvailable()) return;
    Uint32 flags = 0;
    if (icon == MessageIcon::Information) flags = SDL_MESSAGEBOX_INFORMATION;
    if (icon == MessageIcon::Error) flags = SDL_MESSAGEBOX_ERROR;
    SDL_ShowSimpleMessageBox(flags, t.c_str(), s.c_str(), OpenGameWindow());
}

void UseMessageBoxes() {
    ShowMessage = [](std::string_view text, MessageIcon icon) {
        MessageBox(ApplicationTitle, text, icon);
    };
}

void ShowCursor(bool visible) {
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

// Children started earlier that nobody waits for; collected so none lingers as a zombie.
static std::vector<pid_t>& Unwaited() {
    static std::vector<pid_t> started;
    for (auto it = started.begin(); it != started.end();)
        it = waitpid(*it, nullptr, WNOHANG) != 0 ? started.erase(it) : it + 1;
    return started;
}

int StartProgram(const std::string& program, const std::vector<std::string>& arguments) {
    // No shell in between: every argument goes over as it is, whatever it holds.
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t pid;
    if (posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return -1;
    return pid;
}

bool ProgramEnded(int process, int* exitCode) {
    int status = 0;
    const pid_t ended = process > 0 ? waitpid(process, &status, WNOHANG) : -1;
    if (ended == 0) return false;
    if (exitCode) *exitCode = ended > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return true;
}

bool OpenProgram(const std::string& program, const std::vector<std::string>& arguments) {
    std::vector<pid_t>& started = Unwaited();
    const int pid = StartProgram(program, arguments);
    if (pid < 0) return false;
    started.push_back(pid);
    return true;
}

constexpr const char* DocumentOpener = "xdg-open";

bool OpenDocument(std::string_view fileOrAddress) {
    return OpenProgram(DocumentOpener, {std::string(fileOrAddress)});
}

int StartOpeningDocument(std::string_view fileOrAddress) {
    return StartProgram(DocumentOpener, {std::string(fileOrAddress)});
}

} // namespace window
