#pragma once
// JSON output for tarnhollow-tool: byte strings as JSON strings, a byte below 0x20 or
// above 0x7E as \u00XX, floats with enough digits to read back the same value.
#include <cstdint>
#include <string>
#include <string_view>

namespace json {

std::string Quote(std::string_view bytes);
std::string Number(double value);
std::string Number(float value);
inline std::string Number(int64_t value) {
    return std::to_string(value);
}
inline std::string Number(int32_t value) {
    return std::to_string(value);
}
inline std::string Bool(bool value) {
    return value ? "true" : "false";
}

} // namespace json
