// The seven 800 x 450 menu pictures: scenes of the game's world drawn from its own models.
#include "pictures.h"
#include "scene.h"

namespace forge {
namespace {

constexpr int Width = 800, Height = 450;

Image Render(const Sky& sky, const Shot& shot, const Stage& stage, const std::vector<Actor>& actors,
             uint32_t seed) {
    return RenderScene(Width, Height, sky, shot, stage, actors, seed, 0.45f, true);
}

Image MainMenu() {
    Stage stage{{
                    "kk##..,,,..####k",
                    "k#P..,,e,,..P#..",
                    "..b..,,,,,..S..k",
                    "..........,,....",
                    "#..k..,,,,...v..",
                    "#.....,,.....#..",
                    "##..G.,,..1..##.",
                    "..k...,,....k...",
                    "......,,T.......",
                    ".#....,,......#.",
                    "......,,........",
                    "....k.,,..k.....",
                },
                0,
                1,
                0,
                3};
    std::vector<Actor> actors{
        {"3dhahmobin.exp", 0, 1, 0.4f, 6.6f, 2.2f, 0, HeroTurn(1), 0, 1, "weapon2.exp"},
        {"zombie.exp", 1, 2, 0.5f, 9.0f, 8.0f, 0, MonsterTurn(5)},
        {"ghost.exp", 0, 1, 0.5f, 3.0f, 9.5f, 0, MonsterTurn(4), 0, 1, "", 0.6f},
    };
    Sky sky{
        Rgb(60, 90, 160),  Rgb(250, 190, 120), 0.34f, true, Rgb(90, 80, 110), true, 0.78f, 0.22f,
        Rgb(255, 230, 170)};
    sky.ground = Rgb(60, 95, 40);
    Shot shot{{6.8f, 3.6f, -2.8f},
              {7.2f, 0.6f, 6.0f},
              50,
              {-0.5f, -0.6f, 0.6f},
              Rgb(255, 225, 180),
              Rgb(110, 105, 130),
              Rgb(250, 190, 120, 0.8f),
              8,
              22};
    return Render(sky, shot, stage, actors, 11);
}

Image ChooseCharacter() {
    Stage stage{{
                    "%%%%%%%%%%%",
                    "%B..S.S..B%",
                    "%.........%",
                    "#..,,,,,..#",
                    "#..,,,,,..#",
                    "#..,,,,,..#",
                    "...........",
                },
                8,
                12,
                2,
                3};
    std::vector<Actor> actors{
        {"3dhahmobin.exp", 4, -1, 0, 3.6f, 2.2f, 0, HeroTurn(5) + 0.35f, 0, 1, "weapon2.exp"},
    };
    Sky sky{Rgb(30, 40, 80), Rgb(140, 110, 150), 0.5f, true, Rgb(50, 45, 70)};
    sky.ground = Rgb(40, 35, 45);
    Shot shot{{4.6f, 1.7f, -0.4f},
              {4.2f, 1.1f, 3.0f},
              48,
              {0.4f, -0.7f, 0.5f},
              Rgb(255, 200, 150),
              Rgb(90, 90, 120),
              Rgb(140, 110, 150, 0.6f),
              6,
              14};
    return Render(sky, shot, stage, actors, 21);
}

Image Shopping() {
    Stage stage{{
                    "%%%%%%%%%%%%%",
                    "%GPG.K.K.GPG%",
                    "%...........%",
                    "%.q.,,,,,.T.%",
                    "#..1,,,,,2..#",
                    "#..3,,,,,4..#",
                    "#..5,,,,,6..#",
                    "#...,,7,,...#",
                    "#...,,,,,...#",
                },
                3,
                9,
                4,
                6};
    std::vector<Actor> actors{
        {"weapon2.exp", -1, -1, 0, 5.0f, 4.6f, 0.12f, -Pi / 2 + 0.4f, Pi / 2, 2.4f},
        {"weapon1.exp", -1, -1, 0, 6.1f, 4.6f, 0.15f, -Pi / 2 + 0.4f, Pi / 2, 2.4f},
        {"weapon3.exp", -1, -1, 0, 7.4f, 4.6f, 0.15f, -Pi / 2 + 0.4f, Pi / 2, 2.2f},
        {"3dhahmobin.exp", 4, -1, 0, 3.2f, 4.5f, 0, HeroTurn(3) + 0.5f},
    };
    Sky sky{Rgb(20, 15, 10), Rgb(60, 40, 30), 0.6f, false};
    sky.ground = Rgb(40, 28, 20);
    Shot shot{{6.2f, 3.2f, -0.6f},
              {6.2f, 0.8f, 5.5f},
              52,
              {0.3f, -0.8f, 0.5f},
              Rgb(255, 230, 170),
              Rgb(120, 100, 90),
              Rgb(60, 40, 30, 0.8f),
              9,
              16};
    return Render(sky, shot, stage, actors, 31);
}

Image ChooseLevel() {
    Stage stage{{
                    "################",
                    "#..,,..#e..#...#",
                    "#.##.#.#...#.P.#",
                    "#.#..#...a.#...#",
                    "#.#.##.###.#x#.#",
                    "#...,,..t..ccc.#",
                    "###.##.###.#...#",
                    "#.G..#.# ..#.1.#",
                    "#.##.#.#  .r...#",
                    "#..T.......#.t.#",
                    "#.###.###.##...#",
                    "#..k..,,.......#",
                    "################",
                },
                4,
                1,
                5,
                0};
    std::vector<Actor> actors{
        {"3dhahmobin.exp", 4, -1, 0, 6.0f, 1.0f, 0, HeroTurn(1)},
        {"zombie.exp", 0, -1, 0, 2.0f, 8.0f, 0, MonsterTurn(3)},
        {"warrior.exp", 1, -1, 0, 13.0f, 6.0f, 0, MonsterTurn(5)},
    };
    Sky sky{Rgb(70, 110, 170), Rgb(190, 210, 230), 0.2f, false};
    sky.ground = Rgb(80, 100, 60);
    Shot shot{{7.5f, 13.5f, -3.5f},
              {7.5f, 0.0f, 6.0f},
              50,
              {-0.4f, -0.8f, 0.4f},
              Rgb(255, 245, 220),
              Rgb(120, 125, 140),
              Rgb(190, 210, 230, 0.5f),
              14,
              30};
    return Render(sky, shot, stage, actors, 41);
}

Image Funeral() {
    Stage stage{{
                    "%%    %%%%   %%",
                    "%..........n.%.",
                    " .n.u.O.u.n... ",
                    " ......,...... ",
                    "  ....,,,....  ",
                    "   ...,,,...   ",
                    "   ...,,,...   ",
                    "  ....,,,....  ",
                },
                6,
                11,
                7,
                8};
    std::vector<Actor> actors{
        {"ghost.exp", 1, -1, 0, 4.0f, 5.2f, 0.2f, MonsterTurn(4), 0, 1, "", 0.55f},
        {"ghost.exp", 0, -1, 0, 10.0f, 5.8f, 0.3f, MonsterTurn(6), 0, 1, "", 0.55f},
        {"warriordead.exp", 0, -1, 0, 7.0f, 3.5f, 0.0f, 0.8f},
    };
    Sky sky{Rgb(8, 8, 25), Rgb(70, 40, 70),   0.42f, true, Rgb(25, 20, 40), true, 0.25f,
            0.2f,          Rgb(230, 230, 255)};
    sky.ground = Rgb(25, 20, 30);
    Shot shot{{7.0f, 2.6f, -1.2f},
              {7.0f, 0.8f, 5.5f},
              50,
              {0.3f, -0.6f, 0.7f},
              Rgb(150, 140, 200),
              Rgb(60, 45, 70),
              Rgb(70, 40, 70, 0.8f),
              5,
              14};
    return Render(sky, shot, stage, actors, 51);
}

Image Escape() {
    Stage stage{{
                    "##..,,,,..##",
                    "#b..,,,,..P#",
                    "##..,,,,..##",
                    " #..,,,,..# ",
                    " %..,,,,..% ",
                    " #..,,,,..# ",
                    " %..,,,,..% ",
                    " #..,,,,..# ",
                    "   .,,,,.   ",
                },
                8,
                2,
                3,
                2};
    std::vector<Actor> actors{
        {"3dhahmobin.exp", 2, 3, 0.3f, 5.6f, 1.6f, 0, HeroTurn(5) + 0.2f, 0, 1, "weapon1.exp"},
        {"zombie.exp", 0, 1, 0.4f, 4.6f, 4.6f, 0, MonsterTurn(5)},
        {"zombie.exp", 2, 3, 0.6f, 6.8f, 5.4f, 0, MonsterTurn(5) + 0.2f},
        {"warrior.exp", 4, 5, 0.5f, 5.5f, 6.8f, 0, MonsterTurn(5)},
    };
    Sky sky{Rgb(40, 20, 40), Rgb(230, 90, 50), 0.4f, true, Rgb(60, 30, 40), true, 0.5f,
            0.36f,           Rgb(255, 150, 80)};
    sky.ground = Rgb(60, 35, 35);
    Shot shot{{5.7f, 2.3f, -1.9f},
              {5.6f, 1.0f, 5.0f},
              50,
              {0.0f, -0.35f, -0.9f},
              Rgb(255, 160, 110),
              Rgb(90, 60, 80),
              Rgb(230, 90, 50, 0.7f),
              6,
              14};
    return Render(sky, shot, stage, actors, 61);
}

Image Completed() {
    Stage stage{{
                    "%%%%%%%%%%%%%",
                    "%KB.G.G.G.BK%",
                    "%...,,,,,...%",
                    "#.T.,,e,,.T.#",
                    "#...,,,,,...#",
                    "#.G.,,,,,.G.#",
                    "#...,,,,,...#",
                },
                10,
                9,
                6,
                11};
    std::vector<Actor> actors{
        {"3dhahmobin.exp", 9, -1, 0, 6.0f, 3.0f, 0, HeroTurn(5), 0, 1, "weapon3.exp"},
    };
    Sky sky{
        Rgb(80, 140, 230), Rgb(230, 240, 255), 0.45f, true, Rgb(120, 140, 170), true, 0.2f, 0.18f,
        Rgb(255, 250, 220)};
    sky.ground = Rgb(150, 130, 70);
    Shot shot{{6.0f, 2.7f, -0.5f},
              {6.0f, 0.9f, 4.0f},
              52,
              {-0.3f, -0.7f, 0.6f},
              Rgb(255, 245, 210),
              Rgb(130, 130, 150),
              Rgb(230, 240, 255, 0.5f),
              8,
              16};
    return Render(sky, shot, stage, actors, 71);
}

} // namespace

const std::vector<MenuPicture>& MenuPictures() {
    static const std::vector<MenuPicture> list{
        {"mainmenu.jpg", MainMenu},   {"choosecharacter.jpg", ChooseCharacter},
        {"shopping.jpg", Shopping},   {"chooselevel.jpg", ChooseLevel},
        {"funeral.jpg", Funeral},     {"escape.jpg", Escape},
        {"completed.jpg", Completed},
    };
    return list;
}

} // namespace forge
