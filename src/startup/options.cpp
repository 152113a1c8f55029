#include "startup/options.h"

namespace {
tprogramoptions Failed(tprogramoptions options, std::string error) {
    options.action = tprogramoptions::Fail;
    options.error = std::move(error);
    return options;
}
} // namespace

tprogramoptions ParseProgramOptions(const std::vector<std::string>& arguments) {
    tprogramoptions options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            options.action = tprogramoptions::Help;
            return options;
        }
        if (argument == "--version") {
            options.action = tprogramoptions::Version;
            return options;
        }
        if (argument == "--skip-setup") {
            options.skipSetup = true;
        } else if (argument == "--windowed") {
            options.windowed = true;
        } else if (argument == "--classic-frame-rate") {
            options.classicFrameRate = true;
        } else if (argument == "--dialog-picture" && i + 1 < arguments.size()) {
            options.dialogPicture = arguments[++i];
        } else if (argument == "--play-level" && i + 1 < arguments.size()) {
            options.playLevel = arguments[++i];
        } else if (argument == "--slot" && i + 1 < arguments.size()) {
            const std::string& slot = arguments[++i];
            const bool digit = slot.size() <= 2 && !slot.empty() &&
                               slot.find_first_not_of("0123456789") == std::string::npos;
            options.playSlot = digit ? std::stoi(slot) : 0;
            if (options.playSlot < 1 || options.playSlot > 10)
                return Failed(options, "--slot needs a player slot 1..10");
        } else if (argument == "--dialog-picture" || argument == "--play-level" ||
                   argument == "--slot") {
            return Failed(options, argument + " needs a value");
        } else {
            return Failed(options, "unknown option: " + argument);
        }
    }
    if (options.playSlot != 0 && options.playLevel.empty())
        return Failed(options, "--slot only goes with --play-level");
    return options;
}

std::string UsageText() {
    return "Usage: tarnhollow [OPTION]...\n"
           "Shows the setup dialog, then plays the game in the chosen screen mode.\n"
           "\n"
           "  --skip-setup  start the game at once with the screen choice saved last time\n"
           "  --windowed    play in a window whatever screen mode was chosen\n"
           "  --play-level FILE  play one level file with a test player (every gun, 200\n"
           "                rounds each) and end; nothing is saved\n"
           "  --slot K      with --play-level: play as player K (1..10) of the players file\n"
           "  --classic-frame-rate  draw play once a step (35 a second), as the game\n"
           "                always did, whatever \"Smooth picture\" says\n"
           "  --help        show this help and end\n"
           "  --version     show the version and end\n";
}
