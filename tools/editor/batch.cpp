#include "batch.h"

#include "levelmodel.h"

#include <sstream>
#include <vector>

namespace editor {

namespace {

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    std::string word;
    while (in >> word) words.push_back(word);
    return words;
}

// The text after the first `count` words, leading blanks removed.
std::string RestAfter(const std::string& line, size_t count) {
    size_t at = 0;
    for (size_t k = 0; k < count; ++k) {
        at = line.find_first_not_of(" \t", at);
        at = line.find_first_of(" \t", at);
        if (at == std::string::npos) return "";
    }
    at = line.find_first_not_of(" \t", at);
    return at == std::string::npos ? "" : line.substr(at);
}

bool Numbers(const std::vector<std::string>& words, size_t count, std::vector<int>& out,
             std::string& error) {
    if (words.size() != count + 1)
        return error = words[0] + " needs " + std::to_string(count) + " numbers", false;
    for (size_t k = 1; k <= count; ++k) {
        auto value = levelkit::IntegerOf(words[k]);
        if (!value) return error = "\"" + words[k] + "\" is not a number", false;
        out.push_back(*value);
    }
    return true;
}

} // namespace

bool RunBatchLine(Model& model, BatchState& state, const std::string& line, std::string& report) {
    report.clear();
    const auto words = Words(line);
    if (words.empty() || words[0][0] == '#') return true;
    const std::string& verb = words[0];
    std::string& error = report;

    if (verb == "new") {
        if (words.size() > 2) return error = "new takes at most an id", false;
        if (words.size() == 2 && !IsLevelId(words[1]))
            return error = "the id must be 1 to " + std::to_string(LongestLevelId) + " digits",
                   false;
        model.New(words.size() == 2 ? words[1] : "");
        state.haveLevel = true;
        report = "new: level " + model.Level().header[levelkit::HId];
        return true;
    }
    if (verb == "open") {
        const std::string path = RestAfter(line, 1);
        if (path.empty()) return error = "open needs a file", false;
        if (!model.Open(path, error)) return false;
        state.haveLevel = true;
        report = "open: " + path + " (" + model.Level().header[levelkit::HName] + ")";
        return true;
    }
    if (verb == "tool") {
        if (words.size() < 2 || words.size() > 3) return error = "tool needs a name", false;
        auto found = FindTool(words[1], words.size() == 3 ? words[2] : "0");
        if (!found) return error = "unknown tool \"" + words[1] + "\" or design", false;
        state.tool = found;
        report = "tool: " + words[1] + (words.size() == 3 ? " design " + words[2] : "");
        return true;
    }
    if (!state.haveLevel) return error = "no level yet: start with new or open", false;

    std::vector<int> n;
    std::unique_ptr<Command> command;
    auto currentTool = [&]() -> std::optional<Tool> {
        if (!state.tool) error = verb + " needs a tool first";
        return state.tool;
    };
    if (verb == "paint" || verb == "flood") {
        if (!Numbers(words, 2, n, error)) return false;
        auto t = currentTool();
        if (!t) return false;
        command = verb == "paint" ? Paint(n[0], n[1], *t) : FloodFill(n[0], n[1], *t);
    } else if (verb == "fill") {
        if (!Numbers(words, 4, n, error)) return false;
        auto t = currentTool();
        if (!t) return false;
        command = FillRectangle(n[0], n[1], n[2], n[3], *t);
    } else if (verb == "link") {
        if (!Numbers(words, 4, n, error)) return false;
        command = Link(n[0], n[1], n[2], n[3]);
    } else if (verb == "start") {
        if (!Numbers(words, 2, n, error)) return false;
        command = SetStart(n[0], n[1]);
    } else if (verb == "set") {
        if (words.size() != 5) return error = "set needs C R FIELD VALUE", false;
        if (!Numbers({words[0], words[1], words[2]}, 2, n, error)) return false;
        const int key = CellKeyOfWord(words[3]);
        if (key < 0) return error = "unknown field \"" + words[3] + "\"", false;
        auto value = CellValueOfText(static_cast<CellKey>(key), words[4]);
        if (!value) return error = "\"" + words[4] + "\" is not a " + words[3] + " value", false;
        command = SetCellField(n[0], n[1], static_cast<CellKey>(key), *value);
    } else if (verb == "property") {
        if (words.size() < 2) return error = "property needs a name", false;
        command = SetProperty(words[1], RestAfter(line, 2));
    } else if (verb == "undo" || verb == "redo") {
        if (words.size() != 1) return error = verb + " takes nothing more", false;
        const bool done = verb == "undo" ? model.Undo() : model.Redo();
        if (!done) return error = "nothing to " + verb, false;
        report = verb + ": " + std::to_string(model.UndoSteps()) + " steps to undo, " +
                 std::to_string(model.RedoSteps()) + " to redo";
        return true;
    } else if (verb == "check") {
        if (words.size() != 1) return error = "check takes nothing more", false;
        auto result = model.Check();
        const auto warnings = model.Warnings();
        report = "check: " + levelkit::Describe(result);
        if (!warnings.empty())
            report += "; " + std::to_string(warnings.size()) + " warning(s): " + warnings.front() +
                      (warnings.size() > 1 ? ", ..." : "");
        return result.completable;
    } else if (verb == "warnings") {
        const auto warnings = model.Warnings();
        report = "warnings: " + std::to_string(warnings.size());
        for (const auto& w : warnings) report += "; " + w;
        return true;
    } else if (verb == "save") {
        const std::string path = RestAfter(line, 1);
        if (path.empty()) return error = "save needs a file", false;
        std::string written;
        if (!model.Save(path, error, &written)) return false;
        report = "save: " + written;
        return true;
    } else {
        return error = "unknown command \"" + verb + "\"", false;
    }

    size_t changed = 0;
    if (!model.Run(*command, error, &changed)) return false;
    report = command->Describe() + ": " + std::to_string(changed) + " value(s) changed";
    return true;
}

bool RunBatch(Model& model, const std::string& text, std::ostream& out, std::ostream& err) {
    std::istringstream in(text);
    std::string line, report;
    BatchState state;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!RunBatchLine(model, state, line, report)) {
            err << "line " << number << ": " << report << "\n";
            return false;
        }
        if (!report.empty()) out << report << "\n";
    }
    return true;
}

} // namespace editor
