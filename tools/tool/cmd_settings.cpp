// settings FILE [--write OUT]: FILE applied over the defaults as start-up applies
// "setup.xml" (FILE is never deleted), then optionally written back as Quit writes it.
#include "json.h"
#include "output.h"

#include "platform/files.h"
#include "startup/settings.h"

#include <algorithm>

namespace {

// The input object holds the sensitivity clamped to this range, and Quit writes its value.
constexpr int32_t LowestSensitivity = 30, HighestSensitivity = 100;

std::string SettingsJson(bool corrupted) {
    tool::JsonObject out;
    out.Add("CameraZoom", json::Number(settings.CameraZoom));
    out.Add("AdapterSetting", json::Quote(settings.AdapterSetting));
    out.Add("ModeSetting", json::Quote(settings.ModeSetting));
    for (const NamedSetting& setting : IntegerSettings)
        if (std::string_view(setting.name) != "CameraZoom")
            out.Add(setting.name, json::Number(settings.*setting.field));
    return out.Add("corrupted", json::Bool(corrupted)).Text();
}

int Settings(const std::vector<std::string>& args) {
    std::string file;
    std::optional<std::string> out;
    if (!tool::FileAndOption(args, "--write", file, out))
        return tool::UsageError("settings FILE [--write OUT]");
    settings = tsettings{};
    bool corrupted = files::Exists(file) && !ApplySettingsDocument(file);
    tool::Print(SettingsJson(corrupted));
    if (out) {
        int32_t sensitivity =
            std::clamp(settings.PadSensitivity, LowestSensitivity, HighestSensitivity);
        if (!WriteSettingsFile(*out, sensitivity)) return tool::Refuse("cannot write " + *out);
    }
    return tool::Ok;
}

tool::Register command(
    {"settings", "FILE [--write OUT]   the settings FILE gives, as JSON; OUT as Quit writes it",
     Settings});

} // namespace
