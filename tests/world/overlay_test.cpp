#include "world/draw/overlay.h"

#include "drawingfixture.h"

#include <sstream>

namespace {

using drawing::DrawingTest;

// One sprite as the recorder wrote it down.
struct tspritecall {
    std::string rect;
    float x = 0, y = 0, sx = 0, sy = 0;
    uint32_t colour = 0;
};

std::vector<tspritecall> SpriteCalls(const std::vector<std::string>& calls) {
    std::vector<tspritecall> found;
    for (const std::string& line : calls) {
        std::istringstream in(line);
        std::string word, texture;
        in >> word;
        if (word != "DrawSprite") continue;
        tspritecall s;
        in >> texture >> s.rect >> s.x >> s.y >> s.sx >> s.sy >> std::hex >> s.colour;
        found.push_back(s);
    }
    return found;
}

std::string RectOf(char c) {
    const FontGlyph& g = FontGlyphs[static_cast<size_t>(c - FontFirstChar)];
    return std::to_string(g.left) + "," + std::to_string(g.top) + "," +
           std::to_string(g.left + g.width) + "," + std::to_string(g.top + g.height);
}

// The rectangles of the fade texel and the start picture in the 2048 texture sheet.
const std::string FadeRect = "1029,1537,1030,1538";
const std::string StartRect = "1027,1589,1120,1627";

class OverlayTest : public DrawingTest {
  protected:
    TDInput input;

    void SetUp() override {
        DrawingTest::SetUp();
        ScreenWidth = 1600;
        ScreenHeight = 1200;
        ComputeScreenLayout();
        tplayer& p = Player();
        p.Score = 1234;
        p.Jump = 100;
        p.Lives = 3;
        p.Energy = 100;
        drawing::Script(input, "");
        input.Poll();
    }
    void TearDown() override {
        ResetScreenLayout();
        DrawingTest::TearDown();
    }
    std::vector<tspritecall> Draw(std::string_view folder = "gfx2048\\") {
        Forget();
        DrawOverlay(sprites, input, folder);
        return SpriteCalls(log->calls);
    }
    static std::vector<std::pair<std::string, int>> Texts(const std::vector<tstatuspiece>& line) {
        std::vector<std::pair<std::string, int>> texts;
        for (const tstatuspiece& piece : line) texts.emplace_back(piece.text, piece.x);
        return texts;
    }
};

TEST_F(OverlayTest, StatusLineReadsScoreJumpAndOneCaretPerLife) {
    // "LIVES " is 73 pixels wide at this size, a caret 20.
    using texts = std::vector<std::pair<std::string, int>>;
    std::vector<tstatuspiece> line = StatusLine(sprites);
    EXPECT_EQ(Texts(line), (texts{{"SCORE 1234", 100},
                                  {"JUMP ******", 700},
                                  {"LIVES ", 1000},
                                  {"^^", 1073},
                                  {"^", 1113}}));
    for (const tstatuspiece& piece : line) EXPECT_EQ(piece.alpha, 255) << piece.text;

    // The stars fade with the jump power; the last caret with the energy.
    Player().Jump = 19;
    Player().Lives = 1;
    Player().Energy = 50;
    line = StatusLine(sprites);
    EXPECT_EQ(
        Texts(line),
        (texts{{"SCORE 1234", 100}, {"JUMP *", 700}, {"LIVES ", 1000}, {"", 1073}, {"^", 1073}}));
    EXPECT_EQ(line[1].alpha, 48);
    EXPECT_EQ(line[4].alpha, 127);
    Player().Jump = 0;
    EXPECT_EQ(StatusLine(sprites)[1].alpha, 0);

    // The blow that kills leaves the energy below 0; the caret is then simply invisible.
    Player().Energy = -14;
    EXPECT_EQ(StatusLine(sprites).back().alpha, 0);

    // With a gun the ammunition joins in; the other texts keep their places.
    Player().Gun = 2;
    Player().AmmoCurrent[2] = 7;
    Player().AmmoAll[2] = 30;
    line = StatusLine(sprites);
    ASSERT_EQ(line.size(), 6u);
    EXPECT_EQ(line[1].text, "AMMO 7/37");
    EXPECT_EQ(line[1].x, 400);
    EXPECT_EQ(line[2].x, 700);
}

TEST_F(OverlayTest, DeathFadeLiesUnderTheStatusLineAndExitFadeOverEverything) {
    inlevel.overlay.IntroSlide = 0;
    inlevel.DeathFade = 10;
    inlevel.ExitFade = 5;
    std::vector<tspritecall> drawn = Draw();
    ASSERT_GT(drawn.size(), 10u);
    EXPECT_EQ(drawn.front().rect, FadeRect);
    EXPECT_EQ(drawn.front().colour, 0x28FFFFFFu); // white, alpha 10 x 4
    EXPECT_EQ(drawn.front().x, 0.0f);
    EXPECT_EQ(drawn.front().sx, 1600.0f);
    EXPECT_EQ(drawn.front().sy, 1200.0f);
    EXPECT_EQ(drawn.back().rect, FadeRect);
    EXPECT_EQ(drawn.back().colour, 0x14000000u); // black, alpha 5 x 4

    // The status line, 30 pixels up: each text eight times in black around its place, then
    // in its colour ("SCORE 1234" has nine glyphs).
    EXPECT_EQ(drawn[1].rect, RectOf('S'));
    EXPECT_EQ(drawn[1].x, 99.0f);
    EXPECT_EQ(drawn[1].y, 1169.0f);
    EXPECT_EQ(drawn[1].colour, 0xFF000000u);
    EXPECT_EQ(drawn[1 + 8 * 9].rect, RectOf('S'));
    EXPECT_EQ(drawn[1 + 8 * 9].x, 100.0f);
    EXPECT_EQ(drawn[1 + 8 * 9].y, 1170.0f);
    EXPECT_EQ(drawn[1 + 8 * 9].colour, 0xFF808000u);

    // A full fade is fully opaque, not wrapped round to clear.
    inlevel.DeathFade = 64;
    inlevel.ExitFade = 0;
    drawn = Draw();
    EXPECT_EQ(drawn.front().colour, 0xFFFFFFFFu);
    EXPECT_NE(drawn.back().rect, FadeRect);
    inlevel.DeathFade = 0;
    EXPECT_NE(Draw().front().rect, FadeRect);
}

TEST_F(OverlayTest, StartPictureSinksThenFliesOffTheTop) {
    ResetAttempt();
    EXPECT_EQ(inlevel.overlay.IntroSlide, 400.0f);
    std::vector<float> heights;
    float scale = 0;
    for (int frame = 0; frame < 100; ++frame) {
        for (const tspritecall& s : Draw()) {
            if (s.rect != StartRect) continue;
            heights.push_back(s.y);
            EXPECT_EQ(s.x, 800.0f - 68.0f);
            EXPECT_EQ(s.colour, 0xFFFFFFFFu);
            scale = s.sx;
        }
    }
    ASSERT_GT(heights.size(), 6u);
    EXPECT_EQ(std::vector<float>(heights.begin(), heights.begin() + 7),
              (std::vector<float>{404, 407, 409, 410, 410, 409, 407}));
    EXPECT_EQ(scale, 2.0f);
    EXPECT_LT(heights.size(), 100u) << "it stops being drawn once it is gone";
    EXPECT_LE(inlevel.overlay.IntroSlide, 0.0f);

    // The 1024 textures are half the size and drawn twice as large.
    ResetAttempt();
    for (const tspritecall& s : Draw("gfx1024\\"))
        if (s.rect == StartRect) {
            EXPECT_EQ(s.sx, 4.0f);
        }
}

TEST_F(OverlayTest, AuthorLineWhileF2IsHeldAndThePauseLine) {
    inlevel.overlay.IntroSlide = 0;
    inlevel.loaded.creatorname = "Ann";
    drawing::Script(input, "0: 60\n1:\n");
    input.Poll();
    const std::string author = "Level created by Ann.";
    const auto authorGlyphs = [&](const std::vector<tspritecall>& drawn) {
        int count = 0;
        for (const tspritecall& s : drawn) count += s.y == 50.0f;
        return count;
    };
    std::vector<tspritecall> drawn = Draw();
    EXPECT_EQ(authorGlyphs(drawn), 18); // every character but the three spaces
    for (const tspritecall& s : drawn)
        if (s.y == 50.0f && s.x == 10.0f) {
            EXPECT_EQ(s.rect, RectOf('L'));
        }
    input.Poll();
    EXPECT_EQ(authorGlyphs(Draw()), 0);

    Forget();
    DrawPauseLine(sprites);
    drawn = SpriteCalls(log->calls);
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.front().rect, RectOf('G'));
    EXPECT_EQ(drawn.front().x, 10.0f);
    EXPECT_EQ(drawn.front().y, 10.0f);
    EXPECT_EQ(drawn.front().colour, 0xFFFFFFFFu);
    EXPECT_EQ(drawn.size(), std::string(PauseText).size() - 6); // six spaces
}

} // namespace
