#include "testplay.h"

#include "levelfile.h"
#include "platform/files.h"
#include "platform/window_desktop.h"

#include <unistd.h>

#include <filesystem>

namespace editor {

void TestPlay::Start(const levelkit::LevelSource& level, std::string& message) {
    if (Playing()) return;
    std::string bytes, error;
    if (!levelkit::Compile(level, bytes, error)) {
        message = "Cannot test the level: " + error;
        return;
    }
    file_ = (std::filesystem::temp_directory_path() /
             ("tarnhollow-editor-" + std::to_string(::getpid()) + ".dat"))
                .string();
    if (!files::WriteSafely(file_, bytes)) {
        message = "Cannot write " + file_;
        return;
    }
    const std::string game = files::ProgramFolder() + "tarnhollow";
    process_ = window::StartProgram(game, {"--play-level", file_});
    message = Playing() ? "Playing the level..." : "Cannot start " + game;
}

void TestPlay::Poll(std::string& message) {
    if (!Playing() || !window::ProgramEnded(process_)) return;
    process_ = -1;
    files::Delete(file_);
    message = "Test play ended";
}

} // namespace editor
