#include "startup/setuprules.h"

#include <gtest/gtest.h>

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

TEST(SetupRules, ModeListKeepsTheRangeListsRatesOnceAndAddsWindowsThatFit) {
    tsettings values;
    tsetupdialog dialog(Machine(TypicalModes), values);
    dialog.Create();
    const Texts expected = {
        "1600x1200 (32 bit colors)", "1024x768 (32 bit colors)", "1024x768 (16 bit colors)",
        "800x600 (??? colors)", "640x480 (32 bit colors)",
        // Windows after the full-screen modes, one per size, only those under 1280x1024.
        "1024x768 (window)", "800x600 (window)", "640x480 (window)"};
    EXPECT_EQ(dialog.Modes(), expected);
    EXPECT_EQ(dialog.Adapters(), (Texts{"Screen A", "Screen B"}));
    EXPECT_EQ(dialog.Mode(), 0);
    EXPECT_TRUE(dialog.StartEnabled());

    // Picking the other display lists its own modes.
    dialog.AdapterChanged(1);
    EXPECT_EQ(dialog.Modes(), (Texts{"800x600 (16 bit colors)", "800x600 (window)"}));
}

TEST(SetupRules, RefreshDuplicatesAreDroppedOnlyWhenTheyComeInARow) {
    tsettings values;
    tsetupdialog dialog(Machine({{800, 600, 60, 22}, {1024, 768, 60, 22}, {800, 600, 75, 22}}),
                        values);
    dialog.Create();
    EXPECT_EQ(dialog.Modes().size(), 3u + 2u); // three full-screen entries, two windows
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
        {"Screen B", "1024x768 (16 bit colors)", 1, true, "Screen B", "800x600 (16 bit colors)", 1,
         true},
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
    dialog.ModeChanged(2);
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
    dialog.ModeChanged(6);
    ASSERT_EQ(dialog.Modes()[6], "800x600 (window)");
    ASSERT_TRUE(dialog.Start(result, error));
    EXPECT_TRUE(result.windowed);
    EXPECT_EQ(result.width, 800);
    EXPECT_EQ(result.format, 22);

    // The 24-bit mode cannot fill the screen.
    dialog.ModeChanged(3);
    EXPECT_FALSE(dialog.StartEnabled());
}

TEST(SetupRules, StartWithoutAModeIsRefused) {
    tsettings values;
    tsetupdialog dialog(Machine({{2048, 1536, 60, 22}}), values);
    dialog.Create();
    EXPECT_TRUE(dialog.Modes().empty());
    EXPECT_TRUE(dialog.Depths().empty());
    EXPECT_FALSE(dialog.StartEnabled());
    tsetupresult result;
    std::string error;
    EXPECT_FALSE(dialog.Start(result, error));
    EXPECT_EQ(error, "Unable to initialize graphic mode");
}

} // namespace
