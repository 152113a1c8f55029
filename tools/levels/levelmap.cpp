#include "levelmap.h"

#include <algorithm>

namespace levelkit {

namespace {

constexpr Rgb PitColour{14, 14, 28};
constexpr Rgb FloorColour{196, 184, 152};
constexpr Rgb WallColour{88, 86, 96};

// Base colour of each tile kind, by E.
constexpr Rgb TileColours[TileKindCount] = {
    PitColour,       // pit
    FloorColour,     // floor
    WallColour,      // wall
    {214, 150, 140}, // spikes
    FloorColour,     // switch plate (marked on top)
    {132, 92, 58},   // wall a plate lowers
    {206, 176, 128}, // wall a plate raises (floor until then)
    {116, 104, 92},  // breakable wall
    {150, 124, 84},  // crumbling floor
    {30, 40, 90},    // closing pit
    {150, 60, 150},  // arrow trap on a plate
    {110, 70, 40},   // rock trap on a plate
    {90, 50, 30},    // timed rock trap
    {120, 40, 120},  // timed arrow trap
    {110, 116, 132}, // conveyor
    {60, 170, 200},  // teleport
    {64, 62, 70},    // pillar
    {40, 200, 70},   // exit
};

// Item colours by I: seven potions, three treasures, seven decorations.
constexpr Rgb ItemColours[17] = {
    {255, 255, 255}, {120, 200, 255}, {230, 40, 40},   {160, 160, 255}, {20, 20, 20},
    {255, 120, 200}, {120, 255, 120}, {255, 210, 0},   {255, 180, 0},   {255, 240, 90},
    {150, 150, 150}, {150, 150, 150}, {150, 150, 150}, {150, 150, 150}, {150, 150, 150},
    {150, 150, 150}, {150, 150, 150},
};

Rgb CreatureColour(int m) {
    switch (m) {
    case 0:
        return {60, 150, 40}; // zombie
    case 1:
        return {200, 30, 30}; // warrior
    case 2:
        return {235, 235, 255}; // ghost
    default:
        return {150, 60, 200}; // blob
    }
}

// A link's colour: spread over the hues so that neighbouring numbers differ.
Rgb LinkColour(int channel) {
    static constexpr Rgb palette[] = {{255, 230, 0},   {0, 220, 255}, {255, 90, 200},
                                      {140, 255, 60},  {255, 140, 0}, {170, 120, 255},
                                      {255, 255, 255}, {0, 255, 170}};
    return palette[static_cast<unsigned>(channel) % 8];
}

Rgb Darker(Rgb c) {
    return {uint8_t(c.r * 3 / 4), uint8_t(c.g * 3 / 4), uint8_t(c.b * 3 / 4)};
}

// Floors and walls are tinted by their design, so that each area's look shows on the map.
Rgb Tinted(Rgb c, int design) {
    static constexpr int shifts[13][3] = {
        {0, 0, 0},      {-30, 10, -20}, {10, -10, -30}, {-20, -20, 10}, {20, 0, -40},
        {30, 20, -60},  {-40, -10, 20}, {-10, 20, 20},  {20, -20, -50}, {-60, -40, -30},
        {40, -40, -40}, {-30, -30, 40}, {10, 10, 30}};
    auto clamp = [](int v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); };
    const int* d = shifts[static_cast<unsigned>(design) % 13];
    return {clamp(c.r + d[0]), clamp(c.g + d[1]), clamp(c.b + d[2])};
}

void DrawTile(Picture& p, int x, int y, int s, int tile, int design) {
    Rgb base = tile >= 0 && tile < TileKindCount ? TileColours[tile] : Rgb{200, 0, 200};
    if (tile == TFloor || tile == TWall || tile == TPlate || tile == TPillar)
        base = Tinted(base, design);
    p.Fill(x, y, s, s, base);
    int m = s / 2;
    switch (tile) {
    case TFloor:
        if (s >= 8) p.Fill(x, y, s, 1, Darker(base)), p.Fill(x, y, 1, s, Darker(base));
        break;
    case TWall:
    case TPillar:
    case TBreakable:
        if (tile == TPillar) p.Disc(x + m, y + m, s / 3, {40, 38, 44});
        if (tile == TBreakable) p.Line(x + 1, y + s - 2, x + s - 2, y + 1, {180, 170, 150});
        break;
    case TSpikes:
        for (int k = 1; k < s; k += 3) p.Line(x + k, y + s - 1, x + k + 1, y + s / 3, {120, 0, 0});
        break;
    case TPlate:
        p.Fill(x + s / 4, y + s / 4, s - s / 2, s - s / 2, {230, 200, 40});
        break;
    case TLoweredWall:
        p.Fill(x + s / 4, y + 1, s - s / 2, s - 2, {90, 60, 30});
        break;
    case TRaisedWall:
        p.Fill(x + 1, y + m, s - 2, std::max(1, s / 6), {132, 92, 58});
        break;
    case TCrumbling:
        for (int k = 1; k < s; k += 3) p.Fill(x + k, y + (k * 7) % s, 1, 1, {80, 60, 30});
        p.Line(x + 1, y + 1, x + s - 2, y + s - 2, {110, 86, 50});
        break;
    case TClosingPit:
        for (int k = 0; k < s; k += 2) p.Fill(x + k, y, 1, 1, {90, 120, 220});
        break;
    case TConveyor: {
        int d = design >= 0 && design < 4 ? design : 0;
        static constexpr int ends[4][4] = {
            {-1, 0, 1, 0}, {1, 0, -1, 0}, {0, -1, 0, 1}, {0, 1, 0, -1}};
        int r = s / 2 - 1;
        int x0 = x + m + ends[d][0] * r, y0 = y + m + ends[d][1] * r;
        int x1 = x + m + ends[d][2] * r, y1 = y + m + ends[d][3] * r;
        p.Line(x0, y0, x1, y1, {230, 230, 240});
        // Arrow head: two short strokes back from the tip.
        int bx = ends[d][0] * r / 2, by = ends[d][1] * r / 2;
        p.Line(x1, y1, x1 + bx + by, y1 + by + bx, {230, 230, 240});
        p.Line(x1, y1, x1 + bx - by, y1 + by - bx, {230, 230, 240});
        break;
    }
    case TTeleport:
        p.Fill(x, y, s, s, FloorColour), p.Ring(x + m, y + m, s / 2 - 1, {0, 120, 200});
        p.Disc(x + m, y + m, s / 4, {60, 170, 220});
        break;
    case TExit:
        p.Fill(x + 1, y + 1, s - 2, s - 2, {20, 255, 80});
        break;
    case TSwitchArrowTrap:
    case TTimedArrowTrap:
    case TSwitchRockTrap:
    case TTimedRockTrap:
        p.Disc(x + m, y + m, s / 4,
               tile == TSwitchArrowTrap || tile == TTimedArrowTrap ? Rgb{255, 180, 255}
                                                                   : Rgb{230, 180, 120});
        break;
    default:
        break;
    }
}

} // namespace

Picture DrawLevel(const LevelSource& level, const CheckResult& check, int s) {
    Picture p(MapSize * s, MapSize * s, PitColour);
    auto valueAt = [&](int i, CellKey key) { return IntegerOf(level.cells[i][key]).value_or(-1); };
    for (int i = 0; i < CellCount; ++i)
        DrawTile(p, (i % MapSize) * s, (i / MapSize) * s, s, valueAt(i, KTile),
                 valueAt(i, KDesign));

    // Links: a plate to every wall and trap of its link; a teleport to its pair partner.
    auto centre = [&](int i) {
        return std::pair{(i % MapSize) * s + s / 2, (i / MapSize) * s + s / 2};
    };
    for (int i = 0; i < CellCount; ++i) {
        int tile = valueAt(i, KTile), channel = valueAt(i, KLink);
        if (tile != TPlate || channel == 0) continue;
        for (int j = 0; j < CellCount; ++j) {
            const ttiletype* type = TileTypeOf(valueAt(j, KTile));
            if (!type || !PlateDriven(*type) || valueAt(j, KLink) != channel) continue;
            auto [x0, y0] = centre(i);
            auto [x1, y1] = centre(j);
            p.Line(x0, y0, x1, y1, LinkColour(channel));
        }
    }
    for (int i = 0; i < CellCount; ++i) {
        if (valueAt(i, KTile) != TTeleport) continue;
        for (int j = i + 1; j < CellCount; ++j)
            if (valueAt(j, KTile) == TTeleport && valueAt(j, KLink) == valueAt(i, KLink)) {
                auto [x0, y0] = centre(i);
                auto [x1, y1] = centre(j);
                p.Line(x0, y0, x1, y1, {60, 200, 240});
            }
    }

    // The route: steps in orange, jumps in red, teleports not drawn as lines.
    for (size_t k = 1; k < check.route.size(); ++k) {
        const RouteStep& a = check.route[k - 1];
        const RouteStep& b = check.route[k];
        if (b.kind == MoveKind::Teleport) continue;
        Rgb colour = b.kind == MoveKind::Jump ? Rgb{255, 40, 40} : Rgb{255, 130, 0};
        p.Line(a.column * s + s / 2, a.line * s + s / 2, b.column * s + s / 2, b.line * s + s / 2,
               colour, std::max(1, s / 5));
    }

    // Items and creatures on top, so the route never hides them.
    for (int i = 0; i < CellCount; ++i) {
        auto [x, y] = centre(i);
        int item = valueAt(i, KItem), creature = valueAt(i, KCreature);
        if (item >= 7 && item <= 9) {
            int r = std::max(1, s / 4);
            for (int k = 0; k <= r; ++k)
                p.Fill(x - r + k, y - k, 2 * (r - k) + 1, 2 * k + 1, ItemColours[item]);
        } else if (item >= 0 && item <= 6) {
            p.Disc(x, y, std::max(1, s / 4), ItemColours[item]);
            p.Ring(x, y, std::max(1, s / 4), {0, 0, 0});
        } else if (item >= 10 && item <= 16) {
            p.Fill(x - s / 8, y - s / 8, std::max(1, s / 4), std::max(1, s / 4), ItemColours[item]);
        }
        if (creature == 0 || creature == 1 || creature == 2 || creature == 5) {
            p.Disc(x, y, std::max(1, s / 3), CreatureColour(creature));
            if (s >= 8) p.Ring(x, y, s / 3, {0, 0, 0});
        }
    }
    auto sx = IntegerOf(level.header[HStartX]).value_or(-1);
    auto sy = IntegerOf(level.header[HStartY]).value_or(-1);
    if (sx >= 0 && sy >= 0) {
        p.Ring(sx * s + s / 2, sy * s + s / 2, s / 2, {255, 255, 255});
        p.Ring(sx * s + s / 2, sy * s + s / 2, std::max(1, s / 2 - 1), {255, 255, 255});
    }
    return p;
}

} // namespace levelkit
