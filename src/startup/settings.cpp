#include "startup/settings.h"

#include "engine/xmlparser.h"
#include "platform/files.h"
#include "startup/startup.h"

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

} // namespace

bool ApplySettingsDocument(std::string_view fileName) {
    // Values go into `settings` one after the other, so a fault part-way keeps the values
    // read before it; no range checks here, the users of each value enforce them.
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

        const tnode& volume = setup.Child("Volume");
        settings.MusicVolume = volume.Child("Music").AsInteger();
        settings.EffectVolume = volume.Child("Effect").AsInteger();

        const tnode& keys = setup.Child("Keys");
        for (const Leaf& leaf : KeyLeaves)
            settings.*leaf.field = keys.Child(leaf.element).AsInteger();

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
    line += "</Screen><Keys>";
    for (const Leaf& leaf : KeyLeaves) line += Element(leaf.element, Decimal(values.*leaf.field));
    line += "</Keys><GamePad>";
    for (const Leaf& leaf : PadLeaves) line += Element(leaf.element, Decimal(values.*leaf.field));
    line += Element("Sensitivity", Decimal(padSensitivity));
    line += "</GamePad><Volume>";
    line += Element("Music", Decimal(values.MusicVolume));
    line += Element("Effect", Decimal(values.EffectVolume));
    return line + "</Volume></Setup>";
}

bool WriteSettingsFile(std::string_view fileName, int32_t padSensitivity) {
    return files::WriteSafely(files::HomePath(fileName),
                              SettingsFileText(settings, padSensitivity));
}
