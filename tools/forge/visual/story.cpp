// The story sheets: the intro's comic strip and the epilogue, one picture per cell of the
// shared cell table. Panels are scenes of the game's world with an inked frame; captions
// and speech bubbles are lettered with the font of the menus.
#include <algorithm>
#include <cmath>

#include "campaign/storycells.h"
#include "pictures.h"
#include "scene.h"
#include "text.h"

namespace forge {
namespace {

const Colour Ink = Rgb(25, 20, 18);
const Colour Paper = Rgb(246, 238, 215);

void InkFrame(Image& im) {
    im.frame(0, 0, im.width, im.height, std::max(2, im.width / 150), Ink);
}

// Text centred in a box, as large as fits.
void Letter(Image& im, const char* text, Colour colour, FontStyle style = FontStyle::Bold) {
    int size = im.height;
    while (size > 6 && (TextWidth(text, size, style) > im.width - im.height / 3 ||
                        size * 0.9f > im.height * 0.8f))
        --size;
    int tw = TextWidth(text, size, style);
    DrawText(im, text, (im.width - tw) / 2, (im.height + int(size * 0.7f)) / 2, size, colour,
             style);
}

Image Caption(int w, int h, const char* text) {
    Image im(w, h, Rgb(250, 226, 140));
    InkFrame(im);
    Letter(im, text, Ink, FontStyle::Serif);
    return im;
}

Image Bubble(int w, int h, const char* text) {
    Image im(w, h, {1, 1, 1, 0});
    float r = std::min(w, h) * 0.45f;
    Colour white = Rgb(255, 255, 255);
    // A rounded box: two rectangles and four corner circles, inked around.
    for (int pass = 0; pass < 2; ++pass) {
        float inset = pass == 0 ? 0.0f : 2.0f;
        Colour c = pass == 0 ? Ink : white;
        im.fillRect(r, inset, w - r, h - inset, c);
        im.fillRect(inset, r, w - inset, h - r, c);
        for (float cx : {r, w - r})
            for (float cy : {r, h - r}) im.fillCircle(cx, cy, r - inset, c);
    }
    Letter(im, text, Ink);
    return im;
}

Image Panel(int w, int h, const Sky& sky, const Shot& shot, const Stage& stage,
            const std::vector<Actor>& actors, uint32_t seed) {
    Image im = RenderScene(w, h, sky, shot, stage, actors, seed, 0.85f, false);
    InkFrame(im);
    return im;
}

// ---- skies and light for the areas the story passes through ----
Sky Dawn() {
    Sky s{Rgb(90, 120, 190), Rgb(255, 200, 150), 0.4f, true, Rgb(100, 100, 140), true, 0.8f, 0.3f,
          Rgb(255, 235, 180)};
    s.ground = Rgb(70, 100, 50);
    return s;
}
Sky Day() {
    Sky s{Rgb(70, 130, 220), Rgb(210, 230, 250), 0.4f, true, Rgb(110, 130, 160)};
    s.ground = Rgb(80, 110, 60);
    return s;
}
Sky Dusk() {
    Sky s{Rgb(40, 30, 70), Rgb(240, 120, 70), 0.42f, true, Rgb(70, 40, 60), true, 0.3f,
          0.35f,           Rgb(255, 160, 90)};
    s.ground = Rgb(60, 40, 40);
    return s;
}
Sky Gloom() {
    Sky s{Rgb(10, 8, 20), Rgb(80, 30, 30), 0.45f, true, Rgb(30, 15, 20)};
    s.ground = Rgb(30, 20, 20);
    return s;
}
Sky Hall() {
    Sky s{Rgb(25, 18, 12), Rgb(70, 50, 30), 0.5f, false};
    s.ground = Rgb(40, 30, 20);
    return s;
}
Shot Look(Vec3 eye, Vec3 target, float fov, Colour light, Colour ambient, Colour fogColour) {
    return {eye, target, fov, {-0.4f, -0.7f, 0.55f}, light, ambient, fogColour, 7, 18};
}
const Colour Sun = Rgb(255, 235, 200), Shade_ = Rgb(110, 105, 125);

Actor Hero(int pose, float c, float r, int facing, const char* gun = "") {
    return {"3dhahmobin.exp", pose, -1, 0, c, r, 0, HeroTurn(facing), 0, 1, gun};
}
Actor Monster(const char* model, int pose, float c, float r, int direction, float opacity = 1) {
    return {model, pose, -1, 0, c, r, 0, MonsterTurn(direction), 0, 1, "", opacity};
}

// A parchment map with a dotted trail to a cross, for the panel where the hero finds it.
Image MapPanel(int w, int h) {
    Image im(w, h, Rgb(120, 90, 60));
    im.fillRect(w * 0.08f, h * 0.08f, w * 0.92f, h * 0.92f, Rgb(235, 215, 170));
    float px = w * 0.2f, py = h * 0.85f;
    for (int i = 0; i < 26; ++i) {
        float t = i / 25.0f;
        float x = w * (0.2f + 0.55f * t + 0.12f * std::sin(t * 9)), y = h * (0.85f - 0.65f * t);
        if (i % 2 == 0) im.line(px, py, x, y, std::max(2.0f, w / 90.0f), Rgb(150, 40, 30));
        px = x, py = y;
    }
    im.line(px - w * 0.06f, py - w * 0.06f, px + w * 0.06f, py + w * 0.06f, w / 40.0f,
            Rgb(170, 20, 20));
    im.line(px - w * 0.06f, py + w * 0.06f, px + w * 0.06f, py - w * 0.06f, w / 40.0f,
            Rgb(170, 20, 20));
    for (int i = 0; i < 5; ++i) { // mountains and trees drawn in ink
        float x = w * (0.2f + 0.15f * i), y = h * (0.35f + 0.1f * (i % 2));
        im.fillPolygon({x - w * 0.06f, y, x, y - h * 0.08f, x + w * 0.06f, y}, Rgb(110, 90, 70));
    }
    for (int i = 0; i < 6; ++i)
        im.fillCircle(w * (0.6f + 0.05f * (i % 3)), h * (0.6f + 0.05f * (i / 3)), w * 0.025f,
                      Rgb(80, 120, 60));
    DrawText(im, "TARNHOLLOW", int(w * 0.16f), int(h * 0.16f), std::max(10, w / 14),
             Rgb(90, 50, 30), FontStyle::Serif);
    InkFrame(im);
    return im;
}

Image Emblem(int w, int h) {
    Image im(w, h, {0, 0, 0, 0});
    im.fillRect(4, 4, w - 4, h - 4, Rgb(40, 25, 15, 0.85f));
    im.frame(4, 4, w - 4, h - 4, 4, Rgb(220, 170, 60));
    Image inner(w - 24, h - 24, {0, 0, 0, 0});
    Letter(inner, "TARNHOLLOW", Rgb(250, 210, 110), FontStyle::Serif);
    im.draw(inner, 12, 12);
    return im;
}

Image FinalFade(int w, int h) {
    Image im(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float dx = float(x) / w - 0.5f, dy = float(y) / h - 0.5f;
            float glow = std::max(0.0f, 0.12f - (dx * dx + dy * dy) * 0.4f);
            im.at(x, y) = {glow * 1.2f, glow * 0.8f, glow * 0.4f, 1};
        }
    return im;
}

Image PaintCell(int cell, int w, int h) {
    switch (cell) {
    case 0:
        return Panel(
            w, h, Dawn(),
            Look({7, 2.6f, -2.5f}, {8, 0.8f, 6}, 45, Sun, Shade_, Rgb(255, 200, 150, 0.7f)),
            {{"k..%%%..,,..P...", "...%.%..,,......", "..q.....,,...b..", "........,,......",
              "..%%%...,,..k...", "..%v%..,,,......", "......,,........", "..k...,,....f..."},
             0,
             1,
             0,
             1},
            {Hero(1, 7.2f, 1.6f, 1, "")}, 101);
    case 1:
        return Caption(w, h, "Tarnhollow, at dawn...");
    case 2:
        return Panel(w, h, Dusk(),
                     Look({2.2f, 1.6f, -0.6f}, {2.4f, 1.0f, 3}, 50, Rgb(255, 170, 110), Shade_,
                          Rgb(240, 120, 70, 0.6f)),
                     {{"..%%%..", "..B.v..", ".......", ".......", "......."}, 1, 0, 1, 0},
                     {Hero(4, 2.4f, 2.0f, 5)}, 102);
    case 3:
        return Caption(w, h, "An old map!");
    case 4:
        return Bubble(w, h, "!");
    case 5:
        return MapPanel(w, h);
    case 6:
        return Panel(
            w, h, Day(),
            Look({3, 2.2f, -1.8f}, {3, 0.8f, 5}, 50, Sun, Shade_, Rgb(210, 230, 250, 0.6f)),
            {{"..#b.b#..", "...,,,...", "..k,,,...", "...,,,.k.", "...,,,...", ".k.,,,...",
              "...,,,..."},
             0,
             1,
             3,
             2},
            {Hero(0, 3.1f, 1.5f, 1)}, 106);
    case 7:
        return Panel(
            w, h, Dusk(),
            Look({4, 2.3f, -1.5f}, {4, 0.9f, 5}, 50, Rgb(255, 170, 110), Shade_,
                 Rgb(240, 120, 70, 0.6f)),
            {{"%b.#.P.%", "..,,,,..", ".u.,,.b.", "..,,,,..", "b..,,..u", "..,,,,.."}, 8, 2, 2, 3},
            {Monster("zombie.exp", 4, 2.5f, 3.5f, 5), Monster("zombie.exp", 1, 5.2f, 3.0f, 4),
             Monster("zombie.exp", 5, 3.8f, 2.0f, 5)},
            107);
    case 8:
        return Panel(w, h, Dusk(),
                     Look({5.5f, 1.9f, -3.6f}, {5.4f, 1.1f, 1.2f}, 40, Rgb(255, 170, 110), Shade_,
                          Rgb(240, 120, 70, 0.5f)),
                     {{"%.b..P..b.%", "...........", "..,,,,,,...", "..........."}, 8, 2, 2, 3},
                     {Hero(7, 2.5f, 1.0f, 3, "weapon2.exp"),
                      Monster("zombie.exp", 4, 8.2f, 1.2f, 7),
                      {"liekki.exp", -1, -1, 0, 2.5f + 0.988f, 1.0f - 0.218f, 1.678f, -Pi}},
                     108);
    case 9:
        return Panel(w, h, Day(),
                     Look({5.0f, 2.2f, -3.2f}, {5.0f, 0.9f, 2.0f}, 42, Sun, Shade_,
                          Rgb(210, 230, 250, 0.5f)),
                     {{"..#..#..#..", "...........", ".... x ....", "...........", "..........."},
                      8,
                      12,
                      2,
                      3},
                     {{"3dhahmobin.exp", 5, -1, 0, 5.0f, 2.0f, 0.9f, HeroTurn(3), 0, 1, ""}}, 109);
    case 10:
        return Caption(w, h, "BANG!");
    case 11:
        return Caption(w, h, "Hup!");
    case 12:
        return Panel(
            w, h, Day(),
            Look({2, 2.2f, -2.4f}, {2, 0.9f, 4}, 55, Sun, Shade_, Rgb(210, 230, 250, 0.3f)),
            {{"#####", "#GKG#", "#...#", ".,,,.", ".,,,.", ".,,,."}, 10, 3, 6, 4},
            {Hero(4, 2.0f, 1.6f, 1)}, 112);
    case 13:
        return Caption(w, h, "The treasury");
    case 14:
        return Panel(w, h, Hall(),
                     Look({2.2f, 1.4f, -0.8f}, {2.0f, 1.0f, 3}, 50, Rgb(255, 220, 160), Shade_,
                          Rgb(70, 50, 30, 0.6f)),
                     {{"%%%%%", "%P.P%", ".,,,.", ".,,,.", ".,,,."}, 3, 9, 4, 6},
                     {Monster("warrior.exp", 0, 2.0f, 2.2f, 5)}, 114);
    case 15:
        return Bubble(w, h, "Halt!");
    case 16:
        return Panel(w, h, Gloom(),
                     Look({2.5f, 2.4f, -2.8f}, {2.5f, 1.0f, 3.5f}, 50, Rgb(200, 120, 100),
                          Rgb(70, 40, 60), Rgb(80, 30, 30, 0.7f)),
                     {{"% % %", ".B.u.", ".,,,.", "u,,,.", ".,,,.", ".,,,n"}, 6, 11, 7, 8},
                     {Hero(14, 2.5f, 1.0f, 1, "weapon3.exp"),
                      Monster("ghost.exp", 0, 1.5f, 3.5f, 5, 0.6f),
                      Monster("ghost.exp", 1, 3.6f, 4.2f, 6, 0.6f)},
                     116);
    case 17:
        return Caption(w, h, "Into the underworld");
    case 18:
        return Panel(w, h, Dusk(),
                     Look({2, 2.6f, -2.4f}, {2, 0.6f, 3}, 50, Rgb(255, 180, 120), Shade_,
                          Rgb(240, 120, 70, 0.5f)),
                     {{"%#%#%", "#.O.#", ".,t,.", ".,,,.", ".,,,."}, 12, 5, 9, 10},
                     {Hero(0, 2.0f, 0.6f, 1)}, 118);
    case 19:
        return Panel(
            w, h, Day(),
            Look({2, 1.8f, -1.0f}, {2, 0.5f, 3}, 50, Sun, Shade_, Rgb(210, 230, 250, 0.4f)),
            {{"#a#a#", ".....", "ccccc", ".....", "....."}, 12, 5, 9, 10},
            {Hero(2, 2.0f, 2.0f, 7),
             {"arrow.exp", -1, -1, 0, 1.0f, 3.0f, 0, MonsterTurn(5)},
             {"arrow.exp", -1, -1, 0, 3.0f, 3.6f, 0, MonsterTurn(5)}},
            119);
    case 20:
        return Caption(w, h, "Traps everywhere!");
    case 21:
        return Panel(w, h, Hall(),
                     Look({3.5f, 1.9f, -2.8f}, {3.5f, 0.9f, 2.5f}, 50, Rgb(255, 220, 160), Shade_,
                          Rgb(70, 50, 30, 0.5f)),
                     {{"%%%.%%%", "%f#.#f%", "...,...", "...,..."}, 7, 9, 11, 11},
                     {Hero(0, 3.5f, 1.0f, 1)}, 121);
    case 22:
        return Panel(w, h, Hall(),
                     Look({2, 1.1f, -1.4f}, {2, 0.35f, 1}, 40, Rgb(255, 230, 170), Shade_,
                          Rgb(70, 50, 30, 0.3f)),
                     {{"%%%%%", "%n.n%", ".GKG.", "....."}, 7, 9, 11, 11}, {}, 122);
    case 23:
        return Caption(w, h, "The crown of the kings!");
    case 24:
        return Caption(w, h, "Your journey begins...");
    case 25:
        return Panel(
            w, h, Dawn(),
            Look({1.5f, 1.7f, 0.2f}, {1.5f, 1.4f, 3}, 45, Sun, Shade_, Rgb(255, 200, 150, 0.4f)),
            {{"...", "...", "...", "..."}, 0, 1, 0, 1}, {Hero(4, 1.5f, 2.0f, 5, "weapon2.exp")},
            125);
    case 26:
        return Panel(
            w, h, Dawn(),
            Look({8, 4.5f, -3.0f}, {8, 0.5f, 9}, 50, Sun, Shade_, Rgb(255, 200, 150, 0.8f)),
            {{"%%#%%#%%#%%#%%#%", "..P..S..O..B..P.", ",,,,,,,,,,,,,,,,", "...q..k..v..u...",
              "#..............#", "..,,,,,e,,,,,,..", "#......T.......#", "..k....,.....k..",
              ".......,........", ".......,........"},
             0,
             1,
             11,
             5},
            {Hero(0, 7.5f, 1.5f, 1, "weapon2.exp")}, 126);
    case 27:
        return Panel(
            w, h, Hall(),
            Look({2.5f, 1.6f, -0.2f}, {2.5f, 1.4f, 3}, 50, Rgb(255, 230, 170), Shade_,
                 Rgb(70, 50, 30, 0.4f)),
            {{"%%%%%", "%f.f%", ".,,,.", ".,,,.", "G,,,G"}, 7, 10, 11, 6},
            {Hero(4, 2.5f, 1.8f, 5), {"treasure3.exp", -1, -1, 0, 2.5f, 1.7f, 2.0f, 0.3f, 0, 1.4f}},
            127);
    case 28:
        return Panel(
            w, h, Dusk(),
            Look({3, 2.0f, -1.5f}, {3, 0.8f, 4}, 50, Rgb(255, 170, 110), Shade_,
                 Rgb(240, 120, 70, 0.6f)),
            {{"k..,,..k", "...,,...", ".k.,,.q.", "...,,...", "...,,..."}, 0, 1, 0, 1},
            {Hero(2, 3.5f, 1.2f, 5), {"treasure1.exp", -1, -1, 0, 4.6f, 1.0f, 0, -0.5f, 0, 1.5f}},
            128);
    case 29:
        return Panel(w, h, Dusk(),
                     Look({7, 2.6f, -2.0f}, {7, 0.8f, 5}, 48, Rgb(255, 190, 130), Shade_,
                          Rgb(240, 120, 70, 0.6f)),
                     {{"%%%f%%%%%f%%%%", "%..G..T..G...%", "..f.,,,,,..f..", "..k.,,,,,..q..",
                       "....,,,,,....."},
                      0,
                      1,
                      1,
                      11},
                     {Hero(9, 7.0f, 1.5f, 5, "weapon3.exp"),
                      {"treasure3.exp", -1, -1, 0, 7.0f, 1.5f, 2.05f, 0, 0, 1.2f}},
                     129);
    case 30:
        return Caption(w, h, "Rich at last!");
    case 31:
        return Caption(w, h, "The End");
    case StoryEmblemCell:
        return Emblem(w, h);
    case StoryOverlayCell:
        return Image(w, h, {1, 1, 1, 1});
    case StoryFinalFadeCell:
        return FinalFade(w, h);
    }
    return Image(w, h, Paper);
}

} // namespace

int StorySheetCount() {
    return ::StorySheetCount;
}

Image PaintStorySheet(int sheet) {
    Image im(StorySheetWidth, StorySheetHeight, {0, 0, 0, 0});
    for (int i = 0; i < StoryCellCount; ++i) {
        const StoryCell& c = StoryCells[i];
        if (c.sheet == sheet) im.copy(PaintCell(i, c.width, c.height), c.left, c.top);
    }
    return im;
}

} // namespace forge
