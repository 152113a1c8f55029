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
    std::string out = "{";
    auto add = [&](const char* name, const std::string& value) {
        if (out.size() > 1) out += ", ";
        out += json::Quote(name) + ": " + value;
    };
    add("CameraZoom", json::Number(settings.CameraZoom));
    add("AdapterSetting", json::Quote(settings.AdapterSetting));
    add("ModeSetting", json::Quote(settings.ModeSetting));
    for (const NamedSetting& setting : IntegerSettings)
        if (std::string_view(setting.name) != "CameraZoom")
            add(setting.name, json::Number(settings.*setting.field));
    add("corrupted", json::Bool(corrupted));
    return out + "}";
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
