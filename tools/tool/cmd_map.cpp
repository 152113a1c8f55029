// map FILE OUT.png: one level from above with its route. map-sheet DIR OUT.png: the campaign
// levels 01.dat..80.dat of DIR on one sheet, an area to a row, so the difficulty curve shows.
#include "command.h"
#include "levelargument.h"
#include "levelcheck.h"
#include "levelmap.h"

#include <cstdio>
#include <memory>

namespace {

constexpr int MapCellPixels = 14;
constexpr int SheetCellPixels = 6;
constexpr int SheetGap = 12;
constexpr int SheetColumns = 10; // one area of ten levels per row

int Map(const std::vector<std::string>& args) {
    if (args.size() != 2) return tool::Usage;
    auto level = tool::ReadLevelArgument(args[0]);
    if (!level) return tool::Refused;
    levelkit::CheckResult check = levelkit::CheckLevel(*level);
    std::printf("%s\n", levelkit::Describe(check).c_str());
    if (!levelkit::DrawLevel(*level, check, MapCellPixels).SavePng(args[1])) {
        std::fprintf(stderr, "%s: cannot write\n", args[1].c_str());
        return tool::Refused;
    }
    return tool::Ok;
}

int MapSheet(const std::vector<std::string>& args) {
    if (args.size() != 2) return tool::Usage;
    const int side = levelkit::MapSize * SheetCellPixels;
    const int rows = 8;
    levelkit::Picture sheet(SheetGap + SheetColumns * (side + SheetGap),
                            SheetGap + rows * (side + SheetGap), {40, 40, 40});
    auto level = std::make_unique<levelkit::LevelSource>();
    int failures = 0;
    for (int n = 1; n <= SheetColumns * rows; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "%.2d.dat", n);
        std::string path = args[0] + "/" + name, error;
        int x = SheetGap + (n - 1) % SheetColumns * (side + SheetGap);
        int y = SheetGap + (n - 1) / SheetColumns * (side + SheetGap);
        if (!levelkit::ReadLevelFile(path, *level, error)) {
            std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
            sheet.Fill(x, y, side, side, {120, 0, 0});
            ++failures;
            continue;
        }
        levelkit::CheckResult check = levelkit::CheckLevel(*level);
        if (!check.completable) {
            std::fprintf(stderr, "%s: %s\n", path.c_str(), levelkit::Describe(check).c_str());
            ++failures;
        }
        sheet.Paste(levelkit::DrawLevel(*level, check, SheetCellPixels), x, y);
        // The level's number in a corner; red when the check refused it.
        sheet.Fill(x, y, 34, 19, {0, 0, 0});
        sheet.Number(x + 3, y + 2, n, 3,
                     check.completable ? levelkit::Rgb{255, 255, 255} : levelkit::Rgb{255, 60, 60});
    }
    if (!sheet.SavePng(args[1])) {
        std::fprintf(stderr, "%s: cannot write\n", args[1].c_str());
        return tool::Refused;
    }
    return failures ? tool::Refused : tool::Ok;
}

tool::Register mapCommand({"map", "FILE OUT.png", Map});
tool::Register sheetCommand({"map-sheet", "DIR OUT.png", MapSheet});

} // namespace
