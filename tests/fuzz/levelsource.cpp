// The level source compiler: a source that reads must write back to itself, and a level it
// compiles must read back from the compiled file.
#include "levelsource.h"
#include "fuzzinput.h"
#include "levelfile.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto level = std::make_unique<levelkit::LevelSource>();
    std::string error;
    if (!levelkit::ReadSource(fuzz::View(data, size), *level, error)) return 0;
    const std::string source = levelkit::WriteSource(*level);
    auto again = std::make_unique<levelkit::LevelSource>();
    fuzz::Require(levelkit::ReadSource(source, *again, error), "a written source reads");
    fuzz::Require(levelkit::WriteSource(*again) == source, "a source survives a write");
    std::string bytes;
    if (!levelkit::Compile(*level, bytes, error)) return 0;
    auto decompiled = std::make_unique<levelkit::LevelSource>();
    fuzz::Require(levelkit::Decompile(bytes, *decompiled, error), "a compiled level reads");
    std::string recompiled;
    fuzz::Require(levelkit::Compile(*decompiled, recompiled, error) && recompiled == bytes,
                  "a compiled level compiles again to the same bytes");
    return 0;
}
