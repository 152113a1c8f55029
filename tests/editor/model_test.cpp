// The editor model: what each command changes, undo and redo, links, warnings and the
// files it writes.
#include "editormodel.h"
#include "levelfile.h"
#include "levelsource.h"
#include "platform/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <tuple>

namespace {

namespace fs = std::filesystem;
using namespace editor;
using levelkit::LevelSource;

std::unique_ptr<LevelSource> Copy(const LevelSource& level) {
    return std::make_unique<LevelSource>(level);
}

Tool T(const std::string& name, const std::string& design = "0") {
    auto tool = FindTool(name, design);
    EXPECT_TRUE(tool) << name;
    return tool.value_or(Tool{});
}

// (column, line, key) -> new text, or (-1, header key, -1) for a header value.
using Diff = std::map<std::tuple<int, int, int>, std::string>;

Diff DiffOf(const LevelSource& before, const LevelSource& after) {
    Diff diff;
    for (int k = 0; k < levelkit::CellCount; ++k)
        for (int key = 0; key < levelkit::CellKeyCount; ++key)
            if (before.cells[k][key] != after.cells[k][key])
                diff[{k % 50, k / 50, key}] = after.cells[k][key];
    for (int h = 0; h < levelkit::HeaderKeyCount; ++h)
        if (before.header[h] != after.header[h]) diff[{-1, h, -1}] = after.header[h];
    return diff;
}

void Apply(Model& model, const Command& command) {
    std::string error;
    ASSERT_TRUE(model.Run(command, error)) << command.Describe() << ": " << error;
}

TEST(EditorModel, NewLevelIsAWalledFloorWithStartAndExit) {
    Model model;
    model.New("777");
    const LevelSource& level = model.Level();
    EXPECT_EQ(level.header[levelkit::HId], "777");
    EXPECT_EQ(level.header[levelkit::HAg], "777");
    int walls = 0, floors = 0, exits = 0;
    for (int k = 0; k < levelkit::CellCount; ++k) {
        const int tile = levelkit::TileOf(level, k);
        const int c = k % 50, l = k / 50;
        if (c == 0 || l == 0 || c == 49 || l == 49) {
            EXPECT_EQ(tile, levelkit::TWall) << k;
        }
        walls += tile == levelkit::TWall, floors += tile == levelkit::TFloor;
        exits += tile == levelkit::TExit;
    }
    EXPECT_EQ(walls, 196);
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(floors, 48 * 48 - 1);
    EXPECT_TRUE(model.Check().completable);
    EXPECT_TRUE(model.Warnings().empty());
    // A fresh id each time: 23 digits.
    model.New();
    EXPECT_EQ(model.Level().header[levelkit::HId].size(), 23u);
    EXPECT_FALSE(model.Modified());
}

TEST(EditorModel, EachCommandChangesExactlyWhatItShould) {
    using K = levelkit::CellKey;
    struct Case {
        const char* what;
        std::function<std::unique_ptr<Command>()> command;
        size_t count;  // values changed
        Diff expected; // some of them (all when the count is small)
    };
    const Case cases[] = {
        {"paint a wall with design 3",
         [] { return Paint(5, 6, T("wall", "3")); },
         2,
         {{{5, 6, K::KTile}, "2"}, {{5, 6, K::KDesign}, "3"}}},
        {"paint a conveyor running direction 2",
         [] { return Paint(5, 6, T("conveyor", "2")); },
         2,
         {{{5, 6, K::KTile}, "14"}, {{5, 6, K::KDesign}, "2"}}},
        {"a creature tool leaves the tile",
         [] { return Paint(7, 8, T("ghost")); },
         1,
         {{{7, 8, K::KCreature}, "2"}}},
        {"an item tool", [] { return Paint(7, 8, T("treasure3")); }, 1, {{{7, 8, K::KItem}, "9"}}},
        {"painting what is there changes nothing", [] { return Paint(7, 8, T("floor")); }, 0, {}},
        {"fill with the corners given backwards",
         [] { return FillRectangle(3, 4, 1, 2, T("pit")); },
         9,
         {{{1, 2, K::KTile}, "0"}, {{3, 4, K::KTile}, "0"}, {{2, 3, K::KTile}, "0"}}},
        {"fill a rectangle with zombies",
         [] { return FillRectangle(10, 10, 11, 10, T("zombie")); },
         2,
         {{{10, 10, K::KCreature}, "0"}, {{11, 10, K::KCreature}, "0"}}},
        // The whole floor but the exit (another tile) and the walls around it.
        {"flood fill the floor",
         [] { return FloodFill(20, 20, T("crumbling-floor")); },
         48 * 48 - 1,
         {{{1, 1, K::KTile}, "8"}, {{48, 48, K::KTile}, "8"}}},
        {"flood fill the border wall",
         [] { return FloodFill(0, 0, T("pillar", "1")); },
         2 * 196,
         {{{49, 49, K::KTile}, "16"}, {{49, 49, K::KDesign}, "1"}}},
        {"set one field",
         [] { return SetCellField(4, 9, K::KPeriod, "90"); },
         1,
         {{{4, 9, K::KPeriod}, "90"}}},
        {"link two cells",
         [] { return Link(1, 1, 2, 2); },
         2,
         {{{1, 1, K::KLink}, "1"}, {{2, 2, K::KLink}, "1"}}},
        {"name",
         [] { return SetProperty("name", "The Pit"); },
         1,
         {{{-1, levelkit::HName, -1}, "The Pit"}}},
        {"id sets its copy too",
         [] { return SetProperty("id", "99"); },
         2,
         {{{-1, levelkit::HId, -1}, "99"}, {{-1, levelkit::HAg, -1}, "99"}}},
        {"fill light",
         [] { return SetProperty("fill-light", "1 2 3 40"); },
         4,
         {{{-1, levelkit::HFillR, -1}, "1"}, {{-1, levelkit::HFillI, -1}, "40"}}},
        {"main light",
         [] { return SetProperty("main-light", "10 20 30 0.5 -1 0 80"); },
         6, // Y stays -1
         {{{-1, levelkit::HMainX, -1}, "0.5"}, {{-1, levelkit::HMainI, -1}, "80"}}},
        {"start",
         [] { return SetStart(30, 40); },
         2,
         {{{-1, levelkit::HStartX, -1}, "30"}, {{-1, levelkit::HStartY, -1}, "40"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Model model;
        model.New("1");
        auto before = Copy(model.Level());
        Apply(model, *c.command());
        const Diff diff = DiffOf(*before, model.Level());
        EXPECT_EQ(diff.size(), c.count);
        for (const auto& [where, text] : c.expected) {
            auto found = diff.find(where);
            ASSERT_NE(found, diff.end());
            EXPECT_EQ(found->second, text);
        }
        EXPECT_EQ(model.UndoSteps(), c.count ? 1u : 0u);
    }
}

TEST(EditorModel, RefusedCommandsChangeNothing) {
    const std::pair<const char*, std::function<std::unique_ptr<Command>()>> cases[] = {
        {"outside", [] { return Paint(50, 0, T("wall")); }},
        {"outside", [] { return FillRectangle(0, 0, 0, -1, T("wall")); }},
        {"outside", [] { return FloodFill(-1, 3, T("wall")); }},
        {"itself", [] { return Link(3, 3, 3, 3); }},
        {"unknown property", [] { return SetProperty("colour", "red"); }},
        {"0..255", [] { return SetProperty("fill-light", "1 2 256 4"); }},
        {"needs 7 numbers", [] { return SetProperty("main-light", "1 2 3"); }},
        {"not a number", [] { return SetProperty("main-light", "1 2 3 x 0 0 100"); }},
        {"\"<\"", [] { return SetProperty("author", "a<b"); }},
        {"line break", [] { return SetProperty("name", "two\nlines"); }},
        {"digits", [] { return SetProperty("id", ""); }},
        {"digits", [] { return SetProperty("id", "12a"); }},
        {"digits", [] { return SetProperty("id", std::string(LongestLevelId + 1, '7')); }},
        {"longer than 40", [] { return SetProperty("name", std::string(41, 'n')); }},
        {"longer than 40", [] { return SetProperty("author", std::string(41, 'a')); }},
        {"longer than 64", [] { return SetProperty("music", std::string(61, 'm') + ".ogg"); }},
        {"not a number", [] { return SetCellField(3, 3, levelkit::KLink, "1x"); }},
    };
    for (const auto& [why, make] : cases) {
        Model model;
        model.New("1");
        auto before = Copy(model.Level());
        std::string error;
        auto command = make();
        EXPECT_FALSE(model.Run(*command, error)) << command->Describe();
        EXPECT_NE(error.find(why), std::string::npos) << error;
        EXPECT_TRUE(DiffOf(*before, model.Level()).empty());
        EXPECT_EQ(model.UndoSteps(), 0u);
    }
    EXPECT_FALSE(FindTool("lava"));
    EXPECT_FALSE(FindTool("wall", "x"));
}

TEST(EditorModel, UndoAndRedoAcrossToolsRestoreExactly) {
    Model model;
    model.New("1");
    std::vector<std::unique_ptr<LevelSource>> states;
    states.push_back(Copy(model.Level()));
    // Commands overlapping on the same cells, so that the order of restoring matters.
    std::vector<std::unique_ptr<Command>> commands;
    commands.push_back(FillRectangle(2, 2, 20, 20, T("pit")));
    commands.push_back(Paint(5, 5, T("teleport", "2")));
    commands.push_back(FloodFill(3, 3, T("spikes")));
    commands.push_back(Paint(5, 5, T("zombie")));
    commands.push_back(Link(5, 5, 30, 30));
    commands.push_back(SetCellField(5, 5, levelkit::KLink, "7"));
    commands.push_back(SetProperty("main-light", "1 2 3 0 -1 0 50"));
    commands.push_back(SetStart(40, 41));
    commands.push_back(FloodFill(1, 1, T("floor", "4")));
    for (const auto& command : commands) {
        Apply(model, *command);
        states.push_back(Copy(model.Level()));
    }
    for (size_t k = states.size() - 1; k-- > 0;) {
        ASSERT_TRUE(model.Undo());
        EXPECT_TRUE(DiffOf(*states[k], model.Level()).empty()) << "undo to " << k;
    }
    EXPECT_FALSE(model.Undo());
    for (size_t k = 1; k < states.size(); ++k) {
        ASSERT_TRUE(model.Redo());
        EXPECT_TRUE(DiffOf(*states[k], model.Level()).empty()) << "redo to " << k;
    }
    EXPECT_FALSE(model.Redo());
    // A new command after an undo drops what could have been redone.
    model.Undo();
    Apply(model, *Paint(9, 9, T("exit")));
    EXPECT_FALSE(model.Redo());
}

TEST(EditorModel, KeepsAtLeastTwoHundredSteps) {
    Model model;
    model.New("1");
    auto first = Copy(model.Level());
    for (int k = 0; k < 250; ++k) Apply(model, *Paint(1 + k % 48, 1 + k / 48, T("wall")));
    int undone = 0;
    while (model.Undo()) ++undone;
    EXPECT_EQ(undone, 250);
    EXPECT_TRUE(DiffOf(*first, model.Level()).empty());
}

TEST(EditorModel, LinksJoinPairsAndPickFreeNumbers) {
    Model model;
    model.New("1");
    auto link = [&](int c, int l) { return model.Level().Cell(c, l, levelkit::KLink); };
    Apply(model, *SetCellField(9, 9, levelkit::KLink, "1")); // 1 is taken elsewhere
    Apply(model, *Link(1, 1, 2, 2));
    EXPECT_EQ(link(1, 1), "2");
    EXPECT_EQ(link(2, 2), "2");
    Apply(model, *Link(3, 3, 1, 1)); // the second cell's number when the first has none
    EXPECT_EQ(link(3, 3), "2");
    Apply(model, *Link(9, 9, 4, 4)); // the first cell's number wins
    EXPECT_EQ(link(4, 4), "1");
    Apply(model, *Link(5, 5, 6, 6));
    EXPECT_EQ(link(5, 5), "3");
    model.Undo();
    EXPECT_EQ(link(5, 5), "0");
    EXPECT_EQ(link(6, 6), "0");
}

TEST(EditorModel, WarningsNameWhatIsMissing) {
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, std::function<std::unique_ptr<Command>()>>> steps;
        std::vector<std::string> warnings;
    };
    auto paint = [](int c, int l, const char* tool) {
        return std::pair<std::string, std::function<std::unique_ptr<Command>()>>{
            tool, [=] { return Paint(c, l, T(tool)); }};
    };
    auto link = [](int a, int b, int c, int d) {
        return std::pair<std::string, std::function<std::unique_ptr<Command>()>>{
            "link", [=] { return Link(a, b, c, d); }};
    };
    const Case cases[] = {
        {"a linked teleport pair",
         {paint(2, 2, "teleport"), paint(9, 9, "teleport"), link(2, 2, 9, 9)},
         {}},
        {"a teleport without a link",
         {paint(2, 2, "teleport")},
         {"cell 2 2: teleport without a link"}},
        {"three teleports on one link",
         {paint(2, 2, "teleport"), paint(3, 3, "teleport"), paint(4, 4, "teleport"),
          link(2, 2, 3, 3), link(2, 2, 4, 4)},
         {"cell 2 2: teleport of link 1 shared by 3 teleports",
          "cell 3 3: teleport of link 1 shared by 3 teleports",
          "cell 4 4: teleport of link 1 shared by 3 teleports"}},
        {"a plate with its wall",
         {paint(2, 2, "plate"), paint(5, 5, "raising-wall"), link(2, 2, 5, 5)},
         {}},
        {"a plate and a wall on different links",
         {paint(2, 2, "plate"), paint(5, 5, "lowering-wall"), link(2, 2, 3, 3), link(5, 5, 6, 6)},
         {"cell 2 2: plate drives nothing", "cell 5 5: wall that no plate drives"}},
        {"a trap that no plate fires",
         {paint(7, 7, "arrow-trap")},
         {"cell 7 7: trap that no plate fires"}},
        {"a plate firing a trap",
         {paint(7, 7, "rock-trap"), paint(8, 8, "plate"), link(7, 7, 8, 8)},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Model model;
        model.New("1");
        for (const auto& step : c.steps) Apply(model, *step.second());
        EXPECT_EQ(model.Warnings(), c.warnings);
    }
}

// Each file the model saves is byte for byte what the kit itself writes, and opening it
// again gives the same level.
TEST(EditorModel, SaveAndOpenRoundTripsAsTheKitWrites) {
    const fs::path dir = fs::temp_directory_path() / "tarnhollow-editor-model";
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (const char* name : {"campaign/01.lvl", "campaign/47.lvl", "campaign/80.lvl"}) {
        SCOPED_TRACE(name);
        const std::string source = std::string(LEVEL_SOURCES_DIR) + "/" + name;
        Model model;
        std::string error;
        ASSERT_TRUE(model.Open(source, error)) << error;
        std::string text, kitBytes;
        ASSERT_TRUE(files::ReadAll(source, text));
        LevelSource kit;
        ASSERT_TRUE(levelkit::ReadSource(text, kit, error));
        ASSERT_TRUE(levelkit::Compile(kit, kitBytes, error));

        const std::string dat = (dir / "a.dat").string(), lvl = (dir / "a.lvl").string();
        ASSERT_TRUE(model.Save(dat, error)) << error;
        ASSERT_TRUE(model.Save(lvl, error)) << error;
        std::string datBytes, lvlBytes;
        ASSERT_TRUE(files::ReadAll(dat, datBytes));
        ASSERT_TRUE(files::ReadAll(lvl, lvlBytes));
        EXPECT_EQ(datBytes, kitBytes);
        EXPECT_EQ(lvlBytes, levelkit::WriteSource(kit));

        // Reopened, either form saves the same bytes again.
        for (const std::string& from : {dat, lvl}) {
            Model again;
            ASSERT_TRUE(again.Open(from, error)) << error;
            EXPECT_FALSE(again.Modified());
            ASSERT_TRUE(again.Save((dir / "b.dat").string(), error));
            std::string bytes;
            ASSERT_TRUE(files::ReadAll((dir / "b.dat").string(), bytes));
            EXPECT_EQ(bytes, kitBytes) << from;
        }
    }
    // A file in a layout of another tool keeps it: the kit's decompiled record, unchanged.
    LevelSource odd = NewLevel("5");
    odd.layout.head.insert(odd.layout.head.find("<Cr>"), "<Note>hand made</Note>");
    odd.layout.fileEnd = "\n";
    std::string error, oddBytes, saved;
    ASSERT_TRUE(levelkit::Compile(odd, oddBytes, error)) << error;
    ASSERT_TRUE(files::WriteSafely((dir / "odd.dat").string(), oddBytes));
    Model model;
    ASSERT_TRUE(model.Open((dir / "odd.dat").string(), error)) << error;
    ASSERT_TRUE(model.Save((dir / "odd2.dat").string(), error)) << error;
    ASSERT_TRUE(files::ReadAll((dir / "odd2.dat").string(), saved));
    EXPECT_EQ(saved, oddBytes);

    EXPECT_FALSE(model.Open((dir / "missing.dat").string(), error));
    EXPECT_FALSE(model.Open((dir / "level.txt").string(), error));
    EXPECT_FALSE(model.Save((dir / "level.txt").string(), error));
    fs::remove_all(dir);
}

// A scratch user folder for one test, put back when it ends.
class UserFolder {
  public:
    explicit UserFolder(const std::string& name)
        : root_(fs::temp_directory_path() / name), old_(files::HomeFolder()) {
        fs::remove_all(root_);
        fs::create_directories(Home());
        files::SetHomeFolder(Home().string());
    }
    ~UserFolder() {
        files::SetHomeFolder(old_);
        fs::remove_all(root_);
    }
    fs::path Home() const { return root_ / "home"; }
    // Every file under the scratch folder, the user folder's included.
    std::set<std::string> Files() const {
        std::set<std::string> found;
        for (const auto& entry : fs::recursive_directory_iterator(root_))
            if (entry.is_regular_file()) found.insert(fs::relative(entry.path(), root_).string());
        return found;
    }

  private:
    fs::path root_;
    std::string old_;
};

// A bare name is a file of the user levels' folder, for saving and opening alike; one that
// would lead out of it is refused and nothing is written anywhere.
TEST(EditorModel, BareNamesStayInTheUserLevelFolder) {
    UserFolder folder("tarnhollow-editor-bare");
    Model model;
    model.New("3");
    std::string error, written;
    ASSERT_TRUE(model.Save("mine.dat", error, &written)) << error;
    EXPECT_EQ(written, (folder.Home() / "customlvl" / "mine.dat").string());
    EXPECT_EQ(model.Path(), written);
    Model reopened;
    ASSERT_TRUE(reopened.Open("mine.dat", error)) << error;
    EXPECT_EQ(reopened.Level().header[levelkit::HId], "3");

    for (const char* name : {"..\\evil.dat", "..\\..\\..\\evil.dat", "sub\\x.dat", "..", ".", ""}) {
        SCOPED_TRACE(name);
        error.clear();
        EXPECT_FALSE(model.Save(name, error));
        EXPECT_NE(error.find("not a file name"), std::string::npos) << error;
        EXPECT_FALSE(reopened.Open(name, error));
    }
    EXPECT_EQ(folder.Files(), std::set<std::string>{"home/customlvl/mine.dat"});
}

// The editor saves only what the game plays: its own reading rules decide, and the texts
// stay within what the game shows. A refused save writes nothing.
TEST(EditorModel, SavesOnlyLevelsTheGameAccepts) {
    UserFolder folder("tarnhollow-editor-refused");
    struct Case {
        const char* what;
        std::function<std::unique_ptr<Command>()> command;
        const char* refusal; // nullptr: saved
    };
    const Case cases[] = {
        {"a link past the game's bound",
         [] { return SetCellField(4, 4, levelkit::KLink, "2147483647"); }, "<C> holds 2147483647"},
        {"a link at the game's bound",
         [] { return SetCellField(4, 4, levelkit::KLink, "1000000"); }, nullptr},
        {"a light direction past a float",
         [] { return SetProperty("main-light", "1 2 3 1e39 -1 0 100"); }, "<X> holds \"1e39\""},
        {"a light direction within a float",
         [] { return SetProperty("main-light", "1 2 3 1e38 -1 0 100"); }, nullptr},
        {"a name as long as the list shows",
         [] { return SetProperty("name", std::string(40, 'n')); }, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Model model;
        model.New("1");
        Apply(model, *c.command());
        std::string error;
        const bool saved = model.Save((folder.Home() / "level.dat").string(), error);
        if (c.refusal) {
            EXPECT_FALSE(saved);
            EXPECT_NE(error.find("the game would refuse this level"), std::string::npos) << error;
            EXPECT_NE(error.find(c.refusal), std::string::npos) << error;
            EXPECT_FALSE(fs::exists(folder.Home() / "level.dat"));
        } else {
            EXPECT_TRUE(saved) << error;
            fs::remove(folder.Home() / "level.dat");
        }
    }

    // A level opened with a text longer than the game shows is refused until it is shortened.
    LevelSource level = NewLevel("5");
    level.header[levelkit::HName] = std::string(1000, 'n');
    std::string error, bytes;
    ASSERT_TRUE(levelkit::Compile(level, bytes, error)) << error;
    ASSERT_TRUE(files::WriteSafely((folder.Home() / "long.dat").string(), bytes));
    Model model;
    ASSERT_TRUE(model.Open((folder.Home() / "long.dat").string(), error)) << error;
    EXPECT_FALSE(model.Save((folder.Home() / "copy.dat").string(), error));
    EXPECT_NE(error.find("longer than 40"), std::string::npos) << error;
    Apply(model, *SetProperty("name", "Short"));
    EXPECT_TRUE(model.Save((folder.Home() / "copy.dat").string(), error)) << error;
}

// A file larger than any level is not read at all.
TEST(EditorModel, OpenRefusesAFileLargerThanAnyLevel) {
    UserFolder folder("tarnhollow-editor-large");
    const fs::path big = folder.Home() / "big.dat";
    std::ofstream(big) << "<Lv>";
    fs::resize_file(big, LevelFileLimit + 1); // sparse: costs no disk
    Model model;
    std::string error;
    EXPECT_FALSE(model.Open(big.string(), error));
    EXPECT_NE(error.find("larger than any level"), std::string::npos) << error;
}

// Every level made with New has an id of its own in the campaign's form, even when many are
// made within one second; a level given an id keeps it.
TEST(EditorModel, EveryNewLevelGetsItsOwnId) {
    std::set<std::string> ids;
    std::string previous;
    for (int k = 0; k < 300; ++k) {
        Model model;
        model.New();
        const std::string& id = model.Level().header[levelkit::HId];
        ASSERT_EQ(id.size(), 23u) << id;
        ASSERT_TRUE(IsLevelId(id)) << id;
        ASSERT_GT(id, previous);
        EXPECT_EQ(model.Level().header[levelkit::HAg], id);
        EXPECT_FALSE(model.NeedsFreshId());
        ids.insert(previous = id);
    }
    EXPECT_EQ(ids.size(), 300u);
    EXPECT_EQ(previous.substr(0, 2), "20"); // the year first
    // The level a window starts with is a new level too.
    EXPECT_NE(Model().Level().header[levelkit::HId], Model().Level().header[levelkit::HId]);
    Model given;
    given.New("777");
    EXPECT_EQ(given.Level().header[levelkit::HId], "777");
}

// A level whose id is a placeholder shared by others asks for a fresh id; one with an id of
// its own does not.
TEST(EditorModel, APlaceholderIdAsksForAFreshOne) {
    UserFolder folder("tarnhollow-editor-placeholder");
    for (const auto& [id, placeholder] :
         std::vector<std::pair<std::string, bool>>{{"0", true},
                                                   {"", true},
                                                   {"000", true},
                                                   {"20261207093060917104729", false},
                                                   {"10", false}}) {
        SCOPED_TRACE(id);
        LevelSource level = NewLevel("1");
        level.header[levelkit::HId] = level.header[levelkit::HAg] = id;
        std::string error, bytes;
        ASSERT_TRUE(levelkit::Compile(level, bytes, error)) << error;
        ASSERT_TRUE(files::WriteSafely((folder.Home() / "old.dat").string(), bytes));
        Model model;
        ASSERT_TRUE(model.Open((folder.Home() / "old.dat").string(), error)) << error;
        EXPECT_EQ(model.NeedsFreshId(), placeholder);
        if (!placeholder) continue;
        Apply(model, *SetProperty("id", FreshId()));
        EXPECT_FALSE(model.NeedsFreshId());
        EXPECT_TRUE(model.Save((folder.Home() / "old.dat").string(), error)) << error;
    }
}

} // namespace
