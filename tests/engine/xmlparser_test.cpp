#include "engine/xmlparser.h"

#include "platform/files.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <memory>

TEST(Parser, OneElementAndTrailingBlank) {
    auto root = ParseDocument("<a>1</a>");
    ASSERT_TRUE(root);
    EXPECT_EQ(root->name, "Root");
    EXPECT_EQ(root->text, "");
    EXPECT_EQ(root->parent, nullptr);
    ASSERT_EQ(root->CountChildren(""), 1);
    EXPECT_EQ(root->Child("a").text, "1");
    EXPECT_EQ(root->Child("a").parent, root.get());
    EXPECT_FALSE(ParseDocument("<a>1</a> "));
}

TEST(Parser, TextAndNestingRules) {
    // Text after a child is lost; text before the first tag is ignored.
    auto root = ParseDocument("junk<a>x<b>2</b>y</a>");
    ASSERT_TRUE(root);
    const tnode& a = root->Child("a");
    EXPECT_EQ(a.text, "x");
    ASSERT_EQ(a.CountChildren(""), 1);
    EXPECT_EQ(a.Child("b").text, "2");

    // Any end tag closes the innermost element, whatever its name.
    auto closedByOther = ParseDocument("<a><b>1</c></a>");
    ASSERT_TRUE(closedByOther);
    EXPECT_EQ(closedByOther->Child("a").Child("b").text, "1");

    // Text is taken untrimmed, byte for byte, with no entities.
    auto raw = ParseDocument("<a> &amp; \t</a>");
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->Child("a").text, " &amp; \t");

    // No attributes: the whole tag text is the name. Names are case-sensitive.
    auto attribute = ParseDocument("<a b=\"1\">t</a>");
    ASSERT_TRUE(attribute);
    EXPECT_EQ(attribute->Child("a b=\"1\"").text, "t");
    EXPECT_EQ(attribute->FindChild("a"), nullptr);
    EXPECT_EQ(ParseDocument("<A>1</A>")->FindChild("a"), nullptr);

    auto empty = ParseDocument("");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->CountChildren(""), 0);
}

TEST(Parser, MalformedDocuments) {
    EXPECT_FALSE(ParseDocument("<a><b>1</b>"));       // left open
    EXPECT_FALSE(ParseDocument("<a>1</a></b>"));      // one end tag too many
    EXPECT_FALSE(ParseDocument("<a>"));               // a start tag with nothing after it
    EXPECT_FALSE(ParseDocument("<a>text"));           // start tag, then no further tag
    EXPECT_FALSE(ParseDocument("<a>1</a"));           // end tag without its '>'
    EXPECT_FALSE(ParseDocument("<a"));                // start tag without its '>'
    EXPECT_FALSE(ParseDocument("<r><a/></r>"));       // no self-closing tags
    EXPECT_FALSE(ParseDocument("<?xml v?><a>1</a>")); // a declaration never closes
    EXPECT_FALSE(ParseDocument("<a>1</a>\r\n"));      // anything after the last '>'
}

TEST(Parser, NestingBeyondWhatOurDocumentsNeedIsMalformed) {
    auto nested = [](int depth) {
        std::string document;
        for (int i = 0; i < depth; ++i) document += "<a>";
        for (int i = 0; i < depth; ++i) document += "</a>";
        return document;
    };
    EXPECT_TRUE(ParseDocument(nested(MaxDocumentDepth)));
    EXPECT_FALSE(ParseDocument(nested(MaxDocumentDepth + 1)));
    // Depth counts the elements open at once: closed ones and siblings do not add up.
    EXPECT_TRUE(ParseDocument("<r>" + nested(MaxDocumentDepth - 1) + nested(MaxDocumentDepth - 1) +
                              "</r>"));
    std::string deeper = nested(MaxDocumentDepth);
    deeper.insert(deeper.find("</a>"), "<b>1</b>");
    EXPECT_FALSE(ParseDocument(deeper));
    // A hostile file nested far deeper is refused, not built.
    EXPECT_FALSE(ParseDocument(nested(200000)));
}

TEST(Node, DeepTreeIsFreedWithoutRecursion) {
    auto root = std::make_unique<tnode>("Root", nullptr, "");
    tnode* current = root.get();
    for (int i = 0; i < 200000; ++i) current = current->AddChild("a", "");
    root.reset(); // would overflow the stack if freeing recursed per level
}

TEST(Node, FindCountAndAddChild) {
    auto root = ParseDocument("<P>a</P><P>b</P><Name>n</Name><P>c</P>");
    ASSERT_TRUE(root);
    EXPECT_EQ(root->FindChild("P", 2)->text, "c");
    EXPECT_EQ(root->FindChild("P", 3), nullptr);
    EXPECT_EQ(root->FindChild("P", -1), nullptr);
    EXPECT_EQ(root->CountChildren("P"), 3);
    EXPECT_EQ(root->CountChildren(""), 4);
    EXPECT_EQ(root->FindChild("", 2)->name, "Name");
    EXPECT_EQ(root->FindChild("", 4), nullptr);
    EXPECT_THROW(root->Child("Missing"), XmlError);
    EXPECT_THROW(root->Child("P", 3), XmlError);

    tnode* added = root->AddChild("New", "t");
    EXPECT_EQ(added->parent, root.get());
    EXPECT_EQ(root->FindChild("", 4), added);
}

TEST(Node, AsIntegerAcceptsOnlySignedDecimals) {
    auto number = [](const char* text) { return tnode("n", nullptr, text).AsInteger(); };
    EXPECT_EQ(number("-17"), -17);
    EXPECT_EQ(number("0"), 0);
    EXPECT_EQ(number("2147483647"), 2147483647);
    EXPECT_EQ(number("-2147483648"), INT32_MIN);
    for (const char* bad : {"", "12a", "-", "2147483648", " 5", "5 ", "1.5", "0x10"})
        EXPECT_THROW(number(bad), XmlError) << bad;
    // A missing element meets the reader's error, never an empty value.
    EXPECT_THROW(AsInteger(nullptr), XmlError);
    EXPECT_THROW(TextOf(nullptr), XmlError);
}

TEST(Scrambling, ShiftCycleOfFifty) {
    std::string plain(120, '\0');
    std::string scrambled = Scramble(plain);
    EXPECT_EQ(static_cast<unsigned char>(scrambled[0]), 2);   // position 1
    EXPECT_EQ(static_cast<unsigned char>(scrambled[48]), 50); // position 49
    EXPECT_EQ(static_cast<unsigned char>(scrambled[49]), 1);  // position 50
    EXPECT_EQ(static_cast<unsigned char>(scrambled[50]), 2);  // position 51
    EXPECT_EQ(static_cast<unsigned char>(scrambled[99]), 1);  // position 100

    std::string everyByte;
    for (int round = 0; round < 3; ++round)
        for (int b = 255; b >= 0; --b) everyByte += static_cast<char>(b);
    EXPECT_EQ(Unscramble(Scramble(everyByte)), everyByte);
    EXPECT_EQ(static_cast<unsigned char>(Scramble("\xff")[0]), 1); // wraps modulo 256
}

namespace {
// A text whose scrambled form holds a CR and an LF of its own: byte b at position k
// becomes (b + k mod 50 + 1) mod 256, so 0xFD at position 12 turns into LF and 0xFF at
// position 13 into CR (positions counted within the document "<a>" + text + "</a>").
std::string TextScramblingToLineEnds() {
    std::string text(8, 'x');
    text += '\xfd'; // position 12
    text += '\xff'; // position 13
    text += "\xc3\xa9nd";
    return text;
}
} // namespace

TEST(Documents, ScrambledSaveAndLoadKeepLineEndBytesInside) {
    ScratchFolder folder;
    std::string document = "<a>" + TextScramblingToLineEnds() + "</a>";
    SaveScrambledDocument("doc.dat", document);
    std::string bytes = ReadBytes("doc.dat");
    EXPECT_EQ(bytes, Scramble(document) + "\r\n");
    EXPECT_EQ(bytes[11], '\n');
    EXPECT_EQ(bytes[12], '\r');

    auto root = LoadScrambledDocument("doc.dat");
    ASSERT_TRUE(root);
    EXPECT_EQ(root->Child("a").text, TextScramblingToLineEnds());

    // Written without the final line end (by hand) it loads the same.
    WriteBytes("bare.dat", Scramble(document));
    ASSERT_TRUE(LoadScrambledDocument("bare.dat"));
}

TEST(Documents, HeaderedBodyCountsPositionsFromItsOwnStart) {
    ScratchFolder folder;
    std::string header = "<Lv><Hd><Na>Level</Na><Id>7</Id></Hd>";
    std::string body = "<Da>" + TextScramblingToLineEnds() + "</Da></Lv>";
    WriteBytes("level.dat", header + "\r\n" + Scramble(body) + "\r\n");
    auto root = LoadHeaderedDocument("level.dat");
    ASSERT_TRUE(root);
    const tnode& level = root->Child("Lv");
    EXPECT_EQ(level.Child("Hd").Child("Na").text, "Level");
    EXPECT_EQ(level.Child("Da").text, TextScramblingToLineEnds());
    EXPECT_EQ(TextBetween(header, "<Na>", "</"), "Level");
}

TEST(Documents, PlainJoinsLines) {
    ScratchFolder folder;
    WriteBytes("setup.xml", "<Setup>\r\n  <Zoom>5</Zoom>\n<Mode>a b</Mode></Setup>\r\n");
    auto root = LoadPlainDocument("setup.xml");
    ASSERT_TRUE(root);
    EXPECT_EQ(root->Child("Setup").text, "  "); // indentation is text; only line ends go
    EXPECT_EQ(root->Child("Setup").Child("Zoom").AsInteger(), 5);
    EXPECT_EQ(root->Child("Setup").Child("Mode").text, "a b");
}

TEST(Documents, HexFormOffsetsByPositionWithoutCycle) {
    ScratchFolder folder;
    // Longer than 256 bytes, so the offset wraps modulo 256 rather than modulo 50.
    std::string document = "<Top><Name>" + std::string(300, 'z') + "\xfe</Name></Top>";
    WriteBytes("upper.xml", HexForm(document, true));
    WriteBytes("lower.xml", HexForm(document, false) + "ignored second line");
    for (const char* name : {"upper.xml", "lower.xml"}) {
        auto root = LoadHexDocument(name);
        ASSERT_TRUE(root) << name;
        EXPECT_EQ(root->Child("Top").Child("Name").text, std::string(300, 'z') + "\xfe");
    }
    // "<a>1</a>" is 3D 63 41 35 41 35 68 46; a last odd digit is ignored.
    WriteBytes("odd.xml", "3D634135413568467");
    auto odd = LoadHexDocument("odd.xml");
    ASSERT_TRUE(odd);
    EXPECT_EQ(odd->Child("a").text, "1");
    WriteBytes("bad.xml", "3D3G");
    EXPECT_THROW(LoadHexDocument("bad.xml"), XmlError);
    WriteBytes("malformed.xml", HexForm("<a>1</a>x"));
    EXPECT_FALSE(LoadHexDocument("malformed.xml"));
}

TEST(Documents, ReaderAndWriterErrors) {
    ScratchFolder folder;
    EXPECT_THROW(LoadPlainDocument("missing.xml"), XmlError);
    EXPECT_THROW(LoadScrambledDocument("missing.dat"), XmlError);
    EXPECT_THROW(LoadHeaderedDocument("missing.dat"), XmlError);
    EXPECT_THROW(LoadHexDocument("missing.xml"), XmlError);
    EXPECT_THROW(SaveScrambledDocument("no-such-folder\\doc.dat", "<a>1</a>"), XmlError);

    // A write that fails half-way leaves the old file as it was.
    SaveScrambledDocument("doc.dat", "<a>old</a>");
    files::SimulateFullDiskAfter(4);
    EXPECT_THROW(SaveScrambledDocument("doc.dat", "<a>new and longer</a>"), XmlError);
    files::SimulateFullDiskAfter(-1);
    EXPECT_EQ(LoadScrambledDocument("doc.dat")->Child("a").text, "old");
}

TEST(Services, IdStampAndTextBetween) {
    std::string stamp = MakeIdStamp();
    ASSERT_EQ(stamp.size(), 17u);
    EXPECT_EQ(stamp.find_first_not_of("0123456789"), std::string::npos);
    EXPECT_GE(std::stoi(stamp.substr(0, 4)), 2020);
    int month = std::stoi(stamp.substr(4, 2)), day = std::stoi(stamp.substr(6, 2));
    EXPECT_TRUE(month >= 1 && month <= 12 && day >= 1 && day <= 31);

    std::string header = "<Hd><Na>Deep Cave</Na><Id>20050307081530250</Id></Hd>";
    EXPECT_EQ(TextBetween(header, "<Na>", "</"), "Deep Cave");
    EXPECT_EQ(TextBetween(header, "<Id>", "</"), "20050307081530250");
    EXPECT_EQ(TextBetween("<Na>open", "<Na>", "</"), "");
    EXPECT_EQ(TextBetween("nothing", "<Na>", "</"), "");
    EXPECT_EQ(Decimal(-2147483648LL), "-2147483648");
    EXPECT_EQ(Decimal(1234567), "1234567");
}

TEST(Escaping, EveryByteComesBackThroughEveryForm) {
    ScratchFolder folder;
    std::string every;
    for (int b = 0; b < 256; ++b) every += static_cast<char>(b);
    const std::string texts[] = {every, "<a>x</a>", "&amp;", "&#60;", ""};
    for (const std::string& text : texts) {
        const std::string document = "<a>" + Escaped(text) + "</a>";
        EXPECT_EQ(Escaped(text).find_first_of("<>\r\n"), std::string::npos);
        SaveScrambledDocument("doc.dat", document);
        WriteBytes("doc.xml", document);
        std::unique_ptr<tnode> roots[] = {ParseDocument(document), LoadScrambledDocument("doc.dat"),
                                          LoadPlainDocument("doc.xml")};
        for (const auto& root : roots) {
            ASSERT_TRUE(root);
            EXPECT_EQ(Unescaped(root->Child("a").text), text);
        }
    }
}

TEST(Escaping, TextWithoutReferencesReadsAsItStands) {
    // What was written before values were escaped: only the references Escaped makes are
    // read, any other '&' stays.
    const char* unchanged[] = {"PLAYER 1", "20050307081530250", "a & b",  "&",     "&amp", "&#;",
                               "&#256;",   "&#1000;",           "&#x41;", "&quot;"};
    for (const char* text : unchanged) EXPECT_EQ(Unescaped(text), text);
    EXPECT_EQ(Unescaped("&lt;&gt;&amp;&#0;&#255;&#65;"), std::string("<>&\0\xff"
                                                                     "A",
                                                                     6));
    EXPECT_EQ(Escaped("PLAYER 1"), "PLAYER 1");
    EXPECT_EQ(Escaped(std::string("<\r\0\x7f\x80&", 6)), "&lt;&#13;&#0;&#127;\x80&amp;");
}

TEST(Documents, FilesLargerThanTheReaderTakesAreNotRead) {
    ScratchFolder folder;
    SaveScrambledDocument("doc.dat", "<a>1</a>"); // 8 bytes and the line end
    WriteBytes("setup.xml", "<a>1</a>");
    EXPECT_TRUE(LoadScrambledDocument("doc.dat", 10));
    EXPECT_THROW(LoadScrambledDocument("doc.dat", 9), XmlError);
    EXPECT_TRUE(LoadPlainDocument("setup.xml", 8));
    EXPECT_THROW(LoadPlainDocument("setup.xml", 7), XmlError);
    EXPECT_THROW(LoadHeaderedDocument("doc.dat", 9), XmlError);
    EXPECT_THROW(LoadHexDocument("doc.dat", 9), XmlError);
}
