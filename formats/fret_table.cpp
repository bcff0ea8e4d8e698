#include "formats/fret_table.h"

#include <charconv>

#include "formats/export_numbers.h"

namespace bowlyn {
namespace {

constexpr int TEXT_DIGITS = 12;

std::string significant(double v, int digits) {
    char buffer[64];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, digits);
    return std::string(buffer, result.ptr);
}

}  // namespace

std::vector<FretTableRow> fretTable(const FretLayout& layout, LengthUnit designUnit,
                                    LengthUnit unit) {
    std::vector<FretTableRow> rows;
    if (layout.empty())
        return rows;
    const UnitScale scale(designUnit, unit);
    auto row = [&](std::string name, const FretLine& f) {
        rows.push_back({std::move(name), scale(layout.bassFromNut(f)),
                        scale(layout.trebleFromNut(f)), scale(f.bassY), scale(f.trebleY),
                        f.angleDegrees()});
    };
    for (size_t n = 0; n < layout.frets.size(); ++n)
        row(std::to_string(n), layout.frets[n]);
    row("saddle", layout.saddle);
    return rows;
}

int workshopDecimals(LengthUnit unit) {
    switch (unit) {
        case LengthUnit::Millimetre:
            return 2;
        case LengthUnit::Centimetre:
            return 3;
        case LengthUnit::Inch:
            break;
    }
    return 4;
}

std::array<std::string, 6> fretTableCells(const FretTableRow& row, int digits, int decimals) {
    auto text = [&](double v, int places) {
        return digits > 0 ? significant(v, digits) : fixedText(v, places);
    };
    return {row.name,
            text(row.bass, decimals),
            text(row.treble, decimals),
            text(row.bassY, decimals),
            text(row.trebleY, decimals),
            text(row.angle, 3)};
}

std::string fretTableText(const std::vector<FretTableRow>& rows) {
    std::string out;
    auto line = [&](const std::array<std::string, 6>& cells) {
        for (size_t i = 0; i < cells.size(); ++i) {
            out += cells[i];
            out += i + 1 < cells.size() ? '\t' : '\n';
        }
    };
    line({FRET_TABLE_COLUMNS[0], FRET_TABLE_COLUMNS[1], FRET_TABLE_COLUMNS[2],
          FRET_TABLE_COLUMNS[3], FRET_TABLE_COLUMNS[4], FRET_TABLE_COLUMNS[5]});
    for (const FretTableRow& r : rows)
        line(fretTableCells(r, TEXT_DIGITS));
    return out;
}

}  // namespace bowlyn
