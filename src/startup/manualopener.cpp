#include "startup/manualopener.h"

#include "platform/window_desktop.h"

std::string NoPdfProgramMessage(const std::string& path) {
    return "The manual is " + path + "; no program to open PDF files was found.";
}

std::string tmanualopener::Open(const std::string& path) {
    // A second click while the first opener still runs is a second request; the first one's
    // answer no longer matters.
    Poll();
    path_ = path;
    opener_ = window::StartOpeningDocument(path);
    return opener_ < 0 ? NoPdfProgramMessage(path) : "";
}

std::string tmanualopener::Poll() {
    if (opener_ < 0) return "";
    int exitCode = 0;
    if (!window::ProgramEnded(opener_, &exitCode)) return "";
    opener_ = -1;
    return exitCode == 0 ? "" : NoPdfProgramMessage(path_);
}
