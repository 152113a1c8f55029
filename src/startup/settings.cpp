#include "startup/settings.h"

#include "engine/dinput.h"
#include "engine/xmlparser.h"
#include "platform/files.h"
#include "startup/setuprules.h"
#include "startup/startup.h"

#include <algorithm>
#include <charconv>

namespace {

struct Leaf {
    const char* element;
    int32_t tsettings::*field;
};

// Reading order within each group; the writer uses the same order.
constexpr Leaf KeyLeaves[] = {
    {"Left", &tsettings::KeyLeft},     {"Right", &tsettings::KeyRight},
    {"Up", &tsettings::KeyUp},         {"Down", &tsettings::KeyDown},
    {"Jump", &tsettings::KeyJump},     {"Fire", &tsettings::KeyFire},
    {"Change", &tsettings::KeyChange}, {"Guide", &tsettings::KeyGuide},
};
constexpr Leaf PadLeaves[] = {
    {"Left", &tsettings::PadLeft},     {"Right", &tsettings::PadRight},
    {"Up", &tsettings::PadUp},         {"Down", &tsettings::PadDown},
    {"Jump", &tsettings::PadJump},     {"Fire", &tsettings::PadFire},
    {"Change", &tsettings::PadChange}, {"Guide", &tsettings::PadGuide},
};

std::string Element(const char* name, std::string_view value) {
    return std::string("<") + name + ">" + std::string(value) + "</" + name + ">";
}

// What the game can use of each number; a hand-edited file may hold anything, and a screen
// that steps a volume of 2147483647 overflows.
struct Range {
    int32_t tsettings::*field;
    int32_t lowest, highest;
};
constexpr Range Ranges[] = {
    {&tsettings::CameraZoom, 0, 100},       {&tsettings::MusicVolume, 0, 100},
    {&tsettings::EffectVolume, 0, 100},     {&tsettings::PadSensitivity, 30, 100},
    {&tsettings::TextureSizeSetting, 0, 1}, {&tsettings::SmoothPicture, 0, 1},
};

// Values go into `settings` one after the other, so a fault part-way keeps the values read
// before it.
bool ReadSettingsDocument(std::string_view fileName) {
    try {
        auto root = LoadPlainDocument(fileName, LargestSettingsFile);
        if (!root) return false;
        const tnode& setup = root->Child("Setup");
        const tnode& screen = setup.Child("Screen");
        if (const tnode* zoom = screen.FindChild("Zoom")) settings.CameraZoom = zoom->AsInteger();
        settings.AdapterSetting = Unescaped(screen.Child("Adapter").text);
        settings.ModeSetting = Unescaped(screen.Child("Mode").text);
        settings.DepthSetting = screen.Child("Depth").AsInteger();
        if (const tnode* size = screen.FindChild("TextureSize"))
            settings.TextureSizeSetting = size->AsInteger();
        // Files written before the picture could be smoothed have no such element.
        if (const tnode* smooth = screen.FindChild("SmoothPicture"))
            settings.SmoothPicture = smooth->AsInteger();

        const tnode& volume = setup.Child("Volume");
        settings.MusicVolume = volume.Child("Music").AsInteger();
        settings.EffectVolume = volume.Child("Effect").AsInteger();

        const tnode& keys = setup.Child("Keys");
        for (const Leaf& leaf : KeyLeaves)
            settings.*leaf.field = keys.Child(leaf.element).AsInteger();

        // Files from before the ghost have no such element: he walks by default.
        if (const tnode* ghost = setup.FindChild("GhostRuns"))
            settings.GhostRuns = ghost->AsInteger() != 0;

        if (const tnode* pad = setup.FindChild("GamePad")) {
            for (const Leaf& leaf : PadLeaves)
                settings.*leaf.field = pad->Child(leaf.element).AsInteger();
            settings.PadSensitivity = pad->Child("Sensitivity").AsInteger();
        }
        return true;
    } catch (const XmlError&) {
        return false;
    }
}

} // namespace

bool ModeSize(std::string_view mode, int32_t& width, int32_t& height) {
    const char* end = mode.data() + mode.size();
    int32_t w = 0, h = 0;
    auto [afterWidth, widthError] = std::from_chars(mode.data(), end, w);
    if (widthError != std::errc() || afterWidth == end || *afterWidth != 'x') return false;
    auto [afterHeight, heightError] = std::from_chars(afterWidth + 1, end, h);
    if (heightError != std::errc()) return false;
    if (!IsDrawableSize(w, h)) return false;
    // Exactly as the dialog words its entries, or the bare size that leads them all.
    const std::string size = std::to_string(w) + "x" + std::to_string(h);
    bool known = mode == size;
    for (const int32_t format : {22, 23, 0})
        for (const bool windowed : {false, true})
            known = known || mode == ModeText({{w, h, 0, format}, windowed});
    if (!known) return false;
    width = w;
    height = h;
    return true;
}

void KeepSettingsInRange(tsettings& values) {
    for (const Range& range : Ranges)
        values.*range.field = std::clamp(values.*range.field, range.lowest, range.highest);
    // A code without a name could never have been chosen in the options screen.
    const tsettings defaults;
    for (const Leaf& leaf : KeyLeaves)
        if (TDInput::KeyName(values.*leaf.field).empty()) values.*leaf.field = defaults.*leaf.field;
    // Pad control 0 is named ("<choose>") only for the options screen: it means none.
    for (const Leaf& leaf : PadLeaves)
        if (values.*leaf.field < 1 || TDInput::PadControlName(values.*leaf.field).empty())
            values.*leaf.field = defaults.*leaf.field;
    int32_t width = 0, height = 0;
    if (!ModeSize(values.ModeSetting, width, height)) values.ModeSetting.clear();
}

bool ApplySettingsDocument(std::string_view fileName) {
    const bool read = ReadSettingsDocument(fileName);
    KeepSettingsInRange(settings);
    return read;
}

void ApplySettingsFile() {
    const std::string fileName = files::HomePath(SettingsFileName);
    if (!files::Exists(fileName)) return;
    if (ApplySettingsDocument(fileName)) return;
    ShowMessage("setup.xml file is corrupted", MessageIcon::Error);
    files::Delete(fileName);
}

std::string SettingsFileText(const tsettings& values, int32_t padSensitivity) {
    std::string line = "<Setup><Screen>";
    line += Element("Zoom", Decimal(values.CameraZoom));
    line += Element("Adapter", Escaped(values.AdapterSetting));
    line += Element("Mode", Escaped(values.ModeSetting));
    line += Element("Depth", Decimal(values.DepthSetting));
    line += Element("TextureSize", Decimal(values.TextureSizeSetting));
    line += Element("SmoothPicture", Decimal(values.SmoothPicture));
    line += "</Screen><Keys>";
    for (const Leaf& leaf : KeyLeaves) line += Element(leaf.element, Decimal(values.*leaf.field));
    line += "</Keys><GamePad>";
    for (const Leaf& leaf : PadLeaves) line += Element(leaf.element, Decimal(values.*leaf.field));
    line += Element("Sensitivity", Decimal(padSensitivity));
    line += "</GamePad><Volume>";
    line += Element("Music", Decimal(values.MusicVolume));
    line += Element("Effect", Decimal(values.EffectVolume));
    line += "</Volume>";
    line += Element("GhostRuns", Decimal(values.GhostRuns ? 1 : 0));
    return line + "</Setup>";
}

bool WriteSettingsFile(std::string_view fileName, int32_t padSensitivity) {
    return files::WriteSafely(files::HomePath(fileName),
                              SettingsFileText(settings, padSensitivity));
}
