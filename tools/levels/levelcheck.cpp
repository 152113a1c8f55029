#include "levelcheck.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <queue>
#include <unordered_map>

namespace levelkit {

namespace {

constexpr int Steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}}; // column, map line
constexpr int JumpReach[] = {2, 3};                             // cells from take-off
constexpr int MaxChannels = 32;
constexpr size_t MaxVariants = 6; // crumbled/closed combinations kept per cell and plates

struct SearchState {
    int cell;
    uint32_t pressed;               // bit per plate link
    std::vector<uint16_t> crumbled; // crumbling floors stepped on (pits once left), sorted
    std::vector<uint16_t> closed;   // closing pits jumped over (floor from then on), sorted
    int parent;
    MoveKind kind;
    int cost = 0; // tenths of a cell walked; jumps cost a little extra so walking wins ties
};

// Cost of a move, in tenths of a cell.
int MoveCost(MoveKind kind, int reach) {
    switch (kind) {
    case MoveKind::Walk:
        return 10;
    case MoveKind::Jump:
        return reach * 10 + 5;
    case MoveKind::Teleport:
        return 10;
    default:
        return 0;
    }
}

class Checker {
  public:
    explicit Checker(const LevelSource& level) : level_(level) {}
    CheckResult Run();

  private:
    bool Prepare(std::string& why);
    static bool Holds(const std::vector<uint16_t>& set, int cell) {
        return std::binary_search(set.begin(), set.end(), static_cast<uint16_t>(cell));
    }
    static void Add(std::vector<uint16_t>& set, int cell) {
        auto at = std::lower_bound(set.begin(), set.end(), static_cast<uint16_t>(cell));
        if (at == set.end() || *at != cell) set.insert(at, static_cast<uint16_t>(cell));
    }
    bool IsTeleport(int cell) const {
        return type_[cell] && type_[cell]->family == tfamily::Teleport;
    }
    bool Solid(const SearchState& s, int cell) const;
    bool Standable(const SearchState& s, int cell) const;
    void Arrive(SearchState& next, int cell) const;
    void Push(SearchState next);

    const LevelSource& level_;
    const ttiletype* type_[CellCount]; // nullptr for a tile type no row has
    int channel_[CellCount];
    int linkBit_[CellCount]; // bit of this cell's link among the plates' links, -1 none
    int partner_[CellCount]; // teleport target, -1 none
    std::vector<SearchState> states_;
    // States by (cell, plates pressed). A state is dropped when one already found there has
    // crumbled no more floors and closed no fewer pits: it can do everything the new one can.
    std::unordered_map<uint64_t, std::vector<int>> seen_;
    bool pruned_ = false;
    std::vector<bool> done_;
    std::priority_queue<std::pair<int, int>, std::vector<std::pair<int, int>>, std::greater<>>
        open_; // (cost, index), cheapest first
};

// Solid as the tile table says, unless a pressed plate of its link has flipped it.
bool Checker::Solid(const SearchState& s, int cell) const {
    const ttiletype* type = type_[cell];
    if (!type) return false;
    const bool flipped =
        PlateFlips(*type) && linkBit_[cell] >= 0 && (s.pressed >> linkBit_[cell] & 1);
    return type->solid != flipped;
}

bool Checker::Standable(const SearchState& s, int cell) const {
    if (Solid(s, cell)) return false;
    const ttiletype* type = type_[cell];
    if (!type) return false; // a tile type the game does not know has no block: the hero falls
    if (Crumbles(*type)) return !Holds(s.crumbled, cell) || cell == s.cell;
    if (Closes(*type)) return Holds(s.closed, cell);
    return HasFloor(*type);
}

// What the cell does to a hero who walks or lands on it.
void Checker::Arrive(SearchState& next, int cell) const {
    next.cell = cell;
    const ttiletype* type = type_[cell];
    if (!type) return;
    if (IsPlate(*type) && channel_[cell] != 0 && linkBit_[cell] >= 0)
        next.pressed |= 1u << linkBit_[cell];
    if (Crumbles(*type)) Add(next.crumbled, cell);
}

void Checker::Push(SearchState next) {
    auto& found =
        seen_[static_cast<uint64_t>(next.pressed) << 16 | static_cast<uint64_t>(next.cell)];
    for (int index : found) {
        SearchState& old = states_[index];
        bool dominates = std::includes(next.crumbled.begin(), next.crumbled.end(),
                                       old.crumbled.begin(), old.crumbled.end()) &&
                         std::includes(old.closed.begin(), old.closed.end(), next.closed.begin(),
                                       next.closed.end());
        if (!dominates) continue;
        if (!done_[index] && next.cost < old.cost && old.crumbled == next.crumbled &&
            old.closed == next.closed) {
            old = std::move(next);
            open_.push({old.cost, index});
        }
        return;
    }
    // Many incomparable ways to have crumbled floors at one place: keep the first few only.
    // That can only lose routes, never invent one.
    if (found.size() >= MaxVariants) {
        pruned_ = true;
        return;
    }
    found.push_back(static_cast<int>(states_.size()));
    open_.push({next.cost, static_cast<int>(states_.size())});
    states_.push_back(std::move(next));
    done_.push_back(false);
}

bool Checker::Prepare(std::string& why) {
    // The check reads the level as the game does: a level the game refuses is no route.
    tlevelform form;
    if (!FormOf(level_, form, &why)) {
        why = "the game refuses the level: " + why;
        return false;
    }
    std::map<int, int> bits;
    for (int i = 0; i < CellCount; ++i) {
        type_[i] = TileTypeOf(form.cells[i].tile);
        const int channel = channel_[i] = form.cells[i].link;
        if (type_[i] && IsPlate(*type_[i]) && channel != 0 && !bits.count(channel)) {
            if (static_cast<int>(bits.size()) == MaxChannels) {
                why = "more than 32 switch plate links";
                return false;
            }
            int bit = static_cast<int>(bits.size());
            bits[channel] = bit;
        }
    }
    for (int i = 0; i < CellCount; ++i) {
        auto bit = bits.find(channel_[i]);
        linkBit_[i] = channel_[i] != 0 && bit != bits.end() ? bit->second : -1;
        partner_[i] = -1;
        if (!IsTeleport(i)) continue;
        // The game scans world rows 0..49 (map lines 49..0), columns 0..49 within, and the
        // last match wins.
        for (int line = MapSize - 1; line >= 0; --line)
            for (int column = 0; column < MapSize; ++column) {
                int j = line * MapSize + column;
                if (j != i && IsTeleport(j) && channel_[j] == channel_[i]) partner_[i] = j;
            }
    }
    return true;
}

CheckResult Checker::Run() {
    CheckResult result;
    if (level_.header[HId] != level_.header[HAg]) {
        result.reason = "the game refuses the level: Id and Ag differ";
        return result;
    }
    auto sx = IntegerOf(level_.header[HStartX]), sy = IntegerOf(level_.header[HStartY]);
    if (!sx || !sy || *sx < 0 || *sx >= MapSize || *sy < 0 || *sy >= MapSize) {
        result.reason = "the start cell is not a cell of the map";
        return result;
    }
    if (!Prepare(result.reason)) return result;
    if (std::none_of(type_, type_ + CellCount,
                     [](const ttiletype* t) { return t && t->family == tfamily::Exit; })) {
        result.reason = "the level has no exit";
        return result;
    }
    SearchState start{*sy * MapSize + *sx, 0, {}, {}, -1, MoveKind::Start};
    if (!Standable(start, start.cell)) {
        result.reason = "the hero starts on a pit or inside a wall";
        return result;
    }
    Push(start);
    int found = -1;
    std::vector<bool> reached(CellCount, false);
    while (!open_.empty()) {
        if (static_cast<long>(states_.size()) > CheckStateLimit) break;
        auto [cost, at] = open_.top();
        open_.pop();
        if (done_[at] || cost != states_[at].cost) continue;
        done_[at] = true;
        const SearchState s = states_[at];
        reached[s.cell] = true;
        if (type_[s.cell] && type_[s.cell]->family == tfamily::Exit) {
            found = at;
            break;
        }
        int column = s.cell % MapSize, line = s.cell / MapSize;
        for (const auto& step : Steps) {
            int c = column + step[0], l = line + step[1];
            if (c < 0 || c >= MapSize || l < 0 || l >= MapSize) continue;
            if (Standable(s, l * MapSize + c)) {
                SearchState next{s.cell,
                                 s.pressed,
                                 s.crumbled,
                                 s.closed,
                                 at,
                                 MoveKind::Walk,
                                 s.cost + MoveCost(MoveKind::Walk, 1)};
                Arrive(next, l * MapSize + c);
                Push(std::move(next));
            }
            for (int reach : JumpReach) {
                int lc = column + step[0] * reach, ll = line + step[1] * reach;
                if (lc < 0 || lc >= MapSize || ll < 0 || ll >= MapSize) break;
                SearchState next{s.cell,
                                 s.pressed,
                                 s.crumbled,
                                 s.closed,
                                 at,
                                 MoveKind::Jump,
                                 s.cost + MoveCost(MoveKind::Jump, reach)};
                bool clear = true;
                for (int k = 1; k < reach && clear; ++k) {
                    int over = (line + step[1] * k) * MapSize + column + step[0] * k;
                    clear = !Solid(s, over);
                    if (type_[over] && Closes(*type_[over])) Add(next.closed, over);
                }
                if (!clear) break;
                int land = ll * MapSize + lc;
                if (Solid(s, land)) break;
                if (!Standable(next, land)) continue;
                Arrive(next, land);
                Push(std::move(next));
            }
        }
        if (partner_[s.cell] >= 0) {
            SearchState next{s.cell,
                             s.pressed,
                             s.crumbled,
                             s.closed,
                             at,
                             MoveKind::Teleport,
                             s.cost + MoveCost(MoveKind::Teleport, 0)};
            next.cell = partner_[s.cell];
            Push(std::move(next));
        }
    }
    result.statesSearched = static_cast<long>(states_.size());
    if (found < 0) {
        int count = static_cast<int>(std::count(reached.begin(), reached.end(), true));
        if (result.statesSearched > CheckStateLimit)
            result.reason = "the search gave up after " + std::to_string(CheckStateLimit) +
                            " states (too many crumbling floors side by side?)";
        else
            result.reason =
                "no exit can be reached; the hero can get to " + std::to_string(count) + " cells";
        return result;
    }
    result.completable = true;
    result.cells = 0;
    for (int at = found; at >= 0; at = states_[at].parent) {
        const SearchState& s = states_[at];
        result.route.push_back({s.cell % MapSize, s.cell / MapSize, s.kind});
        result.walks += s.kind == MoveKind::Walk;
        if (s.parent >= 0 && s.kind != MoveKind::Teleport)
            result.cells += std::abs(s.cell % MapSize - states_[s.parent].cell % MapSize) +
                            std::abs(s.cell / MapSize - states_[s.parent].cell / MapSize);
        result.jumps += s.kind == MoveKind::Jump;
        result.teleports += s.kind == MoveKind::Teleport;
        result.spikeCells += type_[s.cell] && HurtsUnderfoot(*type_[s.cell]);
        if (s.parent >= 0) result.platesPressed += s.pressed != states_[s.parent].pressed;
    }
    std::reverse(result.route.begin(), result.route.end());
    return result;
}

} // namespace

CheckResult CheckLevel(const LevelSource& level) {
    auto checker = std::make_unique<Checker>(level);
    return checker->Run();
}

std::string Describe(const CheckResult& r) {
    if (!r.completable) return "not completable: " + r.reason;
    return "completable: route of " + std::to_string(r.cells) + " cells, " +
           std::to_string(r.route.size() - 1) + " moves (" + std::to_string(r.walks) + " steps, " +
           std::to_string(r.jumps) + " jumps, " + std::to_string(r.teleports) + " teleports, " +
           std::to_string(r.platesPressed) + " switch plates, " + std::to_string(r.spikeCells) +
           " spike cells)";
}

} // namespace levelkit
