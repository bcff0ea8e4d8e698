#pragma once

#include <functional>
#include <string>
#include <vector>

typedef struct _cairo cairo_t;

namespace bowlyn {

// What every page of a template carries besides the drawing, on a cairo
// context whose user units are millimetres of true size, y down.

// Millimetres in a point.
constexpr double MM_PER_POINT = 25.4 / 72.0;
// Every ruler tick, outline and line of the drawing: fine enough to cut along.
constexpr double FINE_LINE = 0.25 * MM_PER_POINT;

struct TextStyle {
    double points = 8.0;
    bool bold = false;
};

// Shows `text` (any bytes) with its baseline starting at (x, y), shortened
// with "..." to at most `maxWidth` when that is > 0; returns its width. A
// number is never cut short: the cut comes before it, and it goes whole.
double showText(cairo_t* cr, double x, double y, const std::string& text, TextStyle style,
                double maxWidth = 0.0);
double textWidth(cairo_t* cr, const std::string& text, TextStyle style);
// `text` shortened with "..." until `fits` it, never within a number: "area
// 23006" becomes "area ...", not "area 23...". `text` itself when it fits.
std::string shortenedText(const std::string& text,
                          const std::function<bool(const std::string&)>& fits);
// `text` broken at its spaces into lines of at most `maxWidth` (a single
// word wider than that on a line of its own).
std::vector<std::string> wrappedText(cairo_t* cr, const std::string& text, TextStyle style,
                                     double maxWidth);

// Rulers that prove the print true: 100 mm in millimetres, and 4 in in
// sixteenths, numbered every centimetre and inch and captioned "100 mm" and
// "4 in". Lying: (x, y) is the left end of the base line and the ticks rise
// from it. Upright: the base line runs down from (x, y) and the ticks point
// right.
void paintMillimetreRuler(cairo_t* cr, double x, double y, bool upright);
void paintInchRuler(cairo_t* cr, double x, double y, bool upright);
// Length of the base line of each, in millimetres.
constexpr double MILLIMETRE_RULER = 100.0;
constexpr double INCH_RULER = 101.6;

// The band under the drawing area: both rulers at the left; at the right the
// page's label, "page N of M", the design's name, the date and the request
// to print at actual size. (x, y) is its top-left corner.
struct BandText {
    std::string label;  // "B2"
    int page = 1, pages = 1;
    std::string title, date;
};
void paintBand(cairo_t* cr, double x, double y, double width, const BandText& text);

// The text every page carries so that nobody prints it scaled to fit.
constexpr const char* PRINT_AT_ACTUAL_SIZE = "Print at 100 % (actual size)";

}  // namespace bowlyn
