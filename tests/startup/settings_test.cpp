#include "startup/settings.h"

#include "platform/files.h"
#include "startup/startup.h"
#include "support/awkward_texts.h"
#include "support/decimal_comma.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

const std::string DefaultLine =
    "<Setup><Screen><Zoom>50</Zoom><Adapter></Adapter><Mode></Mode>"
    "<Depth>0</Depth><TextureSize>1</TextureSize><SmoothPicture>1</SmoothPicture>"
    "</Screen><Keys>"
    "<Left>203</Left><Right>205</Right><Up>200</Up><Down>208</Down>"
    "<Jump>57</Jump><Fire>157</Fire><Change>184</Change><Guide>"
    "36</Guide></Keys><GamePad><Left>1</Left><Right>2</Right><Up>"
    "3</Up><Down>4</Down><Jump>19</Jump><Fire>17</Fire><Change>"
    "18</Change><Guide>20</Guide><Sensitivity>70</Sensitivity>"
    "</GamePad><Volume><Music>100</Music><Effect>100</Effect>"
    "</Volume><GhostRuns>1</GhostRuns></Setup>";

// The required part of a settings file, without Zoom, TextureSize and GamePad.
const std::string MinimalFile =
    "<Setup><Screen><Adapter>Card</Adapter><Mode>800x600 (16 bit colors)</Mode><Depth>"
    "75</Depth></Screen><Volume><Music>30</Music><Effect>-5</Effect></Volume><Keys><Left>"
    "1</Left><Right>2</Right><Up>3</Up><Down>4</Down><Jump>5</Jump><Fire>6</Fire><Change>"
    "7</Change><Guide>999</Guide></Keys></Setup>";

std::vector<std::string> messages;
void CaptureMessage(std::string_view text, MessageIcon) {
    messages.emplace_back(text);
}

class Settings : public ::testing::Test {
  protected:
    void SetUp() override {
        settings = tsettings{};
        messages.clear();
        ShowMessage = CaptureMessage;
    }
    void TearDown() override {
        settings = tsettings{};
        ShowMessage = previousShowMessage;
    }
    ScratchFolder folder;
    MessageFunction previousShowMessage = ShowMessage;
};

} // namespace

TEST_F(Settings, WritesTheExactLine) {
    EXPECT_EQ(SettingsFileText(settings, 70), DefaultLine);
    ASSERT_TRUE(WriteSettingsFile(SettingsFileName, 70));
    EXPECT_EQ(ReadBytes("setup.xml"), DefaultLine); // no line end, no stray byte

    settings.AdapterSetting = "Mesa \xe9 <none>"; // markup escaped, other bytes as held
    settings.CameraZoom = -3;
    std::string line = SettingsFileText(settings, 100);
    EXPECT_NE(line.find("<Zoom>-3</Zoom><Adapter>Mesa \xe9 &lt;none&gt;</Adapter>"),
              std::string::npos);
    EXPECT_NE(line.find("<Sensitivity>100</Sensitivity>"), std::string::npos);
}

TEST_F(Settings, ReadsMinimalAndMultiLineFiles) {
    WriteBytes("setup.xml", MinimalFile);
    ASSERT_TRUE(ApplySettingsDocument("setup.xml"));
    EXPECT_EQ(settings.CameraZoom, 50); // absent: default kept
    EXPECT_EQ(settings.TextureSizeSetting, 1);
    EXPECT_EQ(settings.SmoothPicture, 1); // files saved before it existed: smooth
    EXPECT_EQ(settings.PadSensitivity, 70);
    EXPECT_EQ(settings.AdapterSetting, "Card");
    EXPECT_EQ(settings.ModeSetting, "800x600 (16 bit colors)");
    EXPECT_EQ(settings.DepthSetting, 75);
    EXPECT_EQ(settings.MusicVolume, 30);
    EXPECT_EQ(settings.EffectVolume, 0); // brought into range on reading
    EXPECT_EQ(settings.KeyRight, 2);     // "1"
    EXPECT_EQ(settings.KeyLeft, 203);    // Esc is never bound: the default
    EXPECT_EQ(settings.KeyGuide, 36);

    // The written line, split over lines by hand, reads back the same.
    settings = tsettings{};
    settings.CameraZoom = 12;
    settings.PadGuide = 48;
    settings.SmoothPicture = 0;
    settings.ModeSetting = "1024x768 (32 bit colors)";
    std::string line = SettingsFileText(settings, 45);
    std::string split;
    for (char c : line) {
        split += c;
        if (c == '>') split += "\r\n";
    }
    WriteBytes("split.xml", split);
    tsettings written = settings;
    settings = tsettings{};
    ASSERT_TRUE(ApplySettingsDocument("split.xml"));
    EXPECT_EQ(settings.CameraZoom, 12);
    EXPECT_EQ(settings.PadGuide, 48);
    EXPECT_EQ(settings.PadSensitivity, 45);
    EXPECT_EQ(settings.ModeSetting, written.ModeSetting);
    EXPECT_EQ(SettingsFileText(settings, 45), line);
}

namespace {
struct tvaluecase {
    const char* what;
    int32_t tsettings::*field;
    int32_t written;
    int32_t read;
};
} // namespace

// Whatever a hand-edited file holds, every screen sees a value it can use; what the game
// itself writes comes back unchanged.
TEST_F(Settings, ValuesAreBroughtIntoRangeOnReading) {
    constexpr int32_t Max = INT32_MAX, Min = INT32_MIN;
    constexpr tvaluecase cases[] = {
        {"zoom", &tsettings::CameraZoom, Max, 100},
        {"zoom", &tsettings::CameraZoom, -1, 0},
        {"zoom", &tsettings::CameraZoom, 0, 0},
        {"zoom", &tsettings::CameraZoom, 100, 100},
        {"music", &tsettings::MusicVolume, Max, 100},
        {"music", &tsettings::MusicVolume, Min, 0},
        {"music", &tsettings::MusicVolume, 40, 40},
        {"effects", &tsettings::EffectVolume, 101, 100},
        {"effects", &tsettings::EffectVolume, -10, 0},
        {"effects", &tsettings::EffectVolume, 0, 0},
        {"sensitivity", &tsettings::PadSensitivity, 29, 30},
        {"sensitivity", &tsettings::PadSensitivity, Max, 100},
        {"sensitivity", &tsettings::PadSensitivity, 30, 30},
        {"texture size", &tsettings::TextureSizeSetting, 2, 1},
        {"texture size", &tsettings::TextureSizeSetting, Min, 0},
        {"texture size", &tsettings::TextureSizeSetting, 0, 0},
        {"smooth picture", &tsettings::SmoothPicture, 2, 1},
        {"smooth picture", &tsettings::SmoothPicture, -1, 0},
        {"key without a code", &tsettings::KeyLeft, 0, 203},
        {"Esc", &tsettings::KeyJump, 1, 57},
        {"key past the table", &tsettings::KeyGuide, 999, 36},
        {"key", &tsettings::KeyFire, Min, 157},
        {"key A", &tsettings::KeyFire, 30, 30},
        {"key RIGHT WIN", &tsettings::KeyChange, 220, 220},
        {"no pad control", &tsettings::PadLeft, 0, 1},
        {"pad past button 32", &tsettings::PadUp, 49, 3},
        {"any button", &tsettings::PadGuide, 50, 20},
        {"pad", &tsettings::PadFire, Max, 17},
        {"button 32", &tsettings::PadJump, 48, 48},
        {"hat", &tsettings::PadDown, 13, 13},
    };
    for (const tvaluecase& c : cases) {
        SCOPED_TRACE(std::string(c.what) + " " + std::to_string(c.written));
        tsettings values;
        values.*c.field = c.written;
        WriteBytes("setup.xml", SettingsFileText(values, values.PadSensitivity));
        settings = tsettings{};
        EXPECT_TRUE(ApplySettingsDocument("setup.xml"));
        EXPECT_EQ(settings.*c.field, c.read);
    }

    // Values read before a fault are brought in as well.
    std::string brokenKeys = MinimalFile;
    brokenKeys.replace(brokenKeys.find("<Music>30"), 9, "<Music>2147483647");
    brokenKeys.replace(brokenKeys.find("<Left>1"), 7, "<Left>x");
    WriteBytes("setup.xml", brokenKeys);
    settings = tsettings{};
    EXPECT_FALSE(ApplySettingsDocument("setup.xml"));
    EXPECT_EQ(settings.MusicVolume, 100);
    EXPECT_EQ(settings.EffectVolume, 0);
}

// A size is taken only as the setup dialog could have offered it; anything else is the
// dialog's own first choice, as with no file.
TEST_F(Settings, OnlyModesTheDialogCouldListAreKept) {
    const char* kept[] = {"",
                          "640x480 (32 bit colors)",
                          "1600x1200 (window)",
                          "800x600 (16 bit colors)",
                          "1024x768 (??? colors)",
                          "1152x864"};
    const char* dropped[] = {"16384x16384 (window)",
                             "639x480 (window)",
                             "640x479",
                             "1601x1200 (32 bit colors)",
                             "1600x1201 (window)",
                             "0800x600",
                             "-800x600",
                             "1024x768 (window) ",
                             "1024x768 (24 bit colors)",
                             "1024 x 768",
                             "4294968320x768",
                             "(window)",
                             "1024x",
                             "1024"};
    for (const char* mode : kept) {
        settings = tsettings{};
        settings.ModeSetting = mode;
        WriteBytes("setup.xml", SettingsFileText(settings, 70));
        settings = tsettings{};
        ASSERT_TRUE(ApplySettingsDocument("setup.xml"));
        EXPECT_EQ(settings.ModeSetting, mode);
    }
    for (const char* mode : dropped) {
        settings = tsettings{};
        settings.ModeSetting = mode;
        WriteBytes("setup.xml", SettingsFileText(settings, 70));
        settings.ModeSetting = "stale";
        ASSERT_TRUE(ApplySettingsDocument("setup.xml"));
        EXPECT_EQ(settings.ModeSetting, "") << mode;
    }
    int32_t width = 0, height = 0;
    ASSERT_TRUE(ModeSize("1600x1200 (window)", width, height));
    EXPECT_EQ(width * 10000 + height, 16001200);
}

TEST_F(Settings, FaultPartWayKeepsEarlierValues) {
    // GamePad present without Sensitivity: the pad bindings before the fault stay.
    std::string padWithoutSensitivity = MinimalFile;
    padWithoutSensitivity.insert(
        padWithoutSensitivity.size() - 8,
        "<GamePad><Left>9</Left><Right>10</Right><Up>11</Up><Down>12</Down><Jump>21</Jump>"
        "<Fire>22</Fire><Change>23</Change><Guide>24</Guide></GamePad>");
    WriteBytes("setup.xml", padWithoutSensitivity);
    EXPECT_FALSE(ApplySettingsDocument("setup.xml"));
    EXPECT_EQ(settings.PadLeft, 9);
    EXPECT_EQ(settings.PadGuide, 24);
    EXPECT_EQ(settings.PadSensitivity, 70);

    // A bad number in Volume: Screen is applied, the volumes and keys are not.
    settings = tsettings{};
    std::string badMusic = MinimalFile;
    badMusic.replace(badMusic.find("<Music>30"), 9, "<Music>3O");
    WriteBytes("setup.xml", badMusic);
    EXPECT_FALSE(ApplySettingsDocument("setup.xml"));
    EXPECT_EQ(settings.DepthSetting, 75);
    EXPECT_EQ(settings.MusicVolume, 100);
    EXPECT_EQ(settings.KeyLeft, 203);

    for (const char* broken : {"", "<Setup></Setup>", "<Setup><Screen></Screen>", "not xml"}) {
        WriteBytes("setup.xml", broken);
        EXPECT_FALSE(ApplySettingsDocument("setup.xml")) << broken;
    }
    EXPECT_FALSE(ApplySettingsDocument("missing.xml"));
}

TEST_F(Settings, StartUpReportsAndDeletesACorruptedFile) {
    ApplySettingsFile(); // no file: nothing happens
    EXPECT_TRUE(messages.empty());

    WriteBytes("setup.xml", MinimalFile);
    ApplySettingsFile();
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(FileExists("setup.xml"));
    EXPECT_EQ(settings.DepthSetting, 75);

    WriteBytes("setup.xml", "<Setup><Screen><Zoom>7</Zoom></Screen></Setup>");
    ApplySettingsFile();
    EXPECT_EQ(messages, std::vector<std::string>{"setup.xml file is corrupted"});
    EXPECT_FALSE(FileExists("setup.xml"));
    EXPECT_EQ(settings.CameraZoom, 7);
}

TEST_F(Settings, TheFileLivesInTheUserFolder) {
    ASSERT_TRUE(files::MakeFolder("home"));
    files::SetHomeFolder("home");
    settings.MusicVolume = 12;
    const bool written = WriteSettingsFile(SettingsFileName, 70);
    settings = tsettings{};
    ApplySettingsFile();
    const int32_t music = settings.MusicVolume;
    WriteBytes("home/setup.xml", "broken");
    ApplySettingsFile();
    files::SetHomeFolder("");
    EXPECT_TRUE(written);
    EXPECT_EQ(music, 12);
    EXPECT_FALSE(FileExists("setup.xml"));      // the game folder is not touched
    EXPECT_FALSE(FileExists("home/setup.xml")); // the corrupted one was deleted there
    EXPECT_EQ(messages, std::vector<std::string>{"setup.xml file is corrupted"});
}

TEST_F(Settings, FailedWriteKeepsTheOldFile) {
    ASSERT_TRUE(WriteSettingsFile(SettingsFileName, 70));
    settings.MusicVolume = 0;
    files::SimulateFullDiskAfter(10);
    EXPECT_FALSE(WriteSettingsFile(SettingsFileName, 70));
    files::SimulateFullDiskAfter(-1);
    EXPECT_EQ(ReadBytes("setup.xml"), DefaultLine);
}

TEST_F(Settings, DecimalCommaLocaleChangesNothing) {
    DecimalCommaLocale comma;
    if (!comma.active()) GTEST_SKIP() << "no locale with a decimal comma on this machine";
    settings.DepthSetting = -1234567;
    WriteBytes("setup.xml", SettingsFileText(settings, 70));
    settings = tsettings{};
    ASSERT_TRUE(ApplySettingsDocument("setup.xml"));
    EXPECT_EQ(settings.DepthSetting, -1234567);
    settings.DepthSetting = 0;
    EXPECT_EQ(SettingsFileText(settings, 70), DefaultLine);
}

TEST_F(Settings, EveryByteInTheScreenChoicesComesBack) {
    // The mode is only ever one of the dialog's own entries (other texts are not taken),
    // so the adapter's name is where any byte can stand.
    for (const std::string& text : AwkwardTexts()) {
        settings.AdapterSetting = text;
        settings.ModeSetting = "1024x768 (window)";
        ASSERT_TRUE(WriteSettingsFile(SettingsFileName, 70));
        settings = tsettings{};
        ASSERT_TRUE(ApplySettingsDocument(SettingsFileName));
        EXPECT_EQ(settings.AdapterSetting, text);
        EXPECT_EQ(settings.ModeSetting, "1024x768 (window)");
    }
}

TEST_F(Settings, AFileLargerThanAnySettingsFileIsCorrupted) {
    // A long run of line ends joins to nothing: only the size gives it away.
    WriteBytes(SettingsFileName, MinimalFile + std::string(LargestSettingsFile, '\n'));
    EXPECT_FALSE(ApplySettingsDocument(SettingsFileName));
    WriteBytes(SettingsFileName,
               MinimalFile + std::string(LargestSettingsFile - MinimalFile.size(), '\n'));
    EXPECT_TRUE(ApplySettingsDocument(SettingsFileName));
}
