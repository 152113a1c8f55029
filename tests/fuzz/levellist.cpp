// The level list's read of a user level file: its plain first line only, for the name and
// the Id, and the times file name the Id gives.
#include "campaign/levels.h"
#include "campaign/leveltimes.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = fuzz::View(data, size);
    std::string name, id;
    if (!ReadLevelHeader(fuzz::InputFile(bytes, "level.dat"), name, id)) return 0;
    const std::string_view line = bytes.substr(0, bytes.find_first_of("\r\n"));
    fuzz::Require(line.find(name) != std::string_view::npos, "the name is part of the first line");
    fuzz::Require(line.find(id) != std::string_view::npos, "the Id is part of the first line");
    const std::string times = TimesFileName(id);
    fuzz::Require(times.find_first_of("/\\") == std::string::npos && times.ends_with(".tim") &&
                      times != "..tim",
                  "the times file stays in the level's folder");
    return 0;
}
