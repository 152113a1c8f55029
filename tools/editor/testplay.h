#pragma once
// Test play: the level being edited, compiled to a temporary `.dat`, played by the game
// (`tarnhollow --play-level`) as a process of its own, so the editor stays usable.
#include "levelmodel.h"

#include <string>

namespace editor {

class TestPlay {
  public:
    // Starts the game on `level` unless it is already playing; `message` says how it went.
    void Start(const levelkit::LevelSource& level, std::string& message);
    // Once the game has ended: removes the temporary level and says so in `message`.
    void Poll(std::string& message);
    bool Playing() const { return process_ > 0; }

  private:
    int process_ = -1;
    std::string file_;
};

} // namespace editor
