#include "template.h"

namespace levelkit {

namespace {
int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
} // namespace

std::string EscapeTemplateText(std::string_view bytes) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        auto b = static_cast<unsigned char>(c);
        if (c == '\\' || c == '{') {
            out += '\\';
            out += c;
        } else if (b < 0x20 || b > 0x7e) {
            out += "\\x";
            out += hex[b >> 4];
            out += hex[b & 15];
        } else {
            out += c;
        }
    }
    return out;
}

bool FillTemplate(std::string_view t,
                  const std::function<const std::string*(std::string_view)>& value,
                  std::string& out, size_t* split, std::string& error) {
    for (size_t i = 0; i < t.size(); ++i) {
        char c = t[i];
        if (c == '\\') {
            if (i + 1 >= t.size()) return error = "template ends inside an escape", false;
            char next = t[++i];
            if (next == '\\' || next == '{') {
                out += next;
            } else if (next == 'x' && i + 2 < t.size() && HexValue(t[i + 1]) >= 0 &&
                       HexValue(t[i + 2]) >= 0) {
                out += static_cast<char>(HexValue(t[i + 1]) * 16 + HexValue(t[i + 2]));
                i += 2;
            } else {
                return error = "unknown escape \\" + std::string(1, next) + " in template", false;
            }
        } else if (c == '{') {
            size_t close = t.find('}', i);
            if (close == std::string_view::npos) return error = "unclosed { in template", false;
            std::string_view name = t.substr(i + 1, close - i - 1);
            if (name == "/") {
                if (split) *split = out.size();
            } else if (const std::string* text = value(name)) {
                out += *text;
            } else {
                return error = "unknown placeholder {" + std::string(name) + "} in template", false;
            }
            i = close;
        } else {
            out += c;
        }
    }
    return true;
}

} // namespace levelkit
