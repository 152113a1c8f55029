#include "startup/setuprules.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Modes = std::vector<tdisplaymode>;
using Texts = std::vector<std::string>;

const Modes TypicalModes = {
    {2048, 1536, 60, 22}, // too large both ways
    {1600, 1200, 60, 22}, {1600, 1200, 75, 22}, {1600, 1200, 85, 22}, {1024, 768, 60, 22},
    {1024, 768, 60, 23},  {1024, 768, 75, 23},  {800, 600, 60, 20}, // a packed 24-bit mode
    {640, 480, 60, 22},   {640, 400, 70, 22},                       // too low
    {512, 384, 60, 22},                                             // too small
};

tsetuphardware Machine(Modes modes, int maxTexture = 4096, int desktopW = 1280,
                       int desktopH = 1024) {
    tsetuphardware hardware;
    hardware.displays.push_back({"Screen A", std::move(modes), desktopW, desktopH, 22});
    hardware.displays.push_back({"Screen B", {{800, 600, 60, 23}}, 800, 600, 23});
    hardware.depthFormats = {75, 71, 77};
    hardware.maxTextureWidth = hardware.maxTextureHeight = maxTexture;
    return hardware;
}

TEST(SetupRules, ModeListKeepsTheRangeAddsTheUsualSizesAndWindowsThatFit) {
    tsettings values;
    tsetupdialog dialog(Machine(TypicalModes), values);
    dialog.Create();
    const Texts expected = {
        // Largest first; the 4:3 sizes the display does not list join in the desktop's
        // colours, and 800x600 gets a 32-bit entry beside the driver's 24-bit one.
        "1600x1200 (32 bit colors)", "1280x960 (32 bit colors)", "1152x864 (32 bit colors)",
        "1024x768 (32 bit colors)", "1024x768 (16 bit colors)", "800x600 (??? colors)",
        "800x600 (32 bit colors)", "640x480 (32 bit colors)",
        // Windows after the full-screen entries, one per size, only those within 1280x1024.
        "1280x960 (window)", "1152x864 (window)", "1024x768 (window)", "800x600 (window)",
        "640x480 (window)"};
    EXPECT_EQ(dialog.Modes(), expected);
    EXPECT_EQ(dialog.Adapters(), (Texts{"Screen A", "Screen B"}));
    EXPECT_EQ(dialog.Mode(), 0);
    EXPECT_TRUE(dialog.StartEnabled());

    // Picking the other display lists its own modes, the usual ones in its 16-bit colours.
    dialog.AdapterChanged(1);
    EXPECT_EQ(dialog.Modes(), (Texts{"1600x1200 (16 bit colors)", "1280x960 (16 bit colors)",
                                     "1152x864 (16 bit colors)", "1024x768 (16 bit colors)",
                                     "800x600 (16 bit colors)", "640x480 (16 bit colors)",
                                     "800x600 (window)", "640x480 (window)"}));
}

// Displays as X servers report them today: only the panel's native mode (Xvfb, X under
// Wayland, laptops), or a long list with sizes above the canvas.
TEST(SetupRules, EveryDisplayOffersSizesToStartWith) {
    const Texts usual = {"1600x1200 (32 bit colors)", "1280x960 (32 bit colors)",
                         "1152x864 (32 bit colors)",  "1024x768 (32 bit colors)",
                         "800x600 (32 bit colors)",   "640x480 (32 bit colors)"};
    const auto with = [](Texts texts, std::initializer_list<std::string> more) {
        texts.insert(texts.end(), more);
        return texts;
    };
    struct Case {
        const char* name;
        Modes modes;
        int desktopW, desktopH;
        Texts expected;
    };
    const Case cases[] = {
        {"1920x1080 only",
         {{1920, 1080, 60, 22}},
         1920,
         1080,
         with(usual, {"1280x960 (window)", "1152x864 (window)", "1024x768 (window)",
                      "800x600 (window)", "640x480 (window)"})},
        {"1280x1024 only",
         {{1280, 1024, 60, 22}},
         1280,
         1024,
         {"1600x1200 (32 bit colors)", "1280x1024 (32 bit colors)", "1280x960 (32 bit colors)",
          "1152x864 (32 bit colors)", "1024x768 (32 bit colors)", "800x600 (32 bit colors)",
          "640x480 (32 bit colors)", "1280x1024 (window)", "1280x960 (window)", "1152x864 (window)",
          "1024x768 (window)", "800x600 (window)", "640x480 (window)"}},
        {"many",
         {{2560, 1600, 60, 22},
          {1920, 1200, 60, 22},
          {1920, 1080, 60, 22},
          {1680, 1050, 60, 22},
          {1600, 1200, 60, 22},
          {1600, 900, 60, 22},
          {1440, 900, 60, 22},
          {1400, 1050, 60, 22},
          {1280, 1024, 60, 22},
          {1280, 1024, 75, 22},
          {1280, 800, 60, 22},
          {1280, 720, 60, 22},
          {1024, 768, 60, 22},
          {1024, 768, 75, 22},
          {800, 600, 60, 22},
          {800, 600, 60, 23},
          {640, 480, 60, 22},
          {720, 400, 70, 22},
          {320, 240, 60, 22}},
         1920,
         1080,
         {"1600x1200 (32 bit colors)", "1600x900 (32 bit colors)",  "1440x900 (32 bit colors)",
          "1400x1050 (32 bit colors)", "1280x1024 (32 bit colors)", "1280x960 (32 bit colors)",
          "1280x800 (32 bit colors)",  "1280x720 (32 bit colors)",  "1152x864 (32 bit colors)",
          "1024x768 (32 bit colors)",  "800x600 (32 bit colors)",   "800x600 (16 bit colors)",
          "640x480 (32 bit colors)",   "1600x900 (window)",         "1440x900 (window)",
          "1400x1050 (window)",        "1280x1024 (window)",        "1280x960 (window)",
          "1280x800 (window)",         "1280x720 (window)",         "1152x864 (window)",
          "1024x768 (window)",         "800x600 (window)",          "640x480 (window)"}},
        // Smaller than the smallest size: full screen only, the picture drawn smaller.
        {"320x240 only", {{320, 240, 60, 22}}, 320, 240, usual},
        // A driver that lists nothing and a desktop it cannot read.
        {"nothing known", {}, 0, 0, usual},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tsettings values;
        tsetupdialog dialog(Machine(c.modes, 4096, c.desktopW, c.desktopH), values);
        dialog.Create();
        EXPECT_EQ(dialog.Modes(), c.expected);
        EXPECT_EQ(dialog.Mode(), 0);
        EXPECT_FALSE(dialog.Depths().empty());
        EXPECT_FALSE(dialog.Textures().empty());
        EXPECT_TRUE(dialog.StartEnabled());
        tsetupresult result;
        std::string error;
        EXPECT_TRUE(dialog.Start(result, error));
        EXPECT_FALSE(result.windowed);
    }
}

TEST(SetupRules, EachSizeIsListedOnceWhateverRatesTheDriverRepeatsItAt) {
    tsettings values;
    tsetupdialog dialog(Machine({{800, 600, 60, 22}, {1024, 768, 60, 22}, {800, 600, 75, 22}}),
                        values);
    dialog.Create();
    const Texts& modes = dialog.Modes();
    EXPECT_EQ(std::count(modes.begin(), modes.end(), "800x600 (32 bit colors)"), 1);
    EXPECT_EQ(std::count(modes.begin(), modes.end(), "1024x768 (32 bit colors)"), 1);
    EXPECT_EQ(std::count(modes.begin(), modes.end(), "800x600 (window)"), 1);
    EXPECT_EQ(modes.size(), 6u + 5u); // the six usual sizes, five of them in a window
}

TEST(SetupRules, DepthListOffersWhatTheDeviceCanMakeAndFindsTheSavedFormatFromTheEnd) {
    struct Case {
        std::vector<int32_t> creatable;
        int32_t saved;
        std::vector<int32_t> table;
        int selected;
    };
    const Case cases[] = {
        {{75, 79, 73, 71, 77}, 0, {75, 79, 73, 71, 77, 80}, 0},
        {{77, 75}, 77, {75, 77, 80}, 1}, // list order is fixed, not the driver's
        {{}, 80, {80}, 0},               // 16-bit always offered
        {{75}, 71, {75, 80}, 0},         // saved format gone: the first entry
        {{71, 77}, 80, {71, 77, 80}, 2},
    };
    for (const Case& c : cases) {
        tsetuphardware hardware = Machine(TypicalModes);
        hardware.depthFormats = c.creatable;
        tsettings values;
        values.DepthSetting = c.saved;
        tsetupdialog dialog(hardware, values);
        dialog.Create();
        EXPECT_EQ(dialog.DepthTable(), c.table);
        EXPECT_EQ(dialog.Depth(), c.selected);
        EXPECT_EQ(dialog.DepthFormat(), c.table[c.selected]);
        EXPECT_EQ(dialog.Depths().back(), "16-bit Z-buffer.");
    }
}

TEST(SetupRules, TextureSizesFollowTheDriverLimit) {
    struct Case {
        int maxTexture;
        int32_t saved;
        Texts items;
        int selected;
        bool startEnabled;
        const char* folder;
    };
    const Case cases[] = {
        {2048, 1, {"1024x1024", "2048x2048"}, 1, true, "gfx2048\\"},
        {8192, 0, {"1024x1024", "2048x2048"}, 0, true, "gfx1024\\"},
        {1024, 1, {"1024x1024"}, -1, true, "gfx1024\\"}, // the default index has no item
        {1024, 0, {"1024x1024"}, 0, true, "gfx1024\\"},
        {512, 1, {}, -1, false, nullptr},
    };
    for (const Case& c : cases) {
        tsettings values;
        values.TextureSizeSetting = c.saved;
        tsetupdialog dialog(Machine(TypicalModes, c.maxTexture), values);
        dialog.Create();
        SCOPED_TRACE(c.maxTexture);
        EXPECT_EQ(dialog.Textures(), c.items);
        EXPECT_EQ(dialog.Texture(), c.selected);
        EXPECT_EQ(dialog.StartEnabled(), c.startEnabled);
        if (!c.folder) {
            EXPECT_EQ(dialog.TakeMessage(),
                      "ERROR: Minimum texture size is 1024x1024. Adapter supports only 512x512.");
            continue;
        }
        EXPECT_EQ(dialog.TakeMessage(), "");
        tsetupresult result;
        std::string error;
        ASSERT_TRUE(dialog.Start(result, error));
        EXPECT_EQ(result.textureFolder, c.folder);
    }
}

TEST(SetupRules, ActivationSelectsTheSavedChoiceAgain) {
    struct Case {
        const char* adapter;
        const char* mode;
        int32_t texture;
        bool fileExists;
        const char* selectedAdapter;
        const char* selectedMode;
        int selectedTexture;
        bool startEnabled;
    };
    const Case cases[] = {
        // No settings file: what is on screen stays.
        {"Screen B", "640x480", 0, false, "Screen A", "1600x1200 (32 bit colors)", 1, true},
        // A prefix, any case.
        {"screen a", "1024X768 (16", 0, true, "Screen A", "1024x768 (16 bit colors)", 0, true},
        // A saved mode that is gone leaves the first one.
        {"Screen A", "1280x1024 (32 bit colors)", 1, true, "Screen A", "1600x1200 (32 bit colors)",
         1, true},
        // The other display brings its own modes before the mode is looked for.
        {"Screen B", "800x600 (window)", 1, true, "Screen B", "800x600 (window)", 1, true},
        {"Screen B", "1280x1024 (16 bit colors)", 1, true, "Screen B", "1600x1200 (16 bit colors)",
         1, true},
        // A saved mode that cannot fill the screen cannot be started.
        {"", "800x600 (???", 1, true, "Screen A", "800x600 (??? colors)", 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        tsettings values;
        tsetupdialog dialog(Machine(TypicalModes), values);
        dialog.Create();
        dialog.TextureChanged(1); // the player's pick on screen
        values.AdapterSetting = c.adapter;
        values.ModeSetting = c.mode;
        values.TextureSizeSetting = c.texture;
        dialog.Activate(c.fileExists);
        EXPECT_EQ(dialog.Adapters()[dialog.Adapter()], c.selectedAdapter);
        EXPECT_EQ(dialog.Modes()[dialog.Mode()], c.selectedMode);
        EXPECT_EQ(dialog.Texture(), c.selectedTexture);
        EXPECT_EQ(dialog.StartEnabled(), c.startEnabled);
        EXPECT_FALSE(dialog.Depths().empty());
    }
}

TEST(SetupRules, StartHandsOverThePickedModeAndKeepsItForTheSettingsFile) {
    tsettings values;
    tsetupdialog dialog(Machine(TypicalModes), values);
    dialog.Create();
    dialog.ModeChanged(4);
    EXPECT_EQ(values.ModeSetting, "1024x768 (16 bit colors)"); // kept word for word
    dialog.DepthChanged(1);

    tsetupresult result;
    std::string error;
    ASSERT_TRUE(dialog.Start(result, error));
    EXPECT_EQ(result.width, 1024);
    EXPECT_EQ(result.height, 768);
    EXPECT_EQ(result.format, 23);
    EXPECT_EQ(result.depthFormat, 71);
    EXPECT_FALSE(result.windowed);
    EXPECT_EQ(values.DepthSetting, 71);
    EXPECT_EQ(values.AdapterSetting, "Screen A");

    // A window entry starts windowed in the desktop's format.
    dialog.ModeChanged(11);
    ASSERT_EQ(dialog.Modes()[11], "800x600 (window)");
    ASSERT_TRUE(dialog.Start(result, error));
    EXPECT_TRUE(result.windowed);
    EXPECT_EQ(result.width, 800);
    EXPECT_EQ(result.format, 22);

    // The 24-bit mode cannot fill the screen.
    dialog.ModeChanged(5);
    ASSERT_EQ(dialog.Modes()[5], "800x600 (??? colors)");
    EXPECT_FALSE(dialog.StartEnabled());
}

TEST(SetupRules, StartWithoutADisplayIsRefused) {
    tsettings values;
    tsetuphardware none;
    none.maxTextureWidth = none.maxTextureHeight = 4096;
    tsetupdialog dialog(none, values);
    dialog.Create();
    EXPECT_TRUE(dialog.Adapters().empty());
    EXPECT_TRUE(dialog.Modes().empty());
    EXPECT_TRUE(dialog.Depths().empty());
    EXPECT_FALSE(dialog.StartEnabled());
    tsetupresult result;
    std::string error;
    EXPECT_FALSE(dialog.Start(result, error));
    EXPECT_EQ(error, "Unable to initialize graphic mode");
}

} // namespace
