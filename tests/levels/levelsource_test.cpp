#include "levelfile.h"
#include "levelsource.h"
#include "sourcemaker.h"

#include "engine/xmlparser.h"

#include <gtest/gtest.h>

using namespace levelkit;
using testlevels::Level;
using testlevels::Source;

namespace {

std::string CompileOrFail(const LevelSource& level) {
    std::string bytes, error;
    EXPECT_TRUE(Compile(level, bytes, error)) << error;
    return bytes;
}

// file -> source -> file must give the same bytes.
void ExpectRoundTrip(const std::string& bytes) {
    auto level = std::make_unique<LevelSource>();
    std::string error;
    ASSERT_TRUE(Decompile(bytes, *level, error)) << error;
    std::string text = WriteSource(*level);
    auto again = std::make_unique<LevelSource>();
    ASSERT_TRUE(ReadSource(text, *again, error)) << error << "\n" << text.substr(0, 2000);
    EXPECT_EQ(CompileOrFail(*again), bytes);
}

// A document written by some other tool: its own element names and order, extra elements,
// blanks between tags, values the game would not even convert.
std::string ForeignFile(const std::string& lineEnd, const std::string& fileEnd) {
    std::string head = "<Lv><Hd><Id>77</Id><Na>Fremde Höhle</Na>";
    std::string body = "\n <Cr> somebody </Cr><Ag>77</Ag><Extra>kept</Extra><Li><Se><I>5</I>"
                       "<R>1</R><G>2</G><B>3</B></Se><Pr><R>9</R><G>8</G><B>7</B><X>0.5</X>"
                       "<Y>-1</Y><Z>0</Z><I>90</I></Pr></Li><Mu></Mu><SY>007</SY><SX>3</SX>"
                       "</Hd><Da>";
    for (int k = 0; k < 2500; ++k) {
        std::string e = k == 3 ? "17" : k % 7 == 0 ? "0" : k == 60 ? "x" : "1";
        body += k % 2 ? "<Cell><O>4</O><E>" + e + "</E><M>-1</M><I>" + std::to_string(k % 20) +
                            "</I><C>0</C><F>0</F><X>0</X></Cell>"
                      : "<T><E>" + e + "</E><M>" + std::to_string(k % 9) + "</M><I>-1</I><C>" +
                            std::to_string(k % 3) +
                            "</C><F>100</F><X>+2</X><O>0</O><E>99</E></T>\r\n";
    }
    body += "<Ce><E>1</E></Ce></Da><Tail>ok</Tail></Lv>";
    return head + lineEnd + Scramble(body) + fileEnd;
}

} // namespace

TEST(LevelSource, ForeignFilesComeBackByteForByte) {
    ExpectRoundTrip(ForeignFile("\r\n", "\r\n"));
    ExpectRoundTrip(ForeignFile("\n", ""));
    ExpectRoundTrip(ForeignFile("\r", "\n"));
    // Our own layout with awkward values: quotes, names spelled out, blanks, a hash.
    auto level = Level(Source({"..X"}, 0, 0,
                              "1 0 item=\"treasure\" creature=\" 2\" link=\"#1\" period=\"\"\n"
                              "0 0 phase=\"a=b\" design=\"\\x01\\\\\"\n"));
    level->header[HName] = "  \"spaced\" ";
    level->header[HCreator] = "tab\there";
    ExpectRoundTrip(CompileOrFail(*level));
}

TEST(LevelSource, DecompiledValuesAreWhatTheGameReads) {
    std::string bytes = ForeignFile("\r\n", "\r\n");
    auto level = std::make_unique<LevelSource>();
    std::string error;
    ASSERT_TRUE(Decompile(bytes, *level, error)) << error;
    EXPECT_EQ(level->header[HName], "Fremde Höhle");
    EXPECT_EQ(level->header[HStartY], "007");
    EXPECT_EQ(level->header[HFillI], "5");
    EXPECT_EQ(level->header[HMainX], "0.5");
    EXPECT_EQ(level->Cell(3, 0, KTile), "17");
    EXPECT_EQ(level->Cell(10, 1, KTile), "x"); // cell 60: not a number, kept as text
    EXPECT_EQ(level->Cell(0, 0, KTile), "0");  // the first E wins when a cell has two
    EXPECT_EQ(level->Cell(1, 0, KDesign), "4");
    EXPECT_EQ(level->Cell(2, 0, KPhase), "+2");
    // The same values as the game's own reader finds.
    auto root = ParseDocument(
        bytes.substr(0, bytes.find('\r')) +
        Unscramble(bytes.substr(bytes.find('\n') + 1, bytes.size() - bytes.find('\n') - 3)));
    ASSERT_TRUE(root);
    tnode& da = root->Child("Lv").Child("Da");
    for (int k : {0, 1, 2, 3, 60, 2499})
        EXPECT_EQ(da.children[k]->Child("E").text, level->cells[k][KTile]) << k;
    // Editing a value of a foreign file changes that value only.
    level->cells[2][KItem] = "7";
    std::string edited = CompileOrFail(*level);
    auto back = std::make_unique<LevelSource>();
    ASSERT_TRUE(Decompile(edited, *back, error)) << error;
    EXPECT_EQ(back->cells[2][KItem], "7");
    back->cells[2][KItem] = level->cells[2][KItem];
    EXPECT_EQ(back->cells, level->cells);
}

TEST(LevelSource, CompiledFileHasAPlainHeaderLineAndAScrambledBody) {
    auto level = Level(Source({".X"}, 0, 0, "1 0 item=treasure\n"));
    std::string bytes = CompileOrFail(*level);
    size_t lineEnd = bytes.find("\r\n");
    ASSERT_NE(lineEnd, std::string::npos);
    std::string header = bytes.substr(0, lineEnd);
    EXPECT_EQ(TextBetween(header, "<Na>", "</"), "Test level");
    EXPECT_EQ(TextBetween(header, "<Id>", "</"), "1234");
    EXPECT_TRUE(bytes.ends_with("\r\n"));
    std::string body = Unscramble(bytes.substr(lineEnd + 2, bytes.size() - lineEnd - 4));
    EXPECT_TRUE(body.starts_with("<Ag>1234</Ag>")) << body.substr(0, 40);
    auto root = ParseDocument(header + body);
    ASSERT_TRUE(root);
    tnode& da = root->Child("Lv").Child("Da");
    ASSERT_EQ(da.CountChildren(""), 2500);
    EXPECT_EQ(da.children[1]->Child("E").text, "17");
    EXPECT_EQ(da.children[1]->Child("I").text, "7");
    EXPECT_EQ(da.children[50]->Child("E").text, "0");
    EXPECT_EQ(da.children[0]->Child("F").text, "100");
}

TEST(LevelSource, ConveyorsTakeTheirDirectionFromTheMapCharacter) {
    auto level = Level(Source({"><v^=X"}, 0, 0, "4 0 design=9\n"));
    for (int d = 0; d < 4; ++d) {
        EXPECT_EQ(level->Cell(d, 0, KTile), "14");
        EXPECT_EQ(level->Cell(d, 0, KDesign), std::to_string(d));
    }
    EXPECT_EQ(level->Cell(4, 0, KDesign), "9");
    EXPECT_EQ(WriteSource(*level).find("\n><v^=X~"), WriteSource(*level).find("\nmap\n") + 4);
}

TEST(LevelSource, BadSourcesAreRefusedWithTheirLine) {
    auto refuse = [](const std::string& text) {
        auto level = std::make_unique<LevelSource>();
        std::string error;
        EXPECT_FALSE(ReadSource(text, *level, error));
        return error;
    };
    std::string good = Source({"..X"}, 0, 0);
    EXPECT_TRUE(refuse(good + "bogus\n").starts_with("line 62:")) << refuse(good + "bogus\n");
    std::string shortRow = good;
    shortRow.replace(shortRow.find("..X"), 50, "..X");
    EXPECT_NE(refuse(shortRow).find("line 9: map rows have 50 characters"), std::string::npos)
        << refuse(shortRow);
    std::string badChar = good;
    badChar[badChar.find("..X")] = 'Q';
    EXPECT_NE(refuse(badChar).find("line 9: unknown map character 'Q'"), std::string::npos)
        << refuse(badChar);
    EXPECT_NE(refuse(Source({"..X"}, 0, 0, "1 0 item=7\n1 0 link=2\n")).find("listed twice"),
              std::string::npos);
    EXPECT_NE(refuse(Source({"..X"}, 0, 0, "1 0 colour=7\n")).find("line 61:"), std::string::npos);
    EXPECT_NE(refuse(Source({"..?"}, 0, 0)).find("'?' but has no tile="), std::string::npos);
    EXPECT_NE(refuse(good.substr(good.find("author"))).find("{Na}"), std::string::npos);
    EXPECT_NE(refuse(Source({"..X"}, 0, 0, "1 0 item=\"open\n")).find("unclosed quote"),
              std::string::npos);
}

TEST(LevelSource, TextWhereANumberBelongsIsRefusedUnlessQuotedInTheCellList) {
    auto withLine = [](const std::string& line, const std::string& cells = "") {
        std::string text = Source({"..X"}, 0, 0, cells);
        return text.insert(text.find("map\n"), line + "\n");
    };
    struct tcase {
        std::string source, error; // error empty: the source is read
    };
    const tcase cases[] = {
        // The defaults and designs fill all 2500 cells: only numbers there.
        {withLine("defaults: period=abc"), "line 8: period= needs a number"},
        {withLine("defaults: item=\"treasure\""), "line 8: item= needs a number"},
        {withLine("designs: floor=" + std::string(5000, 'x')), "line 8: floor= needs a number"},
        {withLine("defaults: item=treasure period=70 phase=-3"), ""},
        {Source({"..X"}, 0, 0, "1 0 item=tresure\n"), "line 61: item= needs a number or a name"},
        {Source({"..X"}, 0, 0, "1 0 period=1e3\n"), "line 61: period= needs a number"},
        {Source({"..X"}, 0, 0, "1 0 period=\"1e3\" item=health\n"), ""},
    };
    for (const tcase& c : cases) {
        auto level = std::make_unique<LevelSource>();
        std::string error;
        EXPECT_EQ(ReadSource(c.source, *level, error), c.error.empty()) << c.source.substr(0, 200);
        EXPECT_TRUE(error.starts_with(c.error)) << error;
    }
    // A file whose cells mostly hold text still comes back: the text goes to the cell list.
    auto level = Level(Source({"..X"}, 0, 0));
    for (int k = 0; k < CellCount; ++k) level->cells[k][KPeriod] = k % 3 ? "slow" : "80";
    level->cells[7][KDesign] = "odd";
    ExpectRoundTrip(CompileOrFail(*level));
    EXPECT_NE(WriteSource(*level).find("defaults: creature=-1 item=-1 link=0 period=80 phase=0"),
              std::string::npos);
}

TEST(LevelSource, CompilerRefusesValuesThatWouldBreakTheFile) {
    auto level = Level(Source({"..X"}, 0, 0));
    std::string bytes, error;
    level->cells[5][KItem] = "<I>";
    EXPECT_FALSE(Compile(*level, bytes, error));
    EXPECT_NE(error.find("column 5, line 0"), std::string::npos) << error;
    level->cells[5][KItem] = "-1";
    level->header[HName] = "two\r\nlines";
    EXPECT_FALSE(Compile(*level, bytes, error));
    EXPECT_NE(error.find("line break"), std::string::npos) << error;
    // Line breaks are fine in the scrambled part.
    level->header[HName] = "one line";
    level->header[HCreator] = "two\r\nlines";
    EXPECT_TRUE(Compile(*level, bytes, error)) << error;
}

TEST(LevelSource, DamagedFilesAreRefusedOrComeBackByteForByte) {
    auto level = Level(Source({".,>T*oX"}, 0, 0, "1 0 item=treasure\n5 0 link=3\n"));
    const std::string original = CompileOrFail(*level);
    uint32_t seed = 12345;
    auto next = [&seed](uint32_t n) {
        seed = seed * 134775813u + 1u;
        return static_cast<uint32_t>((static_cast<uint64_t>(seed) * n) >> 32);
    };
    int survived = 0;
    for (int round = 0; round < 60; ++round) {
        std::string bytes = original;
        // Cut the file short, or overwrite a few bytes anywhere (tags, values, line ends).
        if (round % 4 == 0) {
            bytes.resize(next(static_cast<uint32_t>(bytes.size())));
        } else {
            for (int k = 0; k < 3; ++k)
                bytes[next(static_cast<uint32_t>(bytes.size()))] = static_cast<char>(next(256));
        }
        auto damaged = std::make_unique<LevelSource>();
        std::string error;
        if (!Decompile(bytes, *damaged, error)) {
            EXPECT_FALSE(error.empty());
            continue;
        }
        ++survived;
        auto again = std::make_unique<LevelSource>();
        ASSERT_TRUE(ReadSource(WriteSource(*damaged), *again, error)) << error;
        std::string rebuilt;
        ASSERT_TRUE(Compile(*again, rebuilt, error)) << error;
        EXPECT_TRUE(rebuilt == bytes) << "round " << round;
    }
    EXPECT_GT(survived, 0);
}
