#include "paper/template_furniture.h"

#include <cairo.h>

#include "formats/utf8_text.h"

namespace bowlyn {
namespace {

constexpr double QUARTER_TURN = 1.5707963267948966;

void useFont(cairo_t* cr, TextStyle style) {
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL,
                           style.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, style.points * MM_PER_POINT);
}

double advance(cairo_t* cr, const std::string& text) {
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    return e.x_advance;
}

// The text without its last character (a whole UTF-8 sequence).
void dropLast(std::string& text) {
    size_t end = text.size() - 1;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    text.resize(end);
}

bool inNumber(char c) {
    return (c >= '0' && c <= '9') || c == '.';
}

struct RulerSpec {
    int ticks;       // intervals along the ruler
    double spacing;  // millimetres between ticks
    int perNumber;   // ticks between numbers
    const char* caption;
    double (*tickLength)(int);
};

double millimetreTick(int i) {
    return i % 10 == 0 ? 3.5 : i % 5 == 0 ? 2.5 : 1.5;
}

double sixteenthTick(int i) {
    return i % 16 == 0 ? 3.5 : i % 8 == 0 ? 2.8 : i % 4 == 0 ? 2.2 : i % 2 == 0 ? 1.7 : 1.2;
}

constexpr RulerSpec MILLIMETRES = {100, 1.0, 10, "100 mm", millimetreTick};
constexpr RulerSpec SIXTEENTHS = {64, 25.4 / 16.0, 16, "4 in", sixteenthTick};

constexpr TextStyle RULER_NUMBER = {5.0, false};
constexpr TextStyle RULER_CAPTION = {7.0, false};

void paintRuler(cairo_t* cr, double x, double y, bool upright, const RulerSpec& r) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    if (upright)
        cairo_rotate(cr, QUARTER_TURN);  // along runs down, the ticks point right
    const double length = r.ticks * r.spacing;
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_set_line_width(cr, FINE_LINE);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, length, 0);
    for (int i = 0; i <= r.ticks; ++i) {
        cairo_move_to(cr, i * r.spacing, 0);
        cairo_line_to(cr, i * r.spacing, -r.tickLength(i));
    }
    cairo_stroke(cr);
    for (int i = 0; i <= r.ticks; i += r.perNumber) {
        const std::string number = std::to_string(i / r.perNumber);
        showText(cr, i * r.spacing - textWidth(cr, number, RULER_NUMBER) / 2.0, -4.2, number,
                 RULER_NUMBER);
    }
    showText(cr, length + 2.5, 0.0, r.caption, RULER_CAPTION);
    cairo_restore(cr);
}

}  // namespace

double textWidth(cairo_t* cr, const std::string& text, TextStyle style) {
    cairo_save(cr);
    useFont(cr, style);
    const double w = advance(cr, printableText(text));
    cairo_restore(cr);
    return w;
}

double showText(cairo_t* cr, double x, double y, const std::string& text, TextStyle style,
                double maxWidth) {
    cairo_save(cr);
    useFont(cr, style);
    std::string shown = printableText(text);
    if (maxWidth > 0.0)
        shown =
            shortenedText(shown, [&](const std::string& s) { return advance(cr, s) <= maxWidth; });
    const double width = advance(cr, shown);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, shown.c_str());
    cairo_new_path(cr);
    cairo_restore(cr);
    return width;
}

std::string shortenedText(const std::string& text,
                          const std::function<bool(const std::string&)>& fits) {
    if (fits(text))
        return text;
    std::string shown = text;
    while (!shown.empty() && !fits(shown + "..."))
        dropLast(shown);
    // "23..." would read as a number it is not.
    if (!shown.empty() && inNumber(shown.back()) && inNumber(text[shown.size()])) {
        while (!shown.empty() && inNumber(shown.back()))
            shown.pop_back();
    }
    return shown + "...";
}

std::vector<std::string> wrappedText(cairo_t* cr, const std::string& text, TextStyle style,
                                     double maxWidth) {
    std::vector<std::string> lines;
    std::string line;
    size_t from = 0;
    while (from <= text.size()) {
        size_t space = text.find(' ', from);
        if (space == std::string::npos)
            space = text.size();
        const std::string word = text.substr(from, space - from);
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && textWidth(cr, longer, style) > maxWidth) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
        from = space + 1;
    }
    lines.push_back(line);
    return lines;
}

void paintMillimetreRuler(cairo_t* cr, double x, double y, bool upright) {
    paintRuler(cr, x, y, upright, MILLIMETRES);
}

void paintInchRuler(cairo_t* cr, double x, double y, bool upright) {
    paintRuler(cr, x, y, upright, SIXTEENTHS);
}

void paintBand(cairo_t* cr, double x, double y, double width, const BandText& t) {
    paintMillimetreRuler(cr, x, y + 6.5, false);
    paintInchRuler(cr, x, y + 14.5, false);
    const double column = x + 118.0, room = width - 118.0;
    cairo_save(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    const double label = showText(cr, column, y + 5.5, t.label, {14.0, true}, room / 2.0);
    showText(cr, column + label + 4.0, y + 5.5,
             "page " + std::to_string(t.page) + " of " + std::to_string(t.pages), {8.0, false});
    showText(cr, column, y + 9.5, t.title, {8.0, false}, room);
    showText(cr, column, y + 13.0, t.date, {8.0, false}, room);
    showText(cr, column, y + 16.5, PRINT_AT_ACTUAL_SIZE, {8.0, true}, room);
    cairo_restore(cr);
}

}  // namespace bowlyn
