#pragma once
// Texts a save file must give back exactly as the game held them: every byte value, markup
// that would close or open elements, references written literally, line ends (which the
// plain form drops between lines) and nothing at all.
#include <string>
#include <vector>

inline std::string EveryByte() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
    return bytes;
}

inline std::vector<std::string> AwkwardTexts() {
    return {EveryByte(),
            "20260101000000000000777<Q>1",
            "</Name></Player></Players>",
            "&amp;&lt;&#60;",
            "a & b &",
            "&#999; &#; &x;",
            "\r\n\r\n",
            "",
            " spaced "};
}
