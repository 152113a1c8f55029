#include "editormodel.h"

#include "creatures/creaturetable.h"
#include "levelfile.h"
#include "levelsource.h"
#include "platform/files.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>

namespace editor {

using namespace levelkit;

namespace {

constexpr const char* CellWords[CellKeyCount] = {"tile",   "creature", "item",  "link",
                                                 "period", "phase",    "design"};

struct ToolEntry {
    std::string name;
    CellKey key;
    std::string value;
};
// Tiles in the order of their numbers, then creatures, then items: the names of the tile,
// creature and item tables.
const std::vector<ToolEntry>& ToolTable() {
    static const std::vector<ToolEntry> table = [] {
        std::vector<ToolEntry> t;
        for (const ttiletype& type : TileTypes)
            t.push_back({type.name, KTile, std::to_string(type.code)});
        for (const tcreaturekind& kind : CreatureTable())
            if (kind.filecode != NoFileCode)
                t.push_back({kind.name, KCreature, std::to_string(kind.filecode)});
        t.push_back({"no-creature", KCreature, "-1"});
        for (const titemtype& item : FileItems)
            t.push_back({item.name, KItem, std::to_string(item.code)});
        t.push_back({"no-item", KItem, "-1"});
        return t;
    }();
    return table;
}

bool Inside(int column, int line) {
    return column >= 0 && column < MapSize && line >= 0 && line < MapSize;
}

std::string CellName(int column, int line) {
    return std::to_string(column) + " " + std::to_string(line);
}

bool CheckCell(int column, int line, std::string& error) {
    if (Inside(column, line)) return true;
    error = "cell " + CellName(column, line) + " is outside the map (0..49)";
    return false;
}

// A value that would break the document or the plain first line.
bool CheckText(const std::string& value, bool plainLine, std::string& error) {
    if (value.find('<') != std::string::npos) return error = "a value cannot hold \"<\"", false;
    if (plainLine && value.find_first_of("\r\n") != std::string::npos)
        return error = "a value cannot hold a line break", false;
    return true;
}

// The header texts the game shows or names files by, within what it can use.
bool CheckHeaderText(HeaderKey key, const std::string& value, std::string& error) {
    struct Bound {
        HeaderKey key;
        const char* what;
        size_t limit;
    };
    static constexpr Bound bounds[] = {{HName, "the name", NameLimit},
                                       {HCreator, "the author", AuthorLimit},
                                       {HMusic, "the music file's name", MusicLimit}};
    if (key == HId || key == HAg) {
        if (IsLevelId(value)) return true;
        return error = "the id must be 1 to " + std::to_string(LongestLevelId) + " digits", false;
    }
    for (const Bound& bound : bounds)
        if (key == bound.key && value.size() > bound.limit)
            return error = std::string(bound.what) + " is longer than " +
                           std::to_string(bound.limit) + " characters",
                   false;
    return true;
}

void SetValue(const LevelSource& level, int index, int key, const std::string& value,
              Changes& changes) {
    const std::string& before = level.cells[index][key];
    if (before != value) changes.push_back({false, index, key, before, value});
}

void SetHeader(const LevelSource& level, HeaderKey key, const std::string& value,
               Changes& changes) {
    const std::string& before = level.header[key];
    if (before != value) changes.push_back({true, key, 0, before, value});
}

void PaintCell(const LevelSource& level, int index, const Tool& tool, Changes& changes) {
    SetValue(level, index, tool.key, tool.value, changes);
    if (tool.key == KTile) SetValue(level, index, KDesign, tool.design, changes);
}

class SetCellCommand : public Command {
  public:
    SetCellCommand(int c, int l, CellKey k, std::string v)
        : column(c), line(l), key(k), value(std::move(v)) {}
    std::optional<Changes> Plan(const LevelSource& level, std::string& error) const override {
        if (!CheckCell(column, line, error)) return {};
        if (!IntegerOf(value)) return error = "\"" + value + "\" is not a number", std::nullopt;
        Changes changes;
        SetValue(level, line * MapSize + column, key, value, changes);
        return changes;
    }
    std::string Describe() const override {
        return "set " + CellName(column, line) + " " + CellWords[key] + " " + value;
    }
    int column, line;
    CellKey key;
    std::string value;
};

class PaintCommand : public Command {
  public:
    PaintCommand(int a, int b, int c, int d, Tool t)
        : c1(std::min(a, c)), l1(std::min(b, d)), c2(std::max(a, c)), l2(std::max(b, d)),
          single(a == c && b == d), tool(std::move(t)) {}
    std::optional<Changes> Plan(const LevelSource& level, std::string& error) const override {
        if (!CheckCell(c1, l1, error) || !CheckCell(c2, l2, error)) return {};
        Changes changes;
        for (int l = l1; l <= l2; ++l)
            for (int c = c1; c <= c2; ++c) PaintCell(level, l * MapSize + c, tool, changes);
        return changes;
    }
    std::string Describe() const override {
        if (single) return "paint " + CellName(c1, l1) + " " + tool.name;
        return "fill " + CellName(c1, l1) + " " + CellName(c2, l2) + " " + tool.name;
    }
    int c1, l1, c2, l2;
    bool single;
    Tool tool;
};

class FloodCommand : public Command {
  public:
    FloodCommand(int c, int l, Tool t) : column(c), line(l), tool(std::move(t)) {}
    std::optional<Changes> Plan(const LevelSource& level, std::string& error) const override {
        if (!CheckCell(column, line, error)) return {};
        const auto& first = level.cells[line * MapSize + column];
        std::vector<char> seen(CellCount, 0);
        std::vector<int> todo{line * MapSize + column};
        seen[todo[0]] = 1;
        Changes changes;
        while (!todo.empty()) {
            int index = todo.back();
            todo.pop_back();
            PaintCell(level, index, tool, changes);
            const int c = index % MapSize, l = index / MapSize;
            const int next[4][2] = {{c + 1, l}, {c - 1, l}, {c, l + 1}, {c, l - 1}};
            for (const auto& [nc, nl] : next) {
                if (!Inside(nc, nl)) continue;
                int n = nl * MapSize + nc;
                const auto& cell = level.cells[n];
                if (seen[n] || cell[KTile] != first[KTile] || cell[KDesign] != first[KDesign])
                    continue;
                seen[n] = 1;
                todo.push_back(n);
            }
        }
        // In map order, so that the same flood always lists the same changes.
        std::sort(changes.begin(), changes.end(), [](const Change& a, const Change& b) {
            return a.index != b.index ? a.index < b.index : a.key < b.key;
        });
        return changes;
    }
    std::string Describe() const override {
        return "flood " + CellName(column, line) + " " + tool.name;
    }
    int column, line;
    Tool tool;
};

class LinkCommand : public Command {
  public:
    LinkCommand(int a, int b, int c, int d) : c1(a), l1(b), c2(c), l2(d) {}
    std::optional<Changes> Plan(const LevelSource& level, std::string& error) const override {
        if (!CheckCell(c1, l1, error) || !CheckCell(c2, l2, error)) return {};
        if (c1 == c2 && l1 == l2) return error = "a cell cannot be linked to itself", std::nullopt;
        const int a = l1 * MapSize + c1, b = l2 * MapSize + c2;
        auto linkOf = [&](int index) { return IntegerOf(level.cells[index][KLink]).value_or(0); };
        int number = linkOf(a) != 0 ? linkOf(a) : linkOf(b);
        if (number == 0) {
            std::set<int> used;
            for (int k = 0; k < CellCount; ++k) used.insert(linkOf(k));
            number = 1;
            while (used.count(number)) ++number;
        }
        Changes changes;
        SetValue(level, a, KLink, std::to_string(number), changes);
        SetValue(level, b, KLink, std::to_string(number), changes);
        return changes;
    }
    std::string Describe() const override {
        return "link " + CellName(c1, l1) + " " + CellName(c2, l2);
    }
    int c1, l1, c2, l2;
};

// Numbers of a light property: integers for colours and intensity, decimals for directions.
bool CheckNumbers(const std::string& text, const std::string& kinds, std::string& error,
                  std::vector<std::string>& out) {
    std::istringstream in(text);
    std::string word;
    while (in >> word) out.push_back(word);
    if (out.size() != kinds.size())
        return error = "needs " + std::to_string(kinds.size()) + " numbers", false;
    for (size_t i = 0; i < out.size(); ++i) {
        if (kinds[i] == 'c') {
            auto v = IntegerOf(out[i]);
            if (!v || *v < 0 || *v > 255)
                return error = "colour " + out[i] + " is not 0..255", false;
        } else if (kinds[i] == 'i') {
            if (!IntegerOf(out[i])) return error = out[i] + " is not a whole number", false;
        } else {
            std::istringstream number(out[i]);
            double d = 0;
            char rest = 0;
            if (!(number >> d) || number >> rest) return error = out[i] + " is not a number", false;
        }
    }
    return true;
}

class PropertyCommand : public Command {
  public:
    PropertyCommand(std::string n, std::string v) : name(std::move(n)), value(std::move(v)) {}
    std::optional<Changes> Plan(const LevelSource& level, std::string& error) const override {
        Changes changes;
        const bool plain = name == "name" || name == "id";
        if (!CheckText(value, plain, error)) return {};
        auto text = [&](HeaderKey key) {
            if (!CheckHeaderText(key, value, error)) return false;
            SetHeader(level, key, value, changes);
            return true;
        };
        if (name == "name") {
            if (!text(HName)) return {};
        } else if (name == "author") {
            if (!text(HCreator)) return {};
        } else if (name == "music") {
            if (!text(HMusic)) return {};
        } else if (name == "id") {
            if (!text(HId)) return {};
            SetHeader(level, HAg, value, changes);
        } else if (name == "main-light" || name == "fill-light") {
            const bool main = name == "main-light";
            std::vector<std::string> numbers;
            if (!CheckNumbers(value, main ? "cccdddi" : "ccci", error, numbers))
                return error = name + " " + error, std::nullopt;
            const HeaderKey first = main ? HMainR : HFillR;
            for (size_t i = 0; i < numbers.size(); ++i)
                SetHeader(level, static_cast<HeaderKey>(first + i), numbers[i], changes);
        } else {
            return error = "unknown property " + name, std::nullopt;
        }
        return changes;
    }
    std::string Describe() const override { return "property " + name + " " + value; }
    std::string name, value;
};

class StartCommand : public Command {
  public:
    StartCommand(int c, int l) : column(c), line(l) {}
    std::optional<Changes> Plan(const LevelSource& level, std::string& error) const override {
        if (!CheckCell(column, line, error)) return {};
        Changes changes;
        SetHeader(level, HStartX, std::to_string(column), changes);
        SetHeader(level, HStartY, std::to_string(line), changes);
        return changes;
    }
    std::string Describe() const override { return "start " + CellName(column, line); }
    int column, line;
};

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string Where(int index) {
    return "cell " + CellName(index % MapSize, index / MapSize);
}

// The next id after `id` (digits only): one more, carried.
std::string NextId(std::string id) {
    for (size_t k = id.size(); k-- > 0;) {
        if (id[k] != '9') return ++id[k], id;
        id[k] = '0';
    }
    return "1" + id;
}

} // namespace

std::string FreshId() {
    static std::string last;
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    const auto nanoseconds =
        std::chrono::duration_cast<std::chrono::nanoseconds>(now.time_since_epoch()).count() %
        1'000'000'000;
    std::tm utc{};
    gmtime_r(&t, &utc);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d%H%M%S", &utc);
    char fraction[16];
    std::snprintf(fraction, sizeof fraction, "%09lld", static_cast<long long>(nanoseconds));
    std::string id = std::string(stamp) + fraction;
    // The clock can stand still between two calls, or step back: never hand out an id twice.
    if (!last.empty() && id <= last) id = NextId(last);
    return last = id;
}

std::optional<Tool> FindTool(const std::string& name, const std::string& design) {
    for (const auto& entry : ToolTable())
        if (name == entry.name) {
            if (!IntegerOf(design)) return std::nullopt;
            return Tool{entry.name, entry.key, entry.value, entry.key == KTile ? design : "0"};
        }
    return std::nullopt;
}

std::vector<std::string> ToolNames() {
    std::vector<std::string> names;
    for (const auto& entry : ToolTable()) names.push_back(entry.name);
    return names;
}

std::vector<std::string> PropertyNames() {
    return {"name", "author", "music", "id", "main-light", "fill-light"};
}

int CellKeyOfWord(const std::string& word) {
    for (int k = 0; k < CellKeyCount; ++k)
        if (word == CellWords[k]) return k;
    return -1;
}

std::optional<std::string> CellValueOfText(CellKey key, const std::string& text) {
    if (key == KCreature || key == KItem) {
        if (text == "none") return std::string("-1");
        for (const auto& entry : ToolTable())
            if (entry.key == key && text == entry.name) return entry.value;
    }
    if (key == KTile)
        for (const auto& entry : ToolTable())
            if (entry.key == KTile && text == entry.name) return entry.value;
    if (!IntegerOf(text)) return std::nullopt;
    return text;
}

std::unique_ptr<Command> SetCellField(int column, int line, CellKey key, std::string value) {
    return std::make_unique<SetCellCommand>(column, line, key, std::move(value));
}
std::unique_ptr<Command> Paint(int column, int line, Tool tool) {
    return std::make_unique<PaintCommand>(column, line, column, line, std::move(tool));
}
std::unique_ptr<Command> FillRectangle(int c1, int l1, int c2, int l2, Tool tool) {
    return std::make_unique<PaintCommand>(c1, l1, c2, l2, std::move(tool));
}
std::unique_ptr<Command> FloodFill(int column, int line, Tool tool) {
    return std::make_unique<FloodCommand>(column, line, std::move(tool));
}
std::unique_ptr<Command> Link(int c1, int l1, int c2, int l2) {
    return std::make_unique<LinkCommand>(c1, l1, c2, l2);
}
std::unique_ptr<Command> SetProperty(std::string name, std::string value) {
    return std::make_unique<PropertyCommand>(std::move(name), std::move(value));
}
std::unique_ptr<Command> SetStart(int column, int line) {
    return std::make_unique<StartCommand>(column, line);
}

LevelSource NewLevel(const std::string& id) {
    LevelSource level;
    auto& h = level.header;
    h[HName] = "New level";
    h[HId] = h[HAg] = id.empty() ? FreshId() : id;
    h[HCreator] = "";
    h[HMusic] = "";
    h[HStartX] = "2";
    h[HStartY] = "2";
    const char* light[] = {"255", "255", "255", "0.4", "-1", "0.3",
                           "100", "120", "140", "170", "45"};
    for (int k = HMainR; k <= HFillI; ++k) h[k] = light[k - HMainR];
    for (int k = 0; k < CellCount; ++k) {
        const int c = k % MapSize, l = k / MapSize;
        const bool border = c == 0 || l == 0 || c == MapSize - 1 || l == MapSize - 1;
        level.cells[k] = {border ? "2" : "1", "-1", "-1", "0", "100", "0", "0"};
    }
    level.cells[(MapSize - 3) * MapSize + MapSize - 3][KTile] = std::to_string(TExit);
    return level;
}

std::string DefaultLevelFolder() {
    return files::HomePath("customlvl/");
}

bool LevelPathOf(const std::string& name, std::string& path, std::string& error) {
    if (name.find('/') != std::string::npos) return path = name, true;
    // The file layer reads "\\" as a folder separator, so "..\\x.dat" would leave the folder.
    if (name.empty() || name == "." || name == ".." || name.find('\\') != std::string::npos)
        return error = "\"" + name + "\" is not a file name for the user levels' folder", false;
    path = DefaultLevelFolder() + name;
    return true;
}

Model::Model() : level_(std::make_unique<LevelSource>(NewLevel())) {}

void Model::New(const std::string& id) {
    *level_ = NewLevel(id);
    path_.clear();
    modified_ = false;
    undo_.clear();
    redo_.clear();
}

bool Model::Open(const std::string& name, std::string& error) {
    std::string path;
    if (!LevelPathOf(name, path, error)) return false;
    std::error_code failed;
    const uintmax_t size = std::filesystem::file_size(files::NativePath(path), failed);
    if (!failed && size > LevelFileLimit)
        return error = path + " is larger than any level can be", false;
    auto level = std::make_unique<LevelSource>();
    if (EndsWith(path, ".dat")) {
        if (!ReadLevelFile(path, *level, error)) return false;
    } else if (EndsWith(path, ".lvl")) {
        std::string text;
        if (!files::ReadAll(path, text)) return error = "cannot read " + path, false;
        if (!ReadSource(text, *level, error)) return false;
    } else {
        return error = path + " is neither a .dat level file nor a .lvl source", false;
    }
    level_ = std::move(level);
    path_ = path;
    modified_ = false;
    undo_.clear();
    redo_.clear();
    return true;
}

bool Model::OpenRecovered(const std::string& path, std::string& error) {
    if (!Open(path, error)) return false;
    path_.clear();
    modified_ = true;
    return true;
}

bool Model::Save(const std::string& path, std::string& error, std::string* written) {
    std::string target;
    if (!LevelPathOf(path, target, error)) return false;
    // What the game would refuse to play, or could not show, is no level to save.
    tlevelform form;
    std::string why;
    if (!FormOf(*level_, form, &why))
        return error = "the game would refuse this level: " + why, false;
    for (int key = 0; key < HeaderKeyCount; ++key)
        if (!CheckHeaderText(static_cast<HeaderKey>(key), level_->header[key], error)) return false;
    if (path.find('/') == std::string::npos) {
        std::error_code ignored;
        std::filesystem::create_directories(DefaultLevelFolder(), ignored);
    }
    std::string bytes;
    if (EndsWith(target, ".dat")) {
        if (!Compile(*level_, bytes, error)) return false;
    } else if (EndsWith(target, ".lvl")) {
        bytes = WriteSource(*level_);
    } else {
        return error = target + " is neither a .dat level file nor a .lvl source", false;
    }
    if (!files::WriteSafely(target, bytes)) return error = "cannot write " + target, false;
    path_ = target;
    modified_ = false;
    if (written) *written = target;
    return true;
}

void Model::Apply(const Changes& changes, bool forward) {
    for (const auto& change : changes) {
        const std::string& text = forward ? change.after : change.before;
        if (change.header)
            level_->header[change.index] = text;
        else
            level_->cells[change.index][change.key] = text;
    }
    modified_ = true;
}

bool Model::Run(const Command& command, std::string& error, size_t* changed) {
    auto changes = command.Plan(*level_, error);
    if (!changes) return false;
    if (changed) *changed = changes->size();
    if (changes->empty()) return true;
    Apply(*changes, true);
    undo_.push_back({command.Describe(), std::move(*changes)});
    if (undo_.size() > UndoLimit) undo_.pop_front();
    redo_.clear();
    return true;
}

bool Model::Undo() {
    if (undo_.empty()) return false;
    // Backwards, so a value changed twice in one step ends at its first text.
    Step step = std::move(undo_.back());
    undo_.pop_back();
    Changes reversed(step.changes.rbegin(), step.changes.rend());
    Apply(reversed, false);
    redo_.push_back(std::move(step));
    return true;
}

bool Model::Redo() {
    if (redo_.empty()) return false;
    Step step = std::move(redo_.back());
    redo_.pop_back();
    Apply(step.changes, true);
    undo_.push_back(std::move(step));
    return true;
}

std::vector<std::string> Model::Warnings() const {
    const LevelSource& level = *level_;
    std::map<std::string, std::vector<int>> teleports, plates, driven;
    for (int k = 0; k < CellCount; ++k) {
        const std::string& link = level.cells[k][KLink];
        const ttiletype* type = TileTypeOf(TileOf(level, k));
        if (!type) continue;
        if (type->family == tfamily::Teleport) teleports[link].push_back(k);
        if (IsPlate(*type)) plates[link].push_back(k);
        if (PlateDriven(*type)) driven[link].push_back(k);
    }
    auto unlinked = [](const std::string& link) { return IntegerOf(link).value_or(0) == 0; };
    std::vector<std::string> warnings;
    for (const auto& [link, cells] : teleports) {
        if (cells.size() == 2 && !unlinked(link)) continue;
        for (int k : cells)
            warnings.push_back(Where(k) + ": teleport " +
                               (unlinked(link) ? std::string("without a link")
                                               : "of link " + link + " shared by " +
                                                     std::to_string(cells.size()) + " teleports"));
    }
    for (const auto& [link, cells] : plates)
        if (unlinked(link) || !driven.count(link))
            for (int k : cells) warnings.push_back(Where(k) + ": plate drives nothing");
    for (const auto& [link, cells] : driven)
        if (unlinked(link) || !plates.count(link))
            for (int k : cells) {
                const bool wall = PlateFlips(*TileTypeOf(TileOf(level, k)));
                warnings.push_back(Where(k) + (wall ? ": wall that no plate drives"
                                                    : ": trap that no plate fires"));
            }
    return warnings;
}

levelkit::CheckResult Model::Check() const {
    return CheckLevel(*level_);
}

bool Model::NeedsFreshId() const {
    const std::string& id = level_->header[HId];
    return id.empty() || id.find_first_not_of('0') == std::string::npos;
}

} // namespace editor
