#pragma once
// Batch mode: a text file of editor commands run without a window, one command a line.
#include "editormodel.h"

#include <optional>
#include <ostream>
#include <string>

namespace editor {

struct BatchState {
    bool haveLevel = false;   // after new or open
    std::optional<Tool> tool; // what paint, fill and flood put down
};

// Runs one line on the model (blank lines and "#" comments do nothing). True with the
// line to print in `report` (empty for nothing), or false with why it failed.
bool RunBatchLine(Model& model, BatchState& state, const std::string& line, std::string& report);

// Runs the whole text: one report line per command on `out`; at the first failing command
// "line N: why" on `err` and false.
bool RunBatch(Model& model, const std::string& text, std::ostream& out, std::ostream& err);

} // namespace editor
