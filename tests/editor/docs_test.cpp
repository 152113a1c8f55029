// The editor's README and the manual's chapter on user levels name every tool the palette
// holds, so a new tool or creature cannot go undocumented.
#include "editormodel.h"
#include "toolpalette.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <string>

namespace {

using namespace editor;

// The file with every run of blanks and line ends as one blank, as a reader sees it.
std::string ReadText(const std::string& path) {
    std::ifstream in(path);
    std::string text, word;
    while (in >> word) text += word + " ";
    return text;
}

// Whether `word` stands in `text` with no letter, digit or "-" joined to either side.
bool NamesWord(const std::string& text, const std::string& word) {
    auto joins = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '-'; };
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
        const bool before = at > 0 && joins(text[at - 1]);
        const bool after = at + word.size() < text.size() && joins(text[at + word.size()]);
        if (!before && !after) return true;
    }
    return false;
}

// "lowering-wall" as prose writes it: "lowering wall".
std::string Spoken(std::string name) {
    std::replace(name.begin(), name.end(), '-', ' ');
    return name;
}

TEST(EditorDocs, ReadmeAndManualNameEveryToolThePaletteHolds) {
    const std::string root = std::string(LEVEL_SOURCES_DIR) + "/../..";
    const std::string readme = ReadText(root + "/tools/editor/README.md");
    const std::string manual = ReadText(root + "/docs/manual/user-levels.rst");
    ASSERT_FALSE(readme.empty());
    ASSERT_FALSE(manual.empty());
    for (const std::string& mode : ModeNames()) {
        EXPECT_TRUE(NamesWord(readme, mode)) << "README lacks the tool " << mode;
        EXPECT_TRUE(NamesWord(manual, "**" + mode + "**")) << "the manual lacks the tool " << mode;
    }
    for (const std::string& name : ToolNames())
        EXPECT_TRUE(NamesWord(readme, name)) << "README lacks " << name;
    for (CellKey key : {levelkit::KTile, levelkit::KCreature})
        for (const std::string& name : ToolsOf(key)) {
            if (name.starts_with("no-")) continue;
            EXPECT_TRUE(NamesWord(manual, Spoken(name))) << "the manual lacks " << name;
        }
}

} // namespace
