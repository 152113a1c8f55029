#include "render/text.h"

#include <gtest/gtest.h>

#include "fixtures.h"
#include "platform/gpu/recording_device.h"
#include "platform/message.h"
#include "render/font.h"
#include "render/screenlayout.h"
#include "render/textures.h"

namespace {

// Remembers where each sprite went.
struct SpriteCall {
    const gpu::Texture* texture;
    gpu::Rect src;
    float x, y, sx, sy;
    gpu::Argb colour;
};

struct SpriteDevice : gpu::RecordingDevice {
    std::vector<SpriteCall> sprites;
    int passes = 0;
    void BeginSprites() override {
        ++passes;
        RecordingDevice::BeginSprites();
    }
    void DrawSprite(const gpu::Texture* texture, const gpu::Rect* src, float x, float y, float sx,
                    float sy, gpu::Argb colour) override {
        sprites.push_back({texture, *src, x, y, sx, sy, colour});
        RecordingDevice::DrawSprite(texture, src, x, y, sx, sy, colour);
    }
};

int fakeMillisecond = 0;
int FakeClock() {
    return fakeMillisecond;
}

class TextTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Textures().Clear();
        Textures().SetDevice(&device);
        fixtures::WriteSolidPng(folder.File("font.png"), 256, 80, 0xffffffff);
        batch.CreateSprites(&device);
        batch.AddSprite(folder.File("font.png"), 0, 0, 1, 1); // the font need not start at 0
        first = batch.Count();
        for (const FontGlyph& g : FontGlyphs)
            batch.AddSprite(folder.File("font.png"), g.left, g.top, g.width, g.height);
        SetScreen(1600, 1200);
        SetTextClock(FakeClock);
    }
    void TearDown() override {
        ResetScreenLayout();
        SetTextClock(nullptr);
        Textures().Clear();
        Textures().SetDevice(nullptr);
    }
    static void SetScreen(int width, int height) {
        ScreenWidth = width;
        ScreenHeight = height;
        ComputeScreenLayout();
    }
    int GlyphIndex(char c) const { return first + c - ' '; }
    const gpu::Rect& GlyphRect(char c) const {
        static gpu::Rect rect;
        const tsprite& s = batch.Sprite(GlyphIndex(c));
        rect = {s.left, s.top, s.right, s.bottom};
        return rect;
    }

    fixtures::ScratchFolder folder;
    SpriteDevice device;
    td2dsprites batch;
    int first = 0;
};

void ExpectRect(const gpu::Rect& a, const gpu::Rect& b) {
    EXPECT_EQ(a.left, b.left);
    EXPECT_EQ(a.top, b.top);
    EXPECT_EQ(a.right, b.right);
    EXPECT_EQ(a.bottom, b.bottom);
}

} // namespace

TEST_F(TextTest, CharactersAdvanceByTheirOwnRoundedWidths) {
    // A advances 12 + 1, the space 5 + 1 and draws nothing: b lands at x + 19.
    DrawPlainText(batch, 100, 50, "A b", 1, false, first, 0xff0000, 128);
    ASSERT_EQ(device.sprites.size(), 2u);
    EXPECT_EQ(device.sprites[0].x, 100);
    EXPECT_EQ(device.sprites[1].x, 119);
    EXPECT_EQ(device.sprites[1].y, 50);
    ExpectRect(device.sprites[1].src, GlyphRect('b'));
    EXPECT_EQ(device.sprites[1].sx, 1.0f);
    EXPECT_EQ(device.sprites[1].colour, 0x80ff0000u);
    EXPECT_EQ(device.passes, 2); // one sprite pass per glyph
    EXPECT_EQ(TextWidth(batch, "A b", first, 1), 15 + 8 + 15);

    // Characters without a glyph are skipped without a gap, in drawing and in measuring.
    device.sprites.clear();
    DrawSpacedText(batch, 0, 0, "A~b\xe9", 1, false, first, 0, 255);
    ASSERT_EQ(device.sprites.size(), 2u);
    EXPECT_EQ(device.sprites[1].x, 15);
    EXPECT_EQ(TextWidth(batch, "A~b\xe9", first, 1), 30);
    EXPECT_EQ(TextWidth(batch, "", first, 1), 0);

    // On smaller screens the widths are rounded per character, halves to even:
    // at 800 wide the space is 2.5 -> 2 and the M 7.5 -> 8.
    SetScreen(800, 600);
    EXPECT_EQ(TextWidth(batch, " M", first, 1), (2 + 3) + (8 + 3));
    device.sprites.clear();
    DrawPlainText(batch, 10, 20, "MM", 1, false, first, 0, 255);
    ASSERT_EQ(device.sprites.size(), 2u);
    EXPECT_EQ(device.sprites[1].x, 10 + 9);
    EXPECT_FLOAT_EQ(device.sprites[1].sx, 0.5f);
    EXPECT_FLOAT_EQ(device.sprites[1].sy, 0.5f);
    // 1024 x 768, scale 2: A is 12 x 1.28 = 15.36 -> 15 wide.
    SetScreen(1024, 768);
    EXPECT_EQ(TextWidth(batch, "A", first, 2), 18);
}

TEST_F(TextTest, BlinkingCursorShowsInTheFirstHalfOfEachSecond) {
    fakeMillisecond = 499;
    DrawPlainText(batch, 0, 0, "Al", 1, true, first, 0, 255);
    ASSERT_EQ(device.sprites.size(), 3u);
    ExpectRect(device.sprites[2].src, GlyphRect('*'));
    EXPECT_EQ(device.sprites[2].x, 13 + 4);
    device.sprites.clear();
    fakeMillisecond = 500;
    DrawPlainText(batch, 0, 0, "Al", 1, true, first, 0, 255);
    EXPECT_EQ(device.sprites.size(), 2u);
    fakeMillisecond = 0;
    EXPECT_EQ(TextWidth(batch, "Al", first, 1), 15 + 6); // the cursor is never measured
}

TEST_F(TextTest, OutlineAndTitle) {
    DrawOutlinedText(batch, 40, 60, "I", 0x123456, 1, false, first, 0xabcdef, 200);
    ASSERT_EQ(device.sprites.size(), 9u);
    const int offsets[8][2] = {{-1, -1}, {-1, 1}, {1, 1},  {1, -1},
                               {-1, 0},  {1, 0},  {0, -1}, {0, 1}};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(device.sprites[size_t(i)].x, 40 + offsets[i][0]) << i;
        EXPECT_EQ(device.sprites[size_t(i)].y, 60 + offsets[i][1]) << i;
        EXPECT_EQ(device.sprites[size_t(i)].colour, 0xc8123456u) << i;
    }
    EXPECT_EQ(device.sprites[8].colour, 0xc8abcdefu);

    // The title sits at design (0, 100), twice the font size, dark orange on black.
    SetScreen(1024, 768);
    device.sprites.clear();
    DrawTitle(batch, "Hi", first);
    ASSERT_EQ(device.sprites.size(), 18u);
    const SpriteCall& h = device.sprites[16];
    EXPECT_EQ(h.x, 0);
    EXPECT_EQ(h.y, 64);
    EXPECT_FLOAT_EQ(h.sx, 2 * 1024 / 1600.0f);
    EXPECT_FLOAT_EQ(h.sy, 2 * 768 / 1200.0f);
    EXPECT_EQ(h.colour, 0xffb04000u);
    EXPECT_EQ(device.sprites[0].colour, 0xff000000u);
    EXPECT_EQ(device.sprites[17].x, 15 + 3); // H is 12 x 1.28 = 15.36 -> 15 wide
}

TEST_F(TextTest, SpritesOutsideTheBatchDrawNothing) {
    batch.DrawSprite(-1, 0, 0, 0xffffff, 255);
    batch.DrawSprite(batch.Count(), 0, 0, 0xffffff, 255);
    batch.DrawSpriteScaled(-7, 0, 0, 2, 2, 0xffffff, 255);
    EXPECT_TRUE(device.sprites.empty());
    EXPECT_EQ(device.passes, 0);
    batch.DrawSprite(0, 3, 4, 0x00ff00, 255);
    ASSERT_EQ(device.sprites.size(), 1u);
    EXPECT_EQ(device.sprites[0].x, 3);
    EXPECT_EQ(device.sprites[0].colour, 0xff00ff00u);
}

TEST_F(TextTest, ReplacedSpritesKeepTheirIndexAndGetTheirOwnPicture) {
    fixtures::WriteSolidPng(folder.File("menu.png"), 32, 16, 0xff0000ff);
    const int background = batch.AddSprite(folder.File("font.png"), 0, 0, 800, 450);
    const gpu::TexturePtr cached = batch.Sprite(background).texture;
    batch.ReplaceSprite(background, folder.File("menu.png"), 1, 2, 30, 10);
    const tsprite& replaced = batch.Sprite(background);
    EXPECT_EQ(replaced.left, 1);
    EXPECT_EQ(replaced.right, 31);
    EXPECT_EQ(replaced.bottom, 12);
    EXPECT_EQ(replaced.width, 30);
    ASSERT_NE(replaced.texture, nullptr);
    EXPECT_NE(replaced.texture, cached);
    EXPECT_EQ(replaced.texture->Width(), 32);
    // Replaced pictures bypass the cache; a second replace with the same file loads again.
    const size_t cacheSize = Textures().Entries().size();
    batch.ReplaceSprite(background, folder.File("menu.png"), 1, 2, 30, 10);
    EXPECT_EQ(Textures().Entries().size(), cacheSize);

    // A picture that cannot be loaded leaves the sprite without one and says nothing.
    int boxes = 0;
    ShowMessage = [&](auto, auto) { ++boxes; };
    batch.ReplaceSprite(background, folder.File("nothing.png"), 5, 5, 10, 10);
    EXPECT_EQ(batch.Sprite(background).texture, nullptr);
    EXPECT_EQ(batch.Sprite(background).left, 5);
    EXPECT_EQ(boxes, 0);
    batch.ReplaceSprite(batch.Count(), folder.File("menu.png"), 0, 0, 1, 1);
    batch.ReplaceSprite(-1, folder.File("menu.png"), 0, 0, 1, 1);
    EXPECT_EQ(batch.Count(), background + 1);
    ShowMessage = MessageToStderr;
}

TEST(ScreenLayout, DesignCanvasRoundsHalvesToEven) {
    ScreenWidth = 800;
    ScreenHeight = 600;
    ComputeScreenLayout();
    EXPECT_EQ(ScaleX, 0.5f);
    EXPECT_EQ(ScreenX(5), 2);
    EXPECT_EQ(ScreenX(7), 4);
    EXPECT_EQ(ScreenX(-5), -2);
    EXPECT_EQ(ScreenY(3), 2);
    EXPECT_EQ(LineHeight, 15);
    EXPECT_EQ(MenuSpacing, 22); // 22.5
    EXPECT_EQ(MenuTop, 0);
    ScreenWidth = 1024;
    ScreenHeight = 768;
    ComputeScreenLayout();
    EXPECT_EQ(LineHeight, 19);
    EXPECT_EQ(MenuSpacing, 28); // 28.5
    EXPECT_EQ(MenuTop, 84);
    EXPECT_EQ(ScreenY(100), 64);
    // Heights whose line height is exactly n.5 round to even, not by the float error of the
    // division: 2460 gives 61.5 and 2500 gives 62.5, both 62.
    for (auto [height, line] : {std::pair{2460, 62}, {2500, 62}, {620, 16}}) {
        ScreenHeight = height;
        ComputeScreenLayout();
        EXPECT_EQ(LineHeight, line) << height;
    }
    ResetScreenLayout();
    EXPECT_EQ(LineHeight, 30);
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
}

TEST(FontTable, RowsAreContiguousAndInsideThePicture) {
    static_assert(FontGlyphs.size() == 91);
    static_assert(GlyphOf('A')->left == 14 && GlyphOf('A')->width == 12);
    static_assert(GlyphOf('z')->left == 190 && GlyphOf('~') == nullptr);
    static_assert(GlyphOf('\x1f') == nullptr && GlyphOf(' ')->width == 5);
    // Within a row glyphs never overlap, so the forge can paint each into its own box.
    for (size_t i = 1; i < FontGlyphs.size(); ++i) {
        const FontGlyph& a = FontGlyphs[i - 1];
        const FontGlyph& b = FontGlyphs[i];
        if (a.top == b.top) {
            EXPECT_GT(b.left, a.left + a.width - 1) << i;
        }
        EXPECT_LE(b.left + b.width, 256) << i;
        EXPECT_LE(b.top + b.height, 80) << i;
    }
}
