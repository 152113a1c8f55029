#pragma once
// The setup dialog TForm2 as rules over plain lists: which displays, modes, depth formats
// and texture sizes it offers, what it preselects from the settings, and the choice it
// hands to the game. The window that draws it (startup/setupwindow) only shows these lists
// and forwards clicks; everything here runs without a display.
#include "engine/settings.h"

#include <cstdint>
#include <string>
#include <vector>

// One mode as the display driver lists it. format: 22 32-bit, 23 16-bit, anything else a
// format the game has no name for (24-bit packed, 15-bit).
struct tdisplaymode {
    int32_t width = 0, height = 0;
    int32_t refreshRate = 0;
    int32_t format = 22;
};

struct tsetupdisplay {
    std::string name;
    std::vector<tdisplaymode> modes; // in the driver's order
    int32_t desktopWidth = 0, desktopHeight = 0;
    int32_t desktopFormat = 22;
};

// What the machine offers, gathered once by the window (or written by a test).
struct tsetuphardware {
    std::vector<tsetupdisplay> displays;
    std::vector<int32_t> depthFormats; // depth formats the device layer can create
    int32_t maxTextureWidth = 0, maxTextureHeight = 0;
    std::vector<int32_t> fullscreenFormats{22, 23}; // formats that can fill the screen
};

// An entry of the mode list.
struct tmodeentry {
    tdisplaymode mode;
    bool windowed = false;
};

// What "Start the Game" hands over.
struct tsetupresult {
    int32_t adapter = 0;
    int32_t width = 0, height = 0;
    int32_t format = 22;
    int32_t depthFormat = 80;
    std::string textureFolder;
    bool windowed = false;
};

// The sizes the game lays its 1600 x 1200 design canvas out at without stretching text
// beyond reading: as small as 640x480, no larger than the canvas itself. The dialog offers
// no other, and a saved choice outside them is not taken.
constexpr bool IsDrawableSize(int32_t width, int32_t height) {
    return width >= 640 && width <= 1600 && height >= 480 && height <= 1200;
}

inline constexpr const char* UnableToInitializeMessage = "Unable to initialize graphic mode";
inline constexpr const char* TextureItem1024 = "1024x1024";
inline constexpr const char* TextureItem2048 = "2048x2048";

// The dialog's lists and selections. An index of -1 is "nothing selected".
class tsetupdialog {
  public:
    tsetupdialog(tsetuphardware hardware, tsettings& values);

    // Fills the lists and selects the first adapter and mode.
    void Create();
    // Every time the window becomes active: the saved texture size, mode and adapter are
    // selected again when a settings file was read, and the depth list is refilled.
    void Activate(bool settingsFileExists);

    void AdapterChanged(int index);
    void ModeChanged(int index);
    void DepthChanged(int index);
    void TextureChanged(int index) { texture_ = Valid(index, textures_) ? index : -1; }

    // "Start the Game": false with `error` set when the choice is incomplete. On success
    // the adapter, depth format and texture index are kept in the settings for the file.
    bool Start(tsetupresult& result, std::string& error);

    // The last message the dialog raised (the texture-size error), taken once.
    std::string TakeMessage();

    const std::vector<std::string>& Adapters() const { return adapters_; }
    const std::vector<std::string>& Modes() const { return modeTexts_; }
    const std::vector<std::string>& Depths() const { return depthTexts_; }
    const std::vector<std::string>& Textures() const { return textures_; }
    const std::vector<tmodeentry>& ModeTable() const { return modeTable_; }
    const std::vector<int32_t>& DepthTable() const { return depthTable_; }
    int Adapter() const { return adapter_; }
    int Mode() const { return mode_; }
    int Depth() const { return depth_; }
    int Texture() const { return texture_; }
    int32_t DepthFormat() const { return depthFormat_; }
    bool StartEnabled() const { return startEnabled_; }

    void FillModes(int adapter);
    void FillDepths();
    void CheckTextureSupport();

  private:
    static bool Valid(int index, const std::vector<std::string>& list) {
        return index >= 0 && index < static_cast<int>(list.size());
    }
    void SelectMode(int index);
    // The format check of CheckTextureSupport without its message, for activations: a
    // message there would come back each time its box hands the focus back.
    void UpdateStartEnabled();

    tsetuphardware hardware_;
    tsettings& settings_;
    std::vector<std::string> adapters_, modeTexts_, depthTexts_, textures_;
    std::vector<tmodeentry> modeTable_;
    std::vector<int32_t> depthTable_;
    int adapter_ = -1, mode_ = -1, depth_ = -1, texture_ = -1;
    int32_t depthFormat_ = 0;
    bool startEnabled_ = false;
    std::string message_;
};

// "1024x768 (32 bit colors)"; windowed entries read "1024x768 (window)".
std::string ModeText(const tmodeentry& entry);
