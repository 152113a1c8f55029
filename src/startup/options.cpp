#include "startup/options.h"

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
        } else if (argument == "--dialog-picture" && i + 1 < arguments.size()) {
            options.dialogPicture = arguments[++i];
        } else {
            options.action = tprogramoptions::Fail;
            options.error = argument == "--dialog-picture" ? "--dialog-picture needs a file name"
                                                           : "unknown option: " + argument;
            return options;
        }
    }
    return options;
}

std::string UsageText() {
    return "Usage: tarnhollow [OPTION]...\n"
           "Shows the setup dialog, then plays the game in the chosen screen mode.\n"
           "\n"
           "  --skip-setup  start the game at once with the screen choice saved last time\n"
           "  --windowed    play in a window whatever screen mode was chosen\n"
           "  --help        show this help and end\n"
           "  --version     show the version and end\n";
}
