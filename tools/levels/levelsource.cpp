#include "levelsource.h"

#include "template.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <sstream>
#include <vector>

namespace levelkit {

namespace {

std::string Canonical(int value) {
    return std::to_string(value);
}

// Names for the values a reader should not have to look up: the creatures by the words the
// campaign sources use (the creature table's names), the items by the item table's.
struct ValueName {
    CellKey key;
    std::string text;
    std::string name;
};
const std::vector<ValueName>& ValueNames() {
    static const std::vector<ValueName> names = [] {
        std::vector<ValueName> v;
        for (const auto& [code, name] : CreatureWords)
            v.push_back({KCreature, Canonical(code), name});
        for (const titemtype& item : FileItems)
            v.push_back({KItem, Canonical(item.code), item.name});
        return v;
    }();
    return names;
}

// Words of the cell list and of the "defaults" line, by cell value.
constexpr const char* CellWords[CellKeyCount] = {"tile",   "creature", "item",  "link",
                                                 "period", "phase",    "design"};

// Which default design a tile type takes: its block family's (a breakable wall is drawn
// with the wall models).
enum DesignFamily { FFloor, FWall, FPillar, FOther, FamilyCount };
constexpr const char* FamilyWords[FamilyCount] = {"floor", "wall", "pillar", "other"};

DesignFamily FamilyOfTile(int tile) {
    const ttiletype* type = TileTypeOf(tile);
    switch (type ? type->family : tfamily::None) {
    case tfamily::Floor:
        return FFloor;
    case tfamily::Wall:
    case tfamily::Breakable:
        return FWall;
    case tfamily::Pillar:
        return FPillar;
    default:
        return FOther;
    }
}

struct Defaults {
    std::string cell[CellKeyCount] = {"", "-1", "-1", "0", "100", "0", ""};
    std::string design[FamilyCount] = {"0", "0", "0", "0"};
};

// The map character of a cell, and what that character alone says about E and O.
char CharOf(const std::array<std::string, CellKeyCount>& cell) {
    auto tile = IntegerOf(cell[KTile]);
    if (!tile || Canonical(*tile) != cell[KTile] || *tile < 0 || *tile >= TileKindCount)
        return OtherTileChar;
    if (*tile != TConveyor) return TileTypes[*tile].mapchar;
    for (int d = 0; d < 4; ++d)
        if (cell[KDesign] == Canonical(d)) return ConveyorChars[d];
    return OtherConveyorChar;
}

// E and the default O that a map character gives; false for an unknown character.
bool Expand(char c, const Defaults& defaults, std::string& tile, std::string& design) {
    for (int d = 0; d < 4; ++d)
        if (c == ConveyorChars[d]) return tile = "14", design = Canonical(d), true;
    if (c == OtherConveyorChar) return tile = "14", design = "0", true;
    if (c == OtherTileChar) return tile.clear(), design = defaults.design[FOther], true;
    const ttiletype* at = std::find_if(std::begin(TileTypes), std::end(TileTypes),
                                       [c](const ttiletype& type) { return type.mapchar == c; });
    if (at == std::end(TileTypes) || c == '\0') return false;
    int t = at->code;
    tile = Canonical(t);
    design = defaults.design[FamilyOfTile(t)];
    return true;
}

// Tokens are written bare when that reads back the same, else quoted with escapes.
bool NeedsQuotes(std::string_view text, bool token) {
    if (text.empty()) return token;
    if (text.front() == '"' || text.front() == ' ' || text.back() == ' ') return true;
    for (char c : text) {
        auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7f || c == '\\') return true;
        if (token && (c == ' ' || c == '=' || c == '#' || c == '"')) return true;
    }
    return false;
}

std::string Quote(std::string_view text, bool token, bool force = false) {
    if (!force && !NeedsQuotes(text, token)) return std::string(text);
    static const char hex[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (char c : text) {
        auto b = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (b < 0x20 || b == 0x7f) {
            out += "\\x";
            out += hex[b >> 4];
            out += hex[b & 15];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// A value that happens to spell a name is quoted: quoted words are never taken as names.
std::string NamedValue(CellKey key, const std::string& text) {
    bool spellsName = false;
    for (const auto& v : ValueNames()) {
        if (v.key == key && text == v.text) return v.name;
        spellsName |= v.key == key && text == v.name;
    }
    // Text that is no number is always quoted: bare, it would be refused as a typing error.
    return Quote(text, true, spellsName || !IntegerOf(text));
}

std::string ValueOfName(CellKey key, const std::string& word, bool quoted) {
    for (const auto& v : ValueNames())
        if (!quoted && v.key == key && word == v.name) return v.text;
    return word;
}

template <typename Count> std::string MostCommon(const Count& counts, std::string fallback) {
    size_t best = 0;
    for (const auto& [text, n] : counts)
        if (n > best) best = n, fallback = text;
    return fallback;
}

Defaults ChooseDefaults(const LevelSource& level) {
    Defaults d;
    for (int key : {KCreature, KItem, KLink, KPeriod, KPhase}) {
        std::map<std::string, size_t> counts;
        for (const auto& cell : level.cells)
            if (IntegerOf(cell[key])) ++counts[cell[key]]; // defaults are numbers
        d.cell[key] = MostCommon(counts, d.cell[key]);
    }
    std::map<std::string, size_t> counts[FamilyCount];
    for (const auto& cell : level.cells) {
        char c = CharOf(cell);
        if (c == OtherTileChar || c == OtherConveyorChar ||
            std::find(std::begin(ConveyorChars), std::end(ConveyorChars), c) !=
                std::end(ConveyorChars))
            continue;
        if (IntegerOf(cell[KDesign]))
            ++counts[FamilyOfTile(*IntegerOf(cell[KTile]))][cell[KDesign]];
    }
    for (int f = 0; f < FamilyCount; ++f) d.design[f] = MostCommon(counts[f], d.design[f]);
    return d;
}

const char* LineEndWord(const std::string& bytes) {
    if (bytes == "\r\n") return "CRLF";
    if (bytes == "\n") return "LF";
    if (bytes == "\r") return "CR";
    return "none";
}

bool LineEndOfWord(std::string_view word, std::string& bytes) {
    for (const char* candidate : {"\r\n", "\n", "\r", ""})
        if (word == LineEndWord(candidate)) return bytes = candidate, true;
    return false;
}

// A template line must survive editors that trim trailing blanks.
std::string TemplateLine(const std::string& tmpl) {
    if (!tmpl.empty() && tmpl.back() == ' ') return tmpl.substr(0, tmpl.size() - 1) + "\\x20";
    return tmpl;
}

} // namespace

std::string WriteSource(const LevelSource& level) {
    const auto& h = level.header;
    const Defaults d = ChooseDefaults(level);
    std::ostringstream out;
    out << "# Tarnhollow level source. Map: top line first, one character per cell.\n";
    out << "# ~ pit  . floor  # wall  * spikes  o switch plate  D wall the plate lowers\n";
    out << "# d wall the plate raises  % breakable wall  , crumbling floor  u closing pit\n";
    out << "# a/r arrow/rock trap fired by a plate  A/R timed arrow/rock trap\n";
    out << "# > < v ^ conveyor  T teleport  I pillar  X exit\n";
    out << "name: " << Quote(h[HName], false) << "\n";
    out << "id: " << Quote(h[HId], false) << "\n";
    if (h[HAg] != h[HId]) out << "ag: " << Quote(h[HAg], false) << "\n";
    out << "author: " << Quote(h[HCreator], false) << "\n";
    out << "music: " << Quote(h[HMusic], false) << "\n";
    out << "start: " << Quote(h[HStartX], true) << " " << Quote(h[HStartY], true) << "\n";
    out << "main light:";
    for (int k = HMainR; k <= HMainI; ++k) out << " " << Quote(h[k], true);
    out << "\nfill light:";
    for (int k = HFillR; k <= HFillI; ++k) out << " " << Quote(h[k], true);
    out << "\ndesigns:";
    for (int f = 0; f < FamilyCount; ++f)
        out << " " << FamilyWords[f] << "=" << Quote(d.design[f], true);
    out << "\ndefaults:";
    for (int key : {KCreature, KItem, KLink, KPeriod, KPhase})
        out << " " << CellWords[key] << "=" << NamedValue(CellKey(key), d.cell[key]);
    out << "\n\nmap\n";
    for (int line = 0; line < MapSize; ++line) {
        for (int column = 0; column < MapSize; ++column)
            out << CharOf(level.cells[line * MapSize + column]);
        out << "\n";
    }
    out << "end\n\n# column line, then every value that differs from the map and the defaults\n";
    out << "cells\n";
    for (int i = 0; i < CellCount; ++i) {
        const auto& cell = level.cells[i];
        std::string tile, design;
        Expand(CharOf(cell), d, tile, design);
        std::string listed;
        for (int key = 0; key < CellKeyCount; ++key) {
            const std::string& expected = key == KTile     ? tile
                                          : key == KDesign ? design
                                                           : d.cell[key];
            if (cell[key] != expected || (key == KTile && tile.empty()))
                listed +=
                    " " + std::string(CellWords[key]) + "=" + NamedValue(CellKey(key), cell[key]);
        }
        if (!listed.empty()) out << (i % MapSize) << " " << (i / MapSize) << listed << "\n";
    }
    out << "end\n";
    if (!(level.layout == StandardLayout())) {
        const Layout& l = level.layout;
        out << "\n# the file's own element layout, kept so that it is rebuilt byte for byte\n";
        out << "layout\n";
        out << "breaks: " << LineEndWord(l.headerLineEnd) << " " << LineEndWord(l.fileEnd) << "\n";
        out << "head: " << TemplateLine(l.head) << "\n";
        for (int k = 0; k < CellCount;) {
            int run = 1;
            while (k + run < CellCount && l.cells[k + run] == l.cells[k]) ++run;
            out << "cells " << run << ": " << TemplateLine(l.cells[k]) << "\n";
            k += run;
        }
        out << "tail: " << TemplateLine(l.tail) << "\n";
        out << "end\n";
    }
    return out.str();
}

namespace {

// Reads the source line by line; every error names its line.
class SourceReader {
  public:
    SourceReader(std::string_view text, LevelSource& level, std::string& error)
        : level_(level), error_(error) {
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find('\n', start);
            if (end == std::string_view::npos) end = text.size();
            std::string_view line = text.substr(start, end - start);
            if (line.ends_with('\r')) line.remove_suffix(1);
            lines_.push_back(line);
            start = end + 1;
        }
    }

    bool Read();

  private:
    bool Fail(size_t line, const std::string& why) {
        error_ = "line " + std::to_string(line + 1) + ": " + why;
        return false;
    }
    bool Tokens(size_t n, std::string_view text, std::vector<std::string>& tokens,
                std::vector<bool>* quoted = nullptr);
    bool Unquote(size_t n, std::string_view text, std::string& out);
    bool HeaderLine(size_t n, std::string_view key, std::string_view value);
    bool Settings(size_t n, std::string_view value, bool designs);
    bool MapSection(size_t& n);
    bool CellSection(size_t& n);
    bool LayoutSection(size_t& n);

    LevelSource& level_;
    std::string& error_;
    std::vector<std::string_view> lines_;
    Defaults defaults_;
    std::vector<std::string> map_;
    size_t mapFirst_ = 0;
    bool seen_[HeaderKeyCount] = {};
    bool agGiven_ = false;
    std::vector<std::pair<size_t, std::string_view>> cellLines_;
};

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool SourceReader::Unquote(size_t n, std::string_view q, std::string& out) {
    out.clear();
    for (size_t i = 1; i + 1 < q.size(); ++i) {
        if (q[i] != '\\') {
            out += q[i];
            continue;
        }
        if (i + 2 < q.size() && (q[i + 1] == '\\' || q[i + 1] == '"')) {
            out += q[++i];
        } else if (i + 4 < q.size() && q[i + 1] == 'x' && HexValue(q[i + 2]) >= 0 &&
                   HexValue(q[i + 3]) >= 0) {
            out += static_cast<char>(HexValue(q[i + 2]) * 16 + HexValue(q[i + 3]));
            i += 3;
        } else {
            return Fail(n, "bad escape in quoted text");
        }
    }
    return true;
}

// Splits on blanks; a token starting with a quote (or "key=" then a quote) runs to its
// closing quote.
bool SourceReader::Tokens(size_t n, std::string_view text, std::vector<std::string>& tokens,
                          std::vector<bool>* quoted) {
    tokens.clear();
    if (quoted) quoted->clear();
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ' || text[i] == '\t') {
            ++i;
            continue;
        }
        if (text[i] == '#') break;
        size_t start = i;
        std::string token;
        bool wasQuoted = false;
        while (i < text.size() && text[i] != ' ' && text[i] != '\t' && text[i] != '"') ++i;
        token.assign(text.substr(start, i - start));
        if (i < text.size() && text[i] == '"') {
            wasQuoted = true;
            size_t q = i++;
            while (i < text.size() && text[i] != '"') i += text[i] == '\\' ? 2 : 1;
            if (i >= text.size()) return Fail(n, "unclosed quote");
            std::string inner;
            if (!Unquote(n, text.substr(q, i - q + 1), inner)) return false;
            token += inner;
            ++i;
            if (i < text.size() && text[i] != ' ' && text[i] != '\t')
                return Fail(n, "a quoted value ends its word");
        }
        if (quoted) quoted->push_back(wasQuoted);
        tokens.push_back(token);
    }
    return true;
}

bool SourceReader::HeaderLine(size_t n, std::string_view key, std::string_view value) {
    auto single = [&](HeaderKey k) {
        if (value.starts_with('"')) {
            if (value.size() < 2 || !value.ends_with('"')) return Fail(n, "unclosed quote");
            if (!Unquote(n, value, level_.header[k])) return false;
        } else {
            level_.header[k] = std::string(value);
        }
        seen_[k] = true;
        return true;
    };
    auto several = [&](int first, int count, const char* what) {
        std::vector<std::string> t;
        if (!Tokens(n, value, t)) return false;
        if (static_cast<int>(t.size()) != count)
            return Fail(n, std::string(what) + " needs " + std::to_string(count) + " values");
        for (int k = 0; k < count; ++k) level_.header[first + k] = t[k], seen_[first + k] = true;
        return true;
    };
    if (key == "name") return single(HName);
    if (key == "id") return single(HId);
    if (key == "ag") return agGiven_ = true, single(HAg);
    if (key == "author") return single(HCreator);
    if (key == "music") return single(HMusic);
    if (key == "start") return several(HStartX, 2, "start (column, map line)");
    if (key == "main light") return several(HMainR, 7, "main light (R G B X Y Z I)");
    if (key == "fill light") return several(HFillR, 4, "fill light (R G B I)");
    if (key == "designs") return Settings(n, value, true);
    if (key == "defaults") return Settings(n, value, false);
    return Fail(n, "unknown setting \"" + std::string(key) + "\"");
}

bool SourceReader::Settings(size_t n, std::string_view value, bool designs) {
    std::vector<std::string> tokens;
    std::vector<bool> quoted;
    if (!Tokens(n, value, tokens, &quoted)) return false;
    for (size_t q = 0; q < tokens.size(); ++q) {
        const std::string& token = tokens[q];
        size_t eq = token.find('=');
        if (eq == std::string::npos) return Fail(n, "expected word=value, not \"" + token + "\"");
        std::string word = token.substr(0, eq), text = token.substr(eq + 1);
        bool known = false;
        std::string value;
        if (designs) {
            for (int f = 0; f < FamilyCount; ++f)
                if (word == FamilyWords[f]) value = defaults_.design[f] = text, known = true;
        } else {
            for (int key : {KCreature, KItem, KLink, KPeriod, KPhase})
                if (word == CellWords[key])
                    value = defaults_.cell[key] = ValueOfName(CellKey(key), text, quoted[q]),
                    known = true;
        }
        if (!known) return Fail(n, "unknown word \"" + word + "\"");
        // These values go into every cell of the map: text there would be copied 2500 times.
        if (!IntegerOf(value)) return Fail(n, word + "= needs a number, not \"" + text + "\"");
    }
    return true;
}

bool SourceReader::MapSection(size_t& n) {
    size_t first = mapFirst_ = n;
    for (++n; n < lines_.size() && lines_[n] != "end"; ++n) {
        std::string_view row = lines_[n];
        if (row.size() != MapSize)
            return Fail(n, "map rows have 50 characters, this one " + std::to_string(row.size()));
        map_.emplace_back(row);
    }
    if (n >= lines_.size()) return Fail(first, "map without \"end\"");
    if (map_.size() != MapSize)
        return Fail(n, "the map has " + std::to_string(map_.size()) + " rows, not 50");
    return true;
}

bool SourceReader::CellSection(size_t& n) {
    size_t first = n;
    for (++n; n < lines_.size() && lines_[n] != "end"; ++n)
        if (!Trim(lines_[n]).empty() && !Trim(lines_[n]).starts_with('#'))
            cellLines_.emplace_back(n, lines_[n]);
    if (n >= lines_.size()) return Fail(first, "cells without \"end\"");
    return true;
}

bool SourceReader::LayoutSection(size_t& n) {
    size_t first = n;
    Layout& l = level_.layout;
    int cellsGiven = 0;
    bool head = false, tail = false, breaks = false;
    for (++n; n < lines_.size() && lines_[n] != "end"; ++n) {
        std::string_view line = lines_[n];
        size_t colon = line.find(": ");
        if (colon == std::string_view::npos) return Fail(n, "expected \"part: template\"");
        std::string_view part = line.substr(0, colon), tmpl = line.substr(colon + 2);
        if (part == "breaks") {
            std::vector<std::string> t;
            if (!Tokens(n, tmpl, t)) return false;
            if (t.size() != 2 || !LineEndOfWord(t[0], l.headerLineEnd) ||
                !LineEndOfWord(t[1], l.fileEnd))
                return Fail(n, "breaks takes two of CRLF, LF, CR, none");
            breaks = true;
        } else if (part == "head") {
            l.head = tmpl, head = true;
        } else if (part == "tail") {
            l.tail = tmpl, tail = true;
        } else if (part.starts_with("cells ")) {
            auto run = IntegerOf(part.substr(6));
            if (!run || *run < 1 || *run > CellCount - cellsGiven)
                return Fail(n, "bad cell count (the runs must add up to 2500)");
            for (int k = 0; k < *run; ++k) l.cells[cellsGiven++] = tmpl;
        } else {
            return Fail(n, "unknown layout part \"" + std::string(part) + "\"");
        }
    }
    if (n >= lines_.size()) return Fail(first, "layout without \"end\"");
    if (!head || !tail || !breaks || cellsGiven != CellCount)
        return Fail(n, "the layout needs breaks, head, 2500 cells and tail");
    return true;
}

bool SourceReader::Read() {
    bool mapSeen = false;
    for (size_t n = 0; n < lines_.size(); ++n) {
        std::string_view line = Trim(lines_[n]);
        if (line.empty() || line.starts_with('#')) continue;
        if (line == "map") {
            if (mapSeen) return Fail(n, "a second map");
            if (!MapSection(n)) return false;
            mapSeen = true;
        } else if (line == "cells") {
            if (!CellSection(n)) return false;
        } else if (line == "layout") {
            if (!LayoutSection(n)) return false;
        } else {
            size_t colon = line.find(':');
            if (colon == std::string_view::npos)
                return Fail(n, "expected \"setting: value\" or a section (map, cells, layout)");
            if (!HeaderLine(n, Trim(line.substr(0, colon)), Trim(line.substr(colon + 1))))
                return false;
        }
    }
    if (!agGiven_) level_.header[HAg] = level_.header[HId], seen_[HAg] = true;
    for (int k = 0; k < HeaderKeyCount; ++k)
        if (!seen_[k])
            return error_ = std::string("the source does not give {") +
                            HeaderFields[k].placeholder +
                            "} (name, id, author, music, start, main light, fill light)",
                   false;
    if (!mapSeen) return error_ = "the source has no map", false;

    for (int i = 0; i < CellCount; ++i) {
        auto& cell = level_.cells[i];
        char c = map_[i / MapSize][i % MapSize];
        if (!Expand(c, defaults_, cell[KTile], cell[KDesign]))
            return Fail(mapFirst_ + 1 + i / MapSize, "unknown map character '" + std::string(1, c) +
                                                         "' in column " +
                                                         std::to_string(i % MapSize));
        for (int key : {KCreature, KItem, KLink, KPeriod, KPhase}) cell[key] = defaults_.cell[key];
    }
    std::vector<bool> listed(CellCount, false);
    for (auto [n, text] : cellLines_) {
        std::vector<std::string> t;
        std::vector<bool> quoted;
        if (!Tokens(n, text, t, &quoted)) return false;
        auto column = t.size() > 0 ? IntegerOf(t[0]) : std::nullopt;
        auto row = t.size() > 1 ? IntegerOf(t[1]) : std::nullopt;
        if (!column || !row || *column < 0 || *column >= MapSize || *row < 0 || *row >= MapSize)
            return Fail(n, "a cell line starts with its column and map line, 0..49 each");
        int i = *row * MapSize + *column;
        if (listed[i]) return Fail(n, "this cell is listed twice");
        listed[i] = true;
        bool tileGiven = false;
        for (size_t k = 2; k < t.size(); ++k) {
            size_t eq = t[k].find('=');
            int key = -1;
            for (int w = 0; w < CellKeyCount && eq != std::string::npos; ++w)
                if (t[k].compare(0, eq, CellWords[w]) == 0 && std::strlen(CellWords[w]) == eq)
                    key = w;
            if (key < 0)
                return Fail(n, "expected tile=, creature=, item=, link=, period=, phase= or "
                               "design=, not \"" +
                                   t[k] + "\"");
            const std::string word = t[k].substr(eq + 1);
            level_.cells[i][key] = ValueOfName(CellKey(key), word, quoted[k]);
            // Only quotes keep text that the game cannot read as a number (a foreign file's).
            if (!quoted[k] && !IntegerOf(level_.cells[i][key]))
                return Fail(n, t[k].substr(0, eq + 1) + " needs a number or a name, not \"" + word +
                                   "\" (quote text to keep it as it is)");
            tileGiven |= key == KTile;
        }
        if (tileGiven != (map_[*row][*column] == OtherTileChar))
            return Fail(n, "tile= belongs to cells marked '?' on the map, and they need it");
    }
    for (int i = 0; i < CellCount; ++i)
        if (map_[i / MapSize][i % MapSize] == OtherTileChar && !listed[i])
            return error_ = "map cell at column " + std::to_string(i % MapSize) + ", line " +
                            std::to_string(i / MapSize) + " is '?' but has no tile= in cells",
                   false;
    return true;
}

} // namespace

bool ReadSource(std::string_view text, LevelSource& level, std::string& error) {
    level = LevelSource{};
    return SourceReader(text, level, error).Read();
}

} // namespace levelkit
