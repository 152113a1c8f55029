#pragma once
// The level editor's model, apart from any window: one level record (the kit's, every value
// as text, so an opened file saves back byte for byte), changed only by commands. Each
// command works out the values it changes before anything is touched; the model applies
// them and keeps the old texts, so undo and redo restore the record exactly.
#include "level/levelform.h"
#include "levelcheck.h"
#include "levelmodel.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace editor {

using levelkit::CellKey;
using levelkit::HeaderKey;
using levelkit::LevelSource;

// One value changed by a command: a cell value (index = line * 50 + column) or a header value.
struct Change {
    bool header = false;
    int index = 0; // cell index, or the HeaderKey for a header value
    int key = 0;   // the CellKey for a cell value
    std::string before, after;
};
using Changes = std::vector<Change>;

// What a paint, fill or flood fill puts on a cell: one value (a tile with its design, a
// creature or an item).
struct Tool {
    std::string name;
    CellKey key = levelkit::KTile;
    std::string value;
    std::string design = "0"; // tiles only: O (a conveyor's direction)
};

// The tools by name ("floor", "wall", "conveyor", "zombie", "treasure", "no-item", ...);
// `design` is the tile's design or the conveyor's direction. Empty on an unknown name.
std::optional<Tool> FindTool(const std::string& name, const std::string& design = "0");
// Every tool name, for help texts.
std::vector<std::string> ToolNames();

class Command {
  public:
    virtual ~Command() = default;
    // The values this command changes on `level`; nullopt with a reason when it cannot run.
    virtual std::optional<Changes> Plan(const LevelSource& level, std::string& error) const = 0;
    // A short line for people ("paint 3 4 wall").
    virtual std::string Describe() const = 0;
};

// The commands. Cells are named by column and map line (0 = top line), as the source form does.
std::unique_ptr<Command> SetCellField(int column, int line, CellKey key, std::string value);
std::unique_ptr<Command> Paint(int column, int line, Tool tool);
std::unique_ptr<Command> FillRectangle(int c1, int l1, int c2, int l2, Tool tool);
// Every cell joined to the first by its four sides whose tile and design equal the first's.
std::unique_ptr<Command> FloodFill(int column, int line, Tool tool);
// Gives both cells one link number: the first's when it has one, else the second's, else
// the smallest number no cell uses.
std::unique_ptr<Command> Link(int c1, int l1, int c2, int l2);
// name, author, music, id (Id and its copy Ag together), main-light "R G B X Y Z I",
// fill-light "R G B I".
std::unique_ptr<Command> SetProperty(std::string name, std::string value);
std::unique_ptr<Command> SetStart(int column, int line);

// The property names SetProperty knows.
std::vector<std::string> PropertyNames();

// Words for cell values as the source form spells them: tile creature item link period
// phase design. -1 for an unknown word.
int CellKeyOfWord(const std::string& word);
// A cell value given by name ("zombie", "treasure", "none") or as an integer; nullopt when
// it is neither.
std::optional<std::string> CellValueOfText(CellKey key, const std::string& text);

// The new level: floor inside a wall border, the start near the top left corner and the
// exit near the bottom right one. An empty id makes a fresh one (FreshId).
LevelSource NewLevel(const std::string& id = "");

// An id of the campaign's form: 23 digits, the UTC date and time to the second, then the
// nanoseconds. Each is greater than the one before it in this process, so two levels made
// in the same second (or nanosecond) never share one.
std::string FreshId();

// The longest texts the game can show: the level's name in the level list, the author in
// "Level created by ...", the music file's name. Longer ones are refused.
inline constexpr size_t NameLimit = 40;
inline constexpr size_t AuthorLimit = 40;
inline constexpr size_t MusicLimit = 64;
// No level file is bigger than this (the largest campaign level is under 200 KB); a bigger
// file is not read at all.
inline constexpr uintmax_t LevelFileLimit = 2 * 1024 * 1024;

// Where a bare file name is saved: the user folder's "customlvl/".
std::string DefaultLevelFolder();
// The path a file name given to Open or Save stands for: a name without "/" is a file in
// DefaultLevelFolder() and may not hold "\\" or be "." or ".." (it would leave the folder);
// anything else is a path as given. False with the reason for a name that is refused.
bool LevelPathOf(const std::string& name, std::string& path, std::string& error);

class Model {
  public:
    static constexpr size_t UndoLimit = 1000;

    Model();

    const LevelSource& Level() const { return *level_; }
    const std::string& Path() const { return path_; }
    bool Modified() const { return modified_; }

    void New(const std::string& id = "");
    // A ".dat" level file or a ".lvl" source, by the name's ending.
    bool Open(const std::string& path, std::string& error);
    // Opens a level saved on its own (an autosave): it has no file of its own yet and is
    // unsaved work.
    bool OpenRecovered(const std::string& path, std::string& error);
    // Saves in the form the name's ending asks for; a bare name goes to DefaultLevelFolder().
    // A ".dat" is written safely (temporary file, then rename). Returns the path written.
    // A level the game would refuse to play, or with a text longer than the game shows, is
    // not saved.
    bool Save(const std::string& path, std::string& error, std::string* written = nullptr);

    // Runs a command; a command that changes nothing succeeds without an undo step.
    // `changed` receives how many values changed.
    bool Run(const Command& command, std::string& error, size_t* changed = nullptr);
    bool Undo();
    bool Redo();
    size_t UndoSteps() const { return undo_.size(); }
    size_t RedoSteps() const { return redo_.size(); }

    // Things a level author probably did not mean: teleports without exactly one partner,
    // plates that drive nothing, plate walls and traps that no plate drives.
    std::vector<std::string> Warnings() const;
    levelkit::CheckResult Check() const;

    // Whether the level's id is a placeholder ("0" or empty) that every such level shares:
    // its times file and its mark in the players' lists would be theirs too. Saving should
    // offer a fresh id (SetProperty("id", FreshId())).
    bool NeedsFreshId() const;

  private:
    struct Step {
        std::string what;
        Changes changes;
    };
    void Apply(const Changes& changes, bool forward);

    std::unique_ptr<LevelSource> level_;
    std::string path_;
    bool modified_ = false;
    std::deque<Step> undo_;
    std::vector<Step> redo_;
};

} // namespace editor
