// Loading the asset order into the game window's stores from a game folder.
#include "startup/assetloading.h"

#include "platform/gpu/recording_device.h"
#include "platform/message.h"
#include "render/object3d.h"
#include "render/screenlayout.h"
#include "render/textures.h"
#include "support/fakedata.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

namespace {

class AssetLoadingTest : public ::testing::Test {
  protected:
    ScratchFolder folder;
    tservices form;
    gpu::RecordingDevice* device = nullptr;
    tassetloading loading;
    int waits = 0;

    void SetUp() override {
        Models().Clear();
        Textures().Clear();
        ShowMessage = [](std::string_view, MessageIcon) {};
        TextureFolder = TextureFolder1024;
        ASSERT_TRUE(fakedata::Write(TextureFolder1024));
        form.graphics = std::make_unique<TDGraphics>();
        auto recorder = std::make_unique<gpu::RecordingDevice>();
        device = recorder.get();
        form.graphics->UseDevice(std::move(recorder), 75);
        SetModelDevice(device, true);
        form.sprites = std::make_unique<td2dsprites>(device);
        form.sound = std::make_unique<taudiere>();
        loading.waitPicture = [this] { ++waits; };
    }
    void TearDown() override {
        form.Release();
        Models().Clear();
        Textures().Clear();
        ShowMessage = MessageToStderr;
        TextureFolder = TextureFolder1024;
    }
    bool LoadAll() { return LoadAllAssets(form, loading); }
};

TEST_F(AssetLoadingTest, EveryAssetLandsAtItsIndex) {
    ASSERT_TRUE(LoadAssetGroup(form, AssetGroup::BeforeIntro, loading));
    EXPECT_EQ(Models().Count(), 2);
    EXPECT_EQ(form.sprites->Count(), 1 + 6 + FontGlyphCount);
    EXPECT_EQ(waits, 0);
    ASSERT_TRUE(LoadAssetGroup(form, AssetGroup::Models, loading));
    ASSERT_TRUE(LoadAssetGroup(form, AssetGroup::AfterModels, loading));
    EXPECT_EQ(Models().Count(), models::FirstDecorationShadow + 7);
    EXPECT_TRUE(Models().Model(models::Hero).skinned);
    EXPECT_FALSE(Models().Model(models::Guide).skinned);
    EXPECT_TRUE(Models().Model(models::Zombie2).skinned);
    EXPECT_EQ(form.sprites->Count(), sprites::FadeTexel + 1);
    EXPECT_EQ(form.sound->EffectCount(), sfx::RockTrap + 1);
    // The loading picture before the nine marked rows; with the intro's two and the last
    // two before the menu that makes twelve.
    EXPECT_EQ(waits, 8);

    // The pictures cut from the texture sheet follow the texture folder.
    const tsprite& start = form.sprites->Sprite(sprites::StartPicture);
    EXPECT_EQ(start.left, 513);
    EXPECT_EQ(start.top, 794);
    EXPECT_EQ(start.width, 47);
    const tsprite& shop = form.sprites->Sprite(sprites::FirstShopPicture + 1);
    EXPECT_EQ(shop.left, 637);
    EXPECT_EQ(shop.top, 336);
}

TEST_F(AssetLoadingTest, TheLargeTextureFolderUsesTheLargeSheetRectangles) {
    ASSERT_TRUE(fakedata::Write(TextureFolder2048));
    TextureFolder = TextureFolder2048;
    ASSERT_TRUE(LoadAll());
    const tsprite& start = form.sprites->Sprite(sprites::StartPicture);
    EXPECT_EQ(start.left, 1027);
    EXPECT_EQ(start.top, 1589);
    EXPECT_EQ(start.width, 93);
    const tsprite& fade = form.sprites->Sprite(sprites::FadeTexel);
    EXPECT_EQ(fade.left, 1029);
    EXPECT_EQ(fade.top, 1537);
}

TEST_F(AssetLoadingTest, AFailureNamesTheLastMarkedStep) {
    // koriste5 comes after the pillar mark and before any other.
    ASSERT_TRUE(files::Delete("gfx1024\\koriste5.exp"));
    EXPECT_FALSE(LoadAll());
    EXPECT_EQ(InitializationError(loading), "Initialization error Error loading pylvas1.exp");
    EXPECT_EQ(Models().Count(), models::FirstDecoration + 4); // nothing after it loaded
}

TEST_F(AssetLoadingTest, FailuresBeforeAndBetweenMarks) {
    // The muzzle flash follows the third gun's mark.
    ASSERT_TRUE(files::Delete("gfx1024\\liekki.exp"));
    EXPECT_FALSE(LoadAll());
    EXPECT_EQ(InitializationError(loading), "Initialization error Error loading weapon3.exp");

    // Before the first mark the text stands alone.
    Models().Clear();
    tassetloading fresh;
    ASSERT_TRUE(files::Delete("gfx1024\\3dhahmobin.exp"));
    EXPECT_FALSE(LoadAssetGroup(form, AssetGroup::BeforeIntro, fresh));
    EXPECT_EQ(InitializationError(fresh), "Initialization error ");
}

TEST_F(AssetLoadingTest, MissingPicturesAndSoundsStopTheStartToo) {
    ASSERT_TRUE(files::Delete("gfx\\testfont.png"));
    EXPECT_FALSE(LoadAssetGroup(form, AssetGroup::BeforeIntro, loading));
    EXPECT_EQ(InitializationError(loading), "Initialization error ");
}

TEST_F(AssetLoadingTest, ASoundMissingAfterTheLastMarkKeepsThatMark) {
    ASSERT_TRUE(files::Delete("snd\\rock.wav"));
    EXPECT_FALSE(LoadAll());
    EXPECT_EQ(InitializationError(loading), "Initialization error Error loading pylvas1.exp");
    EXPECT_EQ(form.sound->EffectCount(), sfx::RockTrap);
}

TEST_F(AssetLoadingTest, StoresThatAreNotEmptyWouldShiftEveryIndex) {
    ASSERT_TRUE(LoadAssetGroup(form, AssetGroup::BeforeIntro, loading));
    // Loading the first group twice would put a second hero where the first floor goes.
    EXPECT_FALSE(LoadAssetGroup(form, AssetGroup::BeforeIntro, loading));
}

} // namespace
