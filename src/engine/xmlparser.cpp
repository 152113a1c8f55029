#include "engine/xmlparser.h"

#include "platform/clock.h"
#include "platform/files.h"

#include <charconv>
#include <cstdio>
#include <utility>

tnode::tnode(std::string name_, tnode* parent_, std::string text_)
    : name(std::move(name_)), text(std::move(text_)), parent(parent_) {}

tnode::~tnode() {
    std::vector<std::unique_ptr<tnode>> pending = std::move(children);
    while (!pending.empty()) {
        std::unique_ptr<tnode> node = std::move(pending.back());
        pending.pop_back();
        for (auto& child : node->children) pending.push_back(std::move(child));
        node->children.clear();
    }
}

tnode* tnode::AddChild(std::string childName, std::string childText) {
    children.push_back(std::make_unique<tnode>(std::move(childName), this, std::move(childText)));
    return children.back().get();
}

tnode* tnode::FindChild(std::string_view wanted, int index) const {
    if (index < 0) return nullptr;
    if (wanted.empty())
        return static_cast<size_t>(index) < children.size() ? children[index].get() : nullptr;
    for (const auto& child : children)
        if (child->name == wanted && index-- == 0) return child.get();
    return nullptr;
}

tnode& tnode::Child(std::string_view wanted, int index) const {
    tnode* child = FindChild(wanted, index);
    if (!child) throw XmlError("missing element <" + std::string(wanted) + "> in <" + name + ">");
    return *child;
}

int tnode::CountChildren(std::string_view wanted) const {
    if (wanted.empty()) return static_cast<int>(children.size());
    int count = 0;
    for (const auto& child : children) count += child->name == wanted;
    return count;
}

int32_t tnode::AsInteger() const {
    // from_chars never looks at the locale, and rejects "+5", " 5" and "5 " alike.
    int32_t value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end)
        throw XmlError("<" + name + "> holds \"" + text + "\", not a number");
    return value;
}

int32_t AsInteger(const tnode* node) {
    if (!node) throw XmlError("missing element");
    return node->AsInteger();
}

const std::string& TextOf(const tnode* node) {
    if (!node) throw XmlError("missing element");
    return node->text;
}

std::unique_ptr<tnode> ParseDocument(std::string_view d) {
    // Positions are 0-based here; the loop runs while unread text remains past the
    // current position or an element is still open.
    const size_t n = d.size();
    auto root = std::make_unique<tnode>("Root", nullptr, "");
    tnode* current = root.get();
    int depth = 0;
    size_t p = 0;
    while (p + 1 < n || current != root.get()) {
        size_t open = d.find('<', p);
        if (open == std::string_view::npos) return nullptr;
        if (open + 1 < n && d[open + 1] == '/') {
            size_t close = d.find('>', open + 1);
            if (close == std::string_view::npos || current == root.get()) return nullptr;
            current = current->parent;
            --depth;
            p = close;
        } else {
            size_t close = d.find('>', open + 1);
            if (close == std::string_view::npos) return nullptr;
            size_t next = d.find('<', close + 1);
            if (next == std::string_view::npos) return nullptr;
            // Refused as soon as it nests too deep, before a hostile file costs its size in
            // nodes.
            if (++depth > MaxDocumentDepth) return nullptr;
            current = current->AddChild(std::string(d.substr(open + 1, close - open - 1)),
                                        std::string(d.substr(close + 1, next - close - 1)));
            p = next;
        }
    }
    return root;
}

namespace {

std::string ReadFileOrThrow(std::string_view fileName, size_t largest) {
    std::string bytes;
    if (!files::ReadAll(fileName, bytes, largest))
        throw XmlError("cannot read " + std::string(fileName) + " (or it is larger than " +
                       std::to_string(largest) + " bytes)");
    return bytes;
}

// The first line, without its line end.
std::string_view FirstLine(std::string_view bytes, size_t* rest = nullptr) {
    size_t end = bytes.find_first_of("\r\n");
    if (end == std::string_view::npos) end = bytes.size();
    if (rest) {
        size_t next = end;
        if (next < bytes.size() && bytes[next] == '\r') ++next;
        if (next < bytes.size() && bytes[next] == '\n') ++next;
        *rest = next;
    }
    return bytes.substr(0, end);
}

// A scrambled line can hold CR or LF bytes of its own (a shifted byte near 255 wraps
// round to them), so it runs to the line end that closes the file, not the first one.
std::string_view LineToEndOfFile(std::string_view bytes) {
    if (bytes.ends_with("\r\n")) return bytes.substr(0, bytes.size() - 2);
    if (bytes.ends_with("\n")) return bytes.substr(0, bytes.size() - 1);
    return bytes;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

std::string Scramble(std::string_view plain) {
    std::string out(plain);
    for (size_t i = 0; i < out.size(); ++i) {
        size_t k = i + 1;
        out[i] = static_cast<char>(static_cast<unsigned char>(out[i]) + (k % 50) + 1);
    }
    return out;
}

std::string Unscramble(std::string_view scrambled) {
    std::string out(scrambled);
    for (size_t i = 0; i < out.size(); ++i) {
        size_t k = i + 1;
        out[i] = static_cast<char>(static_cast<unsigned char>(out[i]) - (k % 50) - 1);
    }
    return out;
}

std::unique_ptr<tnode> LoadPlainDocument(std::string_view fileName, size_t largest) {
    std::string bytes = ReadFileOrThrow(fileName, largest), joined;
    joined.reserve(bytes.size());
    for (char c : bytes)
        if (c != '\r' && c != '\n') joined += c;
    return ParseDocument(joined);
}

std::unique_ptr<tnode> LoadScrambledDocument(std::string_view fileName, size_t largest) {
    std::string bytes = ReadFileOrThrow(fileName, largest);
    return ParseDocument(Unscramble(LineToEndOfFile(bytes)));
}

std::unique_ptr<tnode> LoadHeaderedDocument(std::string_view fileName, size_t largest) {
    return ParseHeaderedDocument(ReadFileOrThrow(fileName, largest));
}

std::unique_ptr<tnode> ParseHeaderedDocument(std::string_view bytes) {
    size_t rest = 0;
    std::string document(FirstLine(bytes, &rest));
    document += Unscramble(LineToEndOfFile(std::string_view(bytes).substr(rest)));
    return ParseDocument(document);
}

std::unique_ptr<tnode> LoadHexDocument(std::string_view fileName, size_t largest) {
    std::string bytes = ReadFileOrThrow(fileName, largest);
    std::string_view line = FirstLine(bytes);
    std::string document;
    document.reserve(line.size() / 2);
    for (size_t i = 0; i + 1 < line.size(); i += 2) {
        int high = HexDigit(line[i]), low = HexDigit(line[i + 1]);
        if (high < 0 || low < 0) throw XmlError("bad hexadecimal pair in " + std::string(fileName));
        size_t k = document.size() + 1;
        document += static_cast<char>(high * 16 + low - static_cast<int>(k % 256));
    }
    return ParseDocument(document);
}

void SaveScrambledDocument(std::string_view fileName, std::string_view document) {
    std::string line = Scramble(document);
    line += "\r\n";
    if (!files::WriteSafely(fileName, line))
        throw XmlError("cannot write " + std::string(fileName));
}

bool TrySaveScrambledDocument(std::string_view fileName, std::string_view document) {
    try {
        SaveScrambledDocument(fileName, document);
        return true;
    } catch (const XmlError&) {
        return false;
    }
}

std::string MakeIdStamp() {
    sysclock::LocalTime t = sysclock::Now();
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%.4d%.2d%.2d%.2d%.2d%.2d%.3d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second, t.millisecond);
    return stamp;
}

std::string Decimal(int64_t value) {
    char digits[24];
    auto result = std::to_chars(digits, digits + sizeof digits, value);
    return std::string(digits, result.ptr);
}

std::string Escaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (byte < 0x20 || byte == 0x7F)
            out += "&#" + std::to_string(byte) + ";";
        else
            out += c;
    }
    return out;
}

namespace {
// The byte a reference at the start of `text` stands for, and its length; 0 for none.
size_t ReadReference(std::string_view text, char& byte) {
    constexpr std::pair<std::string_view, char> Named[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}};
    for (const auto& [reference, value] : Named)
        if (text.starts_with(reference)) return byte = value, reference.size();
    if (!text.starts_with("&#")) return 0;
    int value = 0;
    size_t at = 2;
    for (; at < text.size() && at < 5 && text[at] >= '0' && text[at] <= '9'; ++at)
        value = value * 10 + (text[at] - '0');
    if (at == 2 || at >= text.size() || text[at] != ';' || value > 255) return 0;
    byte = static_cast<char>(value);
    return at + 1;
}
} // namespace

std::string Unescaped(std::string_view text) {
    if (text.find('&') == std::string_view::npos) return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        char byte = 0;
        if (size_t length = text[i] == '&' ? ReadReference(text.substr(i), byte) : 0) {
            out += byte;
            i += length;
        } else {
            out += text[i++];
        }
    }
    return out;
}

std::string TextBetween(std::string_view text, std::string_view open, std::string_view close) {
    size_t start = text.find(open);
    if (start == std::string_view::npos) return {};
    start += open.size();
    size_t end = text.find(close, start);
    if (end == std::string_view::npos) return {};
    return std::string(text.substr(start, end - start));
}
