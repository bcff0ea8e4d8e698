#pragma once

// One body outline written in every form `bowlyn-cli fit` reads, made in the
// test from the program's own solved outline (never a checked-in copy).
#include <cairo.h>
#include <jpeglib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/core/traced_outlines.h"

namespace bowlyn::test {

// A piece of the outline in millimetres, walked in order round the loop.
struct LoopPiece {
    ModelPiece piece;
    bool forward = true;
    TracePoint from() const {
        return forward ? TracePoint{piece.x1, piece.y1} : TracePoint{piece.x2, piece.y2};
    }
    TracePoint to() const {
        return forward ? TracePoint{piece.x2, piece.y2} : TracePoint{piece.x1, piece.y1};
    }
    double startDegrees() const {
        return std::atan2(piece.y1 - piece.cy, piece.x1 - piece.cx) * 180 / M_PI;
    }
};

inline std::vector<LoopPiece> loopPieces(const DesignParameters& p) {
    OutlineModel model;
    const double mm = mmPerUnit(p.units);
    std::vector<LoopPiece> loop;
    TracePoint last;
    const auto solved = model.solve(p);
    for (ModelPiece m : *solved) {
        for (double* v : {&m.x1, &m.y1, &m.x2, &m.y2, &m.cx, &m.cy, &m.r})
            *v *= mm;
        LoopPiece l{m, true};
        if (!loop.empty()) {
            l.forward = std::hypot(m.x1 - last.x, m.y1 - last.y) <=
                        std::hypot(m.x2 - last.x, m.y2 - last.y);
        } else {
            l.forward = true;
        }
        loop.push_back(l);
        last = l.to();
    }
    // The first piece runs towards the second.
    if (loop.size() > 1) {
        const TracePoint a = loop[1].from();
        const ModelPiece& f = loop[0].piece;
        loop[0].forward = std::hypot(f.x2 - a.x, f.y2 - a.y) <= std::hypot(f.x1 - a.x, f.y1 - a.y);
    }
    return loop;
}

inline std::string num(double v) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.10g", v);
    return buffer;
}

// An SVG in millimetres (its y turned down, as SVG's is), the loop one path
// of lines and arcs inside a moved and scaled group.
inline std::string svgOf(const std::vector<LoopPiece>& loop) {
    const auto pt = [](const TracePoint& p) {
        return num((p.x + 400) / 2) + "," + num((600 - p.y) / 2) + " ";
    };
    std::string d = "M " + pt(loop[0].from());
    for (const LoopPiece& l : loop) {
        if (!l.piece.arc) {
            d += "L " + pt(l.to());
            continue;
        }
        // Counter-clockwise with y up is the negative angle direction in SVG.
        d += "A " + num(l.piece.r / 2) + " " + num(l.piece.r / 2) + " 0 " +
             (l.piece.sweep > M_PI ? "1 " : "0 ") + (l.forward ? "0 " : "1 ") + pt(l.to());
    }
    return "<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"800mm\" "
           "height=\"700mm\" viewBox=\"0 0 800 700\"><defs><path d=\"M 0 0 L 5000 5000\"/></defs>"
           "<g transform=\"translate(-400 -600) scale(2)\"><path d=\"" +
           d + "Z\" fill=\"none\"/></g></svg>";
}

// A DXF of LINE and ARC entities in inches, in no particular order or
// direction, with a stray line beside the body.
inline std::string dxfLinesAndArcs(const std::vector<LoopPiece>& loop) {
    std::string s =
        "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n1\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n";
    std::vector<size_t> order(loop.size());
    for (size_t k = 0; k < order.size(); ++k)
        order[k] = k;
    std::shuffle(order.begin(), order.end(), std::mt19937(1));
    for (size_t k = 0; k < loop.size(); ++k) {
        const LoopPiece& l = loop[order[k]];
        const ModelPiece& m = l.piece;
        if (m.arc) {
            s += "0\nARC\n8\nbody\n10\n" + num(m.cx / 25.4) + "\n20\n" + num(m.cy / 25.4) +
                 "\n40\n" + num(m.r / 25.4) + "\n50\n" + num(l.startDegrees()) + "\n51\n" +
                 num(l.startDegrees() + m.sweep * 180 / M_PI) + "\n";
        } else {
            const bool flip = k % 2 == 1;
            const TracePoint a = flip ? l.to() : l.from(), b = flip ? l.from() : l.to();
            s += "0\nLINE\n8\nbody\n10\n" + num(a.x / 25.4) + "\n20\n" + num(a.y / 25.4) +
                 "\n11\n" + num(b.x / 25.4) + "\n21\n" + num(b.y / 25.4) + "\n";
        }
    }
    s += "0\nLINE\n10\n-20\n20\n0\n11\n-20\n21\n5\n0\nENDSEC\n0\nEOF\n";
    return s;
}

// The loop as one closed LWPOLYLINE with bulges, in centimetres.
inline std::string dxfPolyline(const std::vector<LoopPiece>& loop) {
    std::string s =
        "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n5\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n"
        "0\nLWPOLYLINE\n8\nbody\n90\n" +
        std::to_string(loop.size()) + "\n70\n1\n";
    for (const LoopPiece& l : loop) {
        const double bulge = l.piece.arc ? std::tan(l.piece.sweep / 4) * (l.forward ? 1 : -1) : 0;
        s += "10\n" + num(l.from().x / 10) + "\n20\n" + num(l.from().y / 10) + "\n42\n" +
             num(bulge) + "\n";
    }
    return s + "0\nENDSEC\n0\nEOF\n";
}

// The body filled in dark grey on white at `dpi`, with its pixel frame:
// x_px = (x + left) * k, rows counted down from y = top.
struct Scan {
    int width = 0, height = 0;
    double k = 0, left = 0, top = 0;
    std::vector<unsigned char> grey;  // row by row from the top
    // A point as the picture's reader gives it (mm from the bottom left
    // corner) in the body's frame.
    TracePoint toBody(const TracePoint& read) const {
        return {read.x - left, top - height / k + read.y};
    }
};

inline Scan scanOf(const Polyline& body, double dpi) {
    Scan scan;
    scan.k = dpi / 25.4;
    double x0 = 1e9, x1 = -1e9, y0 = 1e9, y1 = -1e9;
    for (const TracePoint& p : body) {
        x0 = std::min(x0, p.x), x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
    }
    scan.left = 20 - x0;
    scan.top = y1 + 20;
    scan.width = static_cast<int>((x1 - x0 + 40) * scan.k);
    scan.height = static_cast<int>((y1 - y0 + 40) * scan.k);
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_A8, scan.width, scan.height);
    cairo_t* cr = cairo_create(s);
    for (const TracePoint& p : body)
        cairo_line_to(cr, (p.x + scan.left) * scan.k, (scan.top - p.y) * scan.k);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_surface_flush(s);
    const int stride = cairo_image_surface_get_stride(s);
    const unsigned char* data = cairo_image_surface_get_data(s);
    for (int y = 0; y < scan.height; ++y) {
        for (int x = 0; x < scan.width; ++x)
            scan.grey.push_back(static_cast<unsigned char>(255 - data[y * stride + x] * 200 / 255));
    }
    cairo_destroy(cr);
    cairo_surface_destroy(s);
    return scan;
}

inline cairo_status_t appendTo(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

inline std::string pngOf(const Scan& scan) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, scan.width, scan.height);
    const int stride = cairo_image_surface_get_stride(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    for (int y = 0; y < scan.height; ++y) {
        for (int x = 0; x < scan.width; ++x) {
            const unsigned char g = scan.grey[static_cast<size_t>(y) * scan.width + x];
            for (int c = 0; c < 3; ++c)
                data[y * stride + 4 * x + c] = g;
        }
    }
    cairo_surface_mark_dirty(s);
    std::string png;
    cairo_surface_write_to_png_stream(s, appendTo, &png);
    cairo_surface_destroy(s);
    return png;
}

inline std::string jpegOf(const Scan& scan) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(scan.width);
    info.image_height = static_cast<JDIMENSION>(scan.height);
    info.input_components = 1;
    info.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 85, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<unsigned char*>(scan.grey.data()) +
                       static_cast<size_t>(info.next_scanline) * scan.width;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string bytes(reinterpret_cast<char*>(buffer), size);
    free(buffer);
    return bytes;
}

}  // namespace bowlyn::test
