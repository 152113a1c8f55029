#include "levelmodel.h"

#include <charconv>

namespace levelkit {

const Layout& StandardLayout() {
    // One element per value, the Na and Id elements complete on the plain first line so
    // that the catalogue can read them without unscrambling anything.
    static const Layout standard = [] {
        Layout layout;
        layout.head = "<Lv><Hd><Na>{Na}</Na><Id>{Id}</Id>{/}<Ag>{Ag}</Ag><Cr>{Cr}</Cr>"
                      "<Li><Pr><R>{PrR}</R><G>{PrG}</G><B>{PrB}</B><X>{PrX}</X><Y>{PrY}</Y>"
                      "<Z>{PrZ}</Z><I>{PrI}</I></Pr><Se><R>{SeR}</R><G>{SeG}</G><B>{SeB}</B>"
                      "<I>{SeI}</I></Se></Li><Mu>{Mu}</Mu><SX>{SX}</SX><SY>{SY}</SY></Hd><Da>";
        layout.cells.fill("<Ce><E>{E}</E><M>{M}</M><I>{I}</I><C>{C}</C><F>{F}</F><X>{X}</X>"
                          "<O>{O}</O></Ce>");
        layout.tail = "</Da></Lv>";
        return layout;
    }();
    return standard;
}

std::optional<int32_t> IntegerOf(std::string_view text) {
    int32_t value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
    return value;
}

int TileOf(const LevelSource& level, int index) {
    auto value = IntegerOf(level.cells[index][KTile]);
    return value ? *value : -1;
}

namespace {
class SourceValues : public tlevelvalues {
  public:
    explicit SourceValues(const LevelSource& level) : level_(level) {}
    const std::string& Header(HeaderKey key) const override { return level_.header[key]; }
    int CellCount() const override { return levelkit::CellCount; }
    const std::string& Cell(int index, CellKey key) const override {
        return level_.cells[index][key];
    }

  private:
    const LevelSource& level_;
};
} // namespace

bool FormOf(const LevelSource& level, tlevelform& form, std::string* whyRefused) {
    return ReadLevelForm(SourceValues(level), form, whyRefused);
}

} // namespace levelkit
