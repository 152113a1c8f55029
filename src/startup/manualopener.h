#pragma once
// "Read the Manual": the desktop is asked to show the manual with its PDF program, and a
// player whose desktop has none is told where the file is instead of seeing nothing happen.
#include <string>

class tmanualopener {
  public:
    // Starts the desktop's opener on `path`. The message at once when not even the opener
    // could be started, else "" (the answer comes through Poll).
    std::string Open(const std::string& path);
    // Called every frame: the message once the opener has ended without finding a program
    // for the file, else "".
    std::string Poll();

  private:
    std::string path_;
    int opener_ = -1;
};

std::string NoPdfProgramMessage(const std::string& path);
