// "setup.xml": whatever it applies, the writer's line must apply again to the same values.
#include "startup/settings.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    settings = tsettings{};
    if (!ApplySettingsDocument(fuzz::InputFile(fuzz::View(data, size)))) return 0;
    const std::string written = SettingsFileText(settings, settings.PadSensitivity);
    fuzz::Require(ApplySettingsDocument(fuzz::InputFile(written)), "written settings apply");
    fuzz::Require(SettingsFileText(settings, settings.PadSensitivity) == written,
                  "settings survive a write and a read");
    return 0;
}
