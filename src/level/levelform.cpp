#include "level/levelform.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// Bounds of a cell's link, period, phase and design. The campaign stays below 200.
constexpr int32_t CellNumberLimit = 1'000'000;
// A light's intensity in percent; ten times full light is already plain white.
constexpr int32_t LightPercentLimit = 1000;

// A refused level: the reason, in words for the player or the level's author.
struct trefusal {
    std::string why;
};

// The values of a parsed document. Lv, Hd and Da are looked up first, as the game always did.
class tdocumentvalues : public tlevelvalues {
  public:
    explicit tdocumentvalues(const tnode& root)
        : lv_(root.Child("Lv")), hd_(lv_.Child("Hd")), da_(lv_.Child("Da")) {}
    const std::string& Header(HeaderKey key) const override {
        const tnode* node = &hd_;
        for (const char* const* part = HeaderFields[key].path + 1; *part; ++part)
            node = &node->Child(*part);
        return node->text;
    }
    int CellCount() const override { return da_.CountChildren(""); }
    const std::string& Cell(int index, CellKey key) const override {
        return da_.FindChild("", index)->Child(CellElementNames[key]).text;
    }

  private:
    const tnode& lv_;
    const tnode& hd_;
    const tnode& da_;
};

// The element a header value comes from: the last part of its path.
const char* ElementOf(HeaderKey key) {
    const char* const* part = HeaderFields[key].path;
    while (part[1]) ++part;
    return *part;
}

// A value's text as a signed 32-bit decimal, or the reader's own error.
int32_t Integer(const std::string& text, const char* name) {
    int32_t value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end)
        throw XmlError("<" + std::string(name) + "> holds \"" + text + "\", not a number");
    return value;
}

// Counters, designs and light levels are clamped: every value past these limits behaves in
// play as the limit does (a period of a million frames is a trap that never shoots, a
// design that far out names no model), and the frame loop can count and add on them without
// overflowing.
int32_t IntegerClamped(const std::string& text, const char* name, int32_t low, int32_t high) {
    return std::clamp(Integer(text, name), low, high);
}

int32_t IntegerIn(const std::string& text, const char* name, int32_t low, int32_t high) {
    int32_t value = Integer(text, name);
    if (value < low || value > high)
        throw trefusal{"<" + std::string(name) + "> holds " + std::to_string(value) + ", outside " +
                       std::to_string(low) + ".." + std::to_string(high)};
    return value;
}

// Decimals take "." as the separator whatever the locale, and must be finite.
float DecimalIn(const std::string& text, const char* name) {
    float value = 0.0f;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || !std::isfinite(value))
        throw trefusal{"<" + std::string(name) + "> holds \"" + text + "\", not a decimal"};
    return value;
}

class treader {
  public:
    explicit treader(const tlevelvalues& values) : values_(values) {}
    void Read(tlevelform& form) const;

  private:
    const std::string& Text(HeaderKey key) const { return values_.Header(key); }
    int32_t In(HeaderKey key, int32_t low, int32_t high) const {
        return IntegerIn(Text(key), ElementOf(key), low, high);
    }
    int32_t Clamped(HeaderKey key, int32_t low, int32_t high) const {
        return IntegerClamped(Text(key), ElementOf(key), low, high);
    }
    float Decimal(HeaderKey key) const { return DecimalIn(Text(key), ElementOf(key)); }
    tlevelcell ReadCell(int index) const;

    const tlevelvalues& values_;
};

tlevelcell treader::ReadCell(int index) const {
    auto text = [&](CellKey key) -> const std::string& { return values_.Cell(index, key); };
    auto name = [](CellKey key) { return CellElementNames[key]; };
    tlevelcell cell;
    // A link only pairs cells, so clamping would join links the author kept apart: refused.
    cell.link = IntegerIn(text(KLink), name(KLink), -CellNumberLimit, CellNumberLimit);
    cell.period = IntegerClamped(text(KPeriod), name(KPeriod), 0, CellNumberLimit);
    cell.phase = IntegerClamped(text(KPhase), name(KPhase), -CellNumberLimit, CellNumberLimit);
    cell.design = IntegerClamped(text(KDesign), name(KDesign), -CellNumberLimit, CellNumberLimit);
    cell.tile = Integer(text(KTile), name(KTile));
    cell.creature = Integer(text(KCreature), name(KCreature));
    cell.item = Integer(text(KItem), name(KItem));
    return cell;
}

void treader::Read(tlevelform& form) const {
    if (Text(HId) != Text(HAg)) throw trefusal{"the identifier check failed (Id differs from Ag)"};
    if (!IsLevelId(Text(HId)))
        throw trefusal{"the identifier is not 1 to " + std::to_string(LongestLevelId) + " digits"};
    form.name = Text(HName); // required, though only the catalogue reads it
    form.id = Text(HId);
    form.creator = Text(HCreator);
    form.main.R = In(HMainR, 0, 255);
    form.main.G = In(HMainG, 0, 255);
    form.main.B = In(HMainB, 0, 255);
    float x = Decimal(HMainX), y = Decimal(HMainY), z = Decimal(HMainZ);
    const float length = std::sqrt(x * x + y * y + z * z);
    if (length > 0.0f && std::isfinite(length)) {
        form.main.X = x / length;
        form.main.Y = y / length;
        form.main.Z = z / length;
    } else {
        // A light with no direction shines straight down.
        form.main.X = 0.0f;
        form.main.Y = -1.0f;
        form.main.Z = 0.0f;
    }
    form.main.I = static_cast<float>(Clamped(HMainI, 0, LightPercentLimit)) / 100.0f;
    form.fill.R = In(HFillR, 0, 255);
    form.fill.G = In(HFillG, 0, 255);
    form.fill.B = In(HFillB, 0, 255);
    form.fill.I = static_cast<float>(Clamped(HFillI, 0, LightPercentLimit)) / 100.0f;
    form.music = Text(HMusic);
    form.startcolumn = In(HStartX, 0, MapSize - 1);
    form.startline = In(HStartY, 0, MapSize - 1);

    const int cells = values_.CellCount();
    if (cells < MapCellCount)
        throw trefusal{"the map has " + std::to_string(cells) + " cells, not 2500"};
    for (int k = 0; k < MapCellCount; ++k) form.cells[k] = ReadCell(k);
}

} // namespace

bool ReadLevelForm(const tlevelvalues& values, tlevelform& form, std::string* whyRefused) {
    try {
        tlevelform read;
        treader(values).Read(read);
        form = std::move(read);
        return true;
    } catch (const trefusal& refusal) {
        if (whyRefused) *whyRefused = refusal.why;
    } catch (const XmlError& error) {
        if (whyRefused) *whyRefused = error.what();
    }
    return false;
}

bool ReadLevelForm(const tnode& root, tlevelform& form, std::string* whyRefused) {
    try {
        return ReadLevelForm(tdocumentvalues(root), form, whyRefused);
    } catch (const XmlError& error) {
        if (whyRefused) *whyRefused = error.what();
    }
    return false;
}

bool IsLevelId(std::string_view id) {
    return !id.empty() && id.size() <= LongestLevelId &&
           std::all_of(id.begin(), id.end(), [](char c) { return c >= '0' && c <= '9'; });
}
