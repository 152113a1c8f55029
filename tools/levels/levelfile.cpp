#include "levelfile.h"

#include "platform/files.h"
#include "template.h"

#include "engine/xmlparser.h"
#include "level/levelform.h"

#include <algorithm>
#include <vector>

namespace levelkit {

namespace {

// The game's document reader, with the byte offsets it reads each element from: the same
// walk as ParseDocument, so a value is found here exactly where the game finds it.
struct ScannedElement {
    std::string_view name;
    size_t begin = 0;     // its "<"
    size_t end = 0;       // the ">" of the end tag that closes it
    size_t textBegin = 0; // its text runs to the next "<"
    size_t textEnd = 0;
    int parent = -1;
    std::vector<int> children;
};

bool Scan(std::string_view d, std::vector<ScannedElement>& out) {
    const size_t n = d.size();
    out.assign(1, ScannedElement{});
    int current = 0;
    size_t p = 0;
    while (p + 1 < n || current != 0) {
        size_t open = d.find('<', p);
        if (open == std::string_view::npos) return false;
        size_t close = d.find('>', open + 1);
        if (close == std::string_view::npos) return false;
        if (open + 1 < n && d[open + 1] == '/') {
            if (current == 0) return false;
            out[current].end = close;
            current = out[current].parent;
            p = close;
        } else {
            size_t next = d.find('<', close + 1);
            if (next == std::string_view::npos) return false;
            ScannedElement element;
            element.name = d.substr(open + 1, close - open - 1);
            element.begin = open;
            element.textBegin = close + 1;
            element.textEnd = next;
            element.parent = current;
            out.push_back(element);
            int index = static_cast<int>(out.size()) - 1;
            out[current].children.push_back(index);
            current = index;
            p = next;
        }
    }
    return true;
}

int FindChild(const std::vector<ScannedElement>& elements, int parent, std::string_view name) {
    if (parent < 0) return -1;
    for (int child : elements[parent].children)
        if (elements[child].name == name) return child;
    return -1;
}

// A value found in the document: where its text lies and which placeholder stands for it.
struct ValueSpan {
    size_t begin, end;
    std::string placeholder;
};

// Splits the file as LoadHeaderedDocument does.
void SplitFile(std::string_view bytes, std::string& document, size_t& split,
               std::string& headerLineEnd, std::string& fileEnd) {
    size_t lineEnd = bytes.find_first_of("\r\n");
    if (lineEnd == std::string_view::npos) lineEnd = bytes.size();
    size_t rest = lineEnd;
    if (rest < bytes.size() && bytes[rest] == '\r') ++rest;
    if (rest < bytes.size() && bytes[rest] == '\n') ++rest;
    headerLineEnd = bytes.substr(lineEnd, rest - lineEnd);
    std::string_view body = bytes.substr(rest);
    fileEnd.clear();
    if (body.ends_with("\r\n"))
        fileEnd = "\r\n";
    else if (body.ends_with("\n"))
        fileEnd = "\n";
    body.remove_suffix(fileEnd.size());
    document.assign(bytes.substr(0, lineEnd));
    split = document.size();
    document += Unscramble(body);
}

// Template of document[begin, end) with the spans that lie inside replaced by placeholders.
bool MakeTemplate(std::string_view document, size_t begin, size_t end,
                  const std::vector<ValueSpan>& spans, size_t split, std::string& out,
                  std::string& error) {
    out.clear();
    size_t at = begin;
    // The line mark goes before a value that starts at it, and at a piece's end only when
    // that is the document's end (otherwise the next piece starts with it).
    auto emitLiteral = [&](size_t to, bool inclusive) {
        if (split >= at && (split < to || (inclusive && split == to))) {
            out += EscapeTemplateText(document.substr(at, split - at)) + "{/}";
            at = split;
        }
        out += EscapeTemplateText(document.substr(at, to - at));
        at = to;
    };
    auto first = std::lower_bound(spans.begin(), spans.end(), begin,
                                  [](const ValueSpan& s, size_t b) { return s.begin < b; });
    for (auto s = first; s != spans.end() && s->end <= end; ++s) {
        if (split > s->begin && split < s->end)
            return error = "the plain line ends inside the value of {" + s->placeholder + "}",
                   false;
        emitLiteral(s->begin, true);
        out += "{" + s->placeholder + "}";
        at = s->end;
    }
    emitLiteral(end, end == document.size());
    return true;
}

} // namespace

bool Decompile(std::string_view bytes, LevelSource& level, std::string& error) {
    std::string document, headerLineEnd, fileEnd;
    size_t split = 0;
    SplitFile(bytes, document, split, headerLineEnd, fileEnd);
    std::vector<ScannedElement> e;
    if (!Scan(document, e)) return error = "the document does not parse", false;

    int lv = FindChild(e, 0, "Lv");
    if (lv < 0) return error = "missing element <Lv>", false;
    std::vector<ValueSpan> spans;
    for (int k = 0; k < HeaderKeyCount; ++k) {
        int at = lv;
        std::string path = "Lv";
        for (const char* const* part = HeaderFields[k].path; *part && at >= 0; ++part) {
            path += std::string("/") + *part;
            at = FindChild(e, at, *part);
        }
        if (at < 0) return error = "missing element " + path, false;
        level.header[k] = document.substr(e[at].textBegin, e[at].textEnd - e[at].textBegin);
        spans.push_back({e[at].textBegin, e[at].textEnd, HeaderFields[k].placeholder});
    }
    int da = FindChild(e, lv, "Da");
    if (da < 0) return error = "missing element Lv/Da", false;
    if (e[da].children.size() < CellCount)
        return error = "the map has " + std::to_string(e[da].children.size()) + " cells, not 2500",
               false;
    for (int k = 0; k < CellCount; ++k) {
        int cell = e[da].children[k];
        for (int key = 0; key < CellKeyCount; ++key) {
            int at = FindChild(e, cell, CellElementNames[key]);
            if (at < 0)
                return error = "map cell " + std::to_string(k) + " (column " +
                               std::to_string(k % MapSize) + ", line " +
                               std::to_string(k / MapSize) + ") lacks <" + CellElementNames[key] +
                               ">",
                       false;
            level.cells[k][key] = document.substr(e[at].textBegin, e[at].textEnd - e[at].textBegin);
            spans.push_back({e[at].textBegin, e[at].textEnd, CellElementNames[key]});
        }
    }
    std::sort(spans.begin(), spans.end(),
              [](const ValueSpan& a, const ValueSpan& b) { return a.begin < b.begin; });

    Layout& layout = level.layout;
    layout.headerLineEnd = headerLineEnd;
    layout.fileEnd = fileEnd;
    const auto& cells = e[da].children;
    size_t headEnd = e[cells[0]].begin;
    if (!MakeTemplate(document, 0, headEnd, spans, split, layout.head, error)) return false;
    for (int k = 0; k < CellCount; ++k) {
        size_t begin = e[cells[k]].begin;
        size_t end = k + 1 < CellCount ? e[cells[k + 1]].begin : e[cells[k]].end + 1;
        if (!MakeTemplate(document, begin, end, spans, split, layout.cells[k], error)) return false;
    }
    size_t tailBegin = e[cells[CellCount - 1]].end + 1;
    return MakeTemplate(document, tailBegin, document.size(), spans, split, layout.tail, error);
}

bool Compile(const LevelSource& level, std::string& bytes, std::string& error) {
    auto headerValue = [&](std::string_view name) -> const std::string* {
        for (int k = 0; k < HeaderKeyCount; ++k)
            if (name == HeaderFields[k].placeholder) return &level.header[k];
        return nullptr;
    };
    for (int k = 0; k < HeaderKeyCount; ++k)
        if (level.header[k].find('<') != std::string::npos)
            return error = std::string("the value of {") + HeaderFields[k].placeholder +
                           "} holds a \"<\"",
                   false;

    std::string document;
    size_t split = std::string::npos;
    const Layout& layout = level.layout;
    if (!FillTemplate(layout.head, headerValue, document, &split, error)) return false;
    for (int k = 0; k < CellCount; ++k) {
        const auto& cell = level.cells[k];
        for (int key = 0; key < CellKeyCount; ++key)
            if (cell[key].find('<') != std::string::npos)
                return error = "the " + std::string(CellElementNames[key]) + " value of column " +
                               std::to_string(k % MapSize) + ", line " +
                               std::to_string(k / MapSize) + " holds a \"<\"",
                       false;
        auto cellValue = [&](std::string_view name) -> const std::string* {
            for (int key = 0; key < CellKeyCount; ++key)
                if (name == CellElementNames[key]) return &cell[key];
            return headerValue(name);
        };
        if (!FillTemplate(layout.cells[k], cellValue, document, &split, error))
            return error = "map cell " + std::to_string(k) + ": " + error, false;
    }
    if (!FillTemplate(layout.tail, headerValue, document, &split, error)) return false;
    if (split == std::string::npos) return error = "the layout does not mark the plain line", false;

    std::string_view plain = std::string_view(document).substr(0, split);
    if (plain.find_first_of("\r\n") != std::string_view::npos)
        return error = "the plain first line would hold a line break (in the name or id?)", false;
    if (layout.headerLineEnd.empty() && split != document.size())
        return error = "the layout has no line end after the plain line", false;
    bytes.assign(plain);
    bytes += layout.headerLineEnd;
    bytes += Scramble(std::string_view(document).substr(split));
    bytes += layout.fileEnd;

    // Read the result back as the game will: any value that changed the document's shape
    // shows up here rather than in a player's game.
    LevelSource check;
    std::string why;
    if (!Decompile(bytes, check, why))
        return error = "the compiled file does not read back: " + why, false;
    if (check.header != level.header || check.cells != level.cells)
        return error = "a value changes the document's structure when written", false;
    return true;
}

bool WriteLevelFile(const LevelSource& level, const std::string& path, std::string& error) {
    std::string bytes;
    if (!Compile(level, bytes, error)) return false;
    if (!files::WriteSafely(path, bytes)) return error = "cannot write " + path, false;
    return true;
}

bool ReadLevelFile(const std::string& path, LevelSource& level, std::string& error) {
    std::string bytes;
    if (!files::ReadAll(path, bytes, LargestLevelFile))
        return error = "cannot read " + path + " (or it is larger than any level)", false;
    return Decompile(bytes, level, error);
}

} // namespace levelkit
