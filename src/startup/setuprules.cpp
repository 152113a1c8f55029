#include "startup/setuprules.h"

#include "render/screenlayout.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace {

struct DepthCandidate {
    int32_t format;
    const char* label;
};
// The list order: the richest buffers first.
constexpr DepthCandidate DepthCandidates[] = {
    {75, "24-bit Z-buffer and 8-bit stencil shadow."},
    {79, "24-bit Z-buffer and 4-bit stencil shadow."},
    {73, "15-bit Z-buffer and 1-bit stencil shadow."},
    {71, "32-bit Z-buffer."},
    {77, "24-bit Z-buffer."},
};
constexpr DepthCandidate Depth16 = {80, "16-bit Z-buffer."};

constexpr int32_t MinTextureSize = 1024;

struct Size {
    int32_t width, height;
};
// The 4:3 sizes of the design canvas that every player knows, offered on any display.
constexpr Size UsualSizes[] = {{640, 480},  {800, 600},  {1024, 768},
                               {1152, 864}, {1280, 960}, {1600, 1200}};

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    if (prefix.size() > text.size()) return false;
    return std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
}

int FindPrefix(const std::vector<std::string>& items, const std::string& prefix) {
    for (size_t i = 0; i < items.size(); ++i)
        if (StartsWithNoCase(items[i], prefix)) return static_cast<int>(i);
    return -1;
}

} // namespace

std::string ModeText(const tmodeentry& entry) {
    std::string text = std::to_string(entry.mode.width) + "x" + std::to_string(entry.mode.height);
    if (entry.windowed) return text + " (window)";
    switch (entry.mode.format) {
    case 22:
        return text + " (32 bit colors)";
    case 23:
        return text + " (16 bit colors)";
    default:
        return text + " (??? colors)";
    }
}

tsetupdialog::tsetupdialog(tsetuphardware hardware, tsettings& values)
    : hardware_(std::move(hardware)), settings_(values) {}

void tsetupdialog::FillModes(int adapter) {
    modeTable_.clear();
    modeTexts_.clear();
    mode_ = -1;
    if (adapter < 0 || adapter >= static_cast<int>(hardware_.displays.size())) return;
    const tsetupdisplay& display = hardware_.displays[adapter];
    const auto listed = [&](int32_t width, int32_t height, int32_t format) {
        return std::any_of(modeTable_.begin(), modeTable_.end(), [&](const tmodeentry& e) {
            return e.mode.width == width && e.mode.height == height && e.mode.format == format;
        });
    };

    // Full screen never switches the monitor's mode: the picture is drawn at the chosen size
    // and scaled to the desktop. So the display's own sizes in range are offered, and the
    // usual 4:3 sizes whether the monitor lists them or not; a monitor that reports only
    // its native 1920x1080 still starts the game. Each size and format is listed once,
    // whatever refresh rates the driver repeats it at.
    for (const tdisplaymode& mode : display.modes) {
        if (!IsDrawableSize(mode.width, mode.height)) continue;
        if (!listed(mode.width, mode.height, mode.format)) modeTable_.push_back({mode, false});
    }
    // The usual sizes take the desktop's colours; a desktop in a format the game has no
    // name for gets 32-bit ones, which every display can show.
    const int32_t drawFormat = display.desktopFormat == 23 ? 23 : 22;
    for (const auto& [width, height] : UsualSizes)
        if (!listed(width, height, drawFormat))
            modeTable_.push_back({{width, height, 0, drawFormat}, false});
    std::stable_sort(modeTable_.begin(), modeTable_.end(),
                     [](const tmodeentry& a, const tmodeentry& b) {
                         if (a.mode.width != b.mode.width) return a.mode.width > b.mode.width;
                         return a.mode.height > b.mode.height;
                     });

    // The same sizes in a window, once each, where the window fits on the desktop. A
    // desktop smaller than 640x480 gets no window at all: every size is still offered full
    // screen, drawn smaller with its shape kept, which is the one way the game fits there.
    const size_t fullscreenCount = modeTable_.size();
    for (size_t i = 0; i < fullscreenCount; ++i) {
        const tdisplaymode mode = modeTable_[i].mode;
        if (mode.width > display.desktopWidth || mode.height > display.desktopHeight) continue;
        const bool windowListed = std::any_of(
            modeTable_.begin() + fullscreenCount, modeTable_.end(), [&](const tmodeentry& e) {
                return e.mode.width == mode.width && e.mode.height == mode.height;
            });
        if (windowListed) continue;
        tdisplaymode windowMode = mode;
        windowMode.format = display.desktopFormat;
        modeTable_.push_back({windowMode, true});
    }
    for (const tmodeentry& entry : modeTable_) modeTexts_.push_back(ModeText(entry));
}

void tsetupdialog::FillDepths() {
    depthTexts_.clear();
    depthTable_.clear();
    depth_ = -1;
    if (mode_ >= 0) {
        const auto& creatable = hardware_.depthFormats;
        for (const DepthCandidate& candidate : DepthCandidates) {
            if (std::find(creatable.begin(), creatable.end(), candidate.format) == creatable.end())
                continue;
            depthTexts_.push_back(candidate.label);
            depthTable_.push_back(candidate.format);
        }
        depthTexts_.push_back(Depth16.label);
        depthTable_.push_back(Depth16.format);
    }
    // From the end, so the saved format wins over the first entry.
    depth_ = depthTable_.empty() ? -1 : 0;
    for (int i = static_cast<int>(depthTable_.size()) - 1; i >= 0; --i) {
        if (depthTable_[i] == settings_.DepthSetting) {
            depth_ = i;
            break;
        }
    }
    depthFormat_ = depth_ >= 0 ? depthTable_[depth_] : 0;
}

void tsetupdialog::CheckTextureSupport() {
    if (mode_ < 0) {
        startEnabled_ = false;
        return;
    }
    const int32_t w = hardware_.maxTextureWidth, h = hardware_.maxTextureHeight;
    if (w < MinTextureSize || h < MinTextureSize) {
        startEnabled_ = false;
        message_ = "ERROR: Minimum texture size is 1024x1024. Adapter supports only " +
                   std::to_string(w) + "x" + std::to_string(h) + ".";
        return;
    }
    textures_.clear();
    textures_.push_back(TextureItem1024);
    if (w >= 2048 && h >= 2048) textures_.push_back(TextureItem2048);
    texture_ = Valid(settings_.TextureSizeSetting, textures_) ? settings_.TextureSizeSetting : -1;
    UpdateStartEnabled();
}

void tsetupdialog::UpdateStartEnabled() {
    if (mode_ < 0 || hardware_.maxTextureWidth < MinTextureSize ||
        hardware_.maxTextureHeight < MinTextureSize) {
        startEnabled_ = false;
        return;
    }
    // A window takes the desktop's format, so only a full-screen mode needs the check.
    const tmodeentry& entry = modeTable_[mode_];
    const auto& formats = hardware_.fullscreenFormats;
    startEnabled_ = entry.windowed ||
                    std::find(formats.begin(), formats.end(), entry.mode.format) != formats.end();
}

void tsetupdialog::SelectMode(int index) {
    mode_ = Valid(index, modeTexts_) ? index : -1;
}

void tsetupdialog::Create() {
    adapters_.clear();
    // One entry per display, so a second monitor can be chosen.
    for (const tsetupdisplay& display : hardware_.displays) adapters_.push_back(display.name);
    adapter_ = adapters_.empty() ? -1 : 0;
    FillModes(adapter_);
    SelectMode(0);
    FillDepths();
    CheckTextureSupport();
}

void tsetupdialog::Activate(bool settingsFileExists) {
    if (settingsFileExists) {
        // The adapter first: with one entry per display its modes must be the ones listed
        // before the saved mode is looked for, or a start would pair one display with
        // another's mode.
        const int adapter = FindPrefix(adapters_, settings_.AdapterSetting);
        if (adapter >= 0 && adapter != adapter_) {
            adapter_ = adapter;
            FillModes(adapter_);
            SelectMode(0);
        }
        if (Valid(settings_.TextureSizeSetting, textures_)) texture_ = settings_.TextureSizeSetting;
        const int mode = FindPrefix(modeTexts_, settings_.ModeSetting);
        if (mode >= 0) mode_ = mode;
        UpdateStartEnabled();
    }
    FillDepths();
}

void tsetupdialog::AdapterChanged(int index) {
    if (!Valid(index, adapters_)) return;
    adapter_ = index;
    FillModes(adapter_);
    SelectMode(0);
    FillDepths();
    CheckTextureSupport();
}

void tsetupdialog::ModeChanged(int index) {
    if (!Valid(index, modeTexts_)) return;
    mode_ = index;
    settings_.ModeSetting = modeTexts_[index];
    FillDepths();
    CheckTextureSupport();
}

void tsetupdialog::DepthChanged(int index) {
    if (!Valid(index, depthTexts_)) return;
    depth_ = index;
    depthFormat_ = depthTable_[index];
    CheckTextureSupport();
}

bool tsetupdialog::Start(tsetupresult& result, std::string& error) {
    if (mode_ < 0 || adapter_ < 0 || depth_ < 0) {
        error = UnableToInitializeMessage;
        return false;
    }
    depthFormat_ = depthTable_[depth_];
    const tmodeentry& entry = modeTable_[mode_];
    result.adapter = adapter_;
    result.width = entry.mode.width;
    result.height = entry.mode.height;
    result.format = entry.mode.format;
    result.depthFormat = depthFormat_;
    result.windowed = entry.windowed;
    const bool large = texture_ >= 0 && textures_[texture_] == TextureItem2048;
    result.textureFolder = large ? TextureFolder2048 : TextureFolder1024;

    // What the settings file keeps of this start.
    settings_.AdapterSetting = adapters_[adapter_];
    settings_.DepthSetting = depthFormat_;
    if (texture_ >= 0) settings_.TextureSizeSetting = texture_;
    return true;
}

std::string tsetupdialog::TakeMessage() {
    return std::exchange(message_, std::string());
}
