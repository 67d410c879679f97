// gen_art.cpp - draws ClickPocket's icon and About-box bitmaps from code.
//
// Every picture is built from a handful of vector primitives evaluated as
// signed distance functions (negative = inside). Each output pixel is split
// into 4x4 samples; a sample is painted when it lies inside a shape, and the
// samples are averaged at the end. That gives clean anti-aliased edges with
// no image libraries, and the output is byte-for-byte deterministic.
//
// Each picture is also drawn at 200 % and 350 % of its size, the masters the
// program scales its pictures for other display scales from: the same shapes,
// in the picture's own units, on a larger canvas.
//
// Build and run:  g++ -std=c++17 -O2 tools/gen_art.cpp -o gen_art && ./gen_art res/art

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "../core/scale_rules.h"    // the scales of the masters

// ---------------------------------------------------------------- geometry

struct Vec { double x, y; };
static Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
static Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
static Vec operator*(Vec a, double s) { return {a.x * s, a.y * s}; }
static double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
static double len(Vec a) { return std::sqrt(dot(a, a)); }
static const double kPi = 3.14159265358979323846;

using Sdf = std::function<double(Vec)>;  // signed distance, < 0 inside
using Map = std::function<Vec(Vec)>;     // canvas point -> drawing coordinates

static double sdSegment(Vec p, Vec a, Vec b) {
    Vec pa = p - a, ba = b - a;
    double t = std::clamp(dot(pa, ba) / dot(ba, ba), 0.0, 1.0);
    return len(pa - ba * t);
}

// Exact distance to a simple polygon; the sign comes from a crossing count.
static double sdPolygon(Vec p, const std::vector<Vec>& v) {
    double d = dot(p - v[0], p - v[0]), s = 1.0;
    for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
        Vec e = v[j] - v[i], w = p - v[i];
        Vec b = w - e * std::clamp(dot(w, e) / dot(e, e), 0.0, 1.0);
        d = std::min(d, dot(b, b));
        bool c1 = p.y >= v[i].y, c2 = p.y < v[j].y, c3 = e.x * w.y > e.y * w.x;
        if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) s = -s;
    }
    return s * std::sqrt(d);
}

static double sdRoundRect(Vec p, Vec lo, Vec hi, double r) {
    Vec c = (lo + hi) * 0.5, h = (hi - lo) * 0.5;
    double qx = std::fabs(p.x - c.x) - h.x + r, qy = std::fabs(p.y - c.y) - h.y + r;
    double out = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    return out + std::min(std::max(qx, qy), 0.0) - r;
}

// Distance to the circular arc from angle a0 to a1 (radians, clockwise on screen).
static double sdArc(Vec p, Vec c, double r, double a0, double a1) {
    Vec d = p - c;
    double a = std::atan2(d.y, d.x);
    while (a < a0) a += 2 * kPi;
    while (a >= a0 + 2 * kPi) a -= 2 * kPi;
    if (a <= a1) return std::fabs(len(d) - r);
    Vec e0 = c + Vec{std::cos(a0), std::sin(a0)} * r;
    Vec e1 = c + Vec{std::cos(a1), std::sin(a1)} * r;
    return std::min(len(p - e0), len(p - e1));
}

static Sdf polygon(std::vector<Vec> v) { return [v](Vec p) { return sdPolygon(p, v); }; }
static Sdf roundRect(Vec lo, Vec hi, double r) { return [=](Vec p) { return sdRoundRect(p, lo, hi, r); }; }
static Sdf circle(Vec c, double r) { return [=](Vec p) { return len(p - c) - r; }; }
static Sdf line(Vec a, Vec b, double w) { return [=](Vec p) { return sdSegment(p, a, b) - w / 2; }; }
static Sdf arc(Vec c, double r, double a0, double a1, double w) {
    return [=](Vec p) { return sdArc(p, c, r, a0, a1) - w / 2; };
}
// A stroked open polyline (round joins and caps come for free from the distance).
static Sdf polyline(std::vector<Vec> v, double w) {
    return [v, w](Vec p) {
        double d = 1e9;
        for (size_t i = 1; i < v.size(); ++i) d = std::min(d, sdSegment(p, v[i - 1], v[i]));
        return d - w / 2;
    };
}
static Sdf unite(Sdf a, Sdf b) { return [a, b](Vec p) { return std::min(a(p), b(p)); }; }
static Sdf clip(Sdf a, Sdf b) { return [a, b](Vec p) { return std::max(a(p), b(p)); }; }
static Sdf grow(Sdf a, double d) { return [a, d](Vec p) { return a(p) - d; }; }  // d < 0 shrinks

// ------------------------------------------------------------------ colour

struct RGBA { float r, g, b, a; };
using Paint = std::function<RGBA(Vec)>;

static RGBA rgb(int r, int g, int b, double a = 1.0) {
    return {r / 255.f, g / 255.f, b / 255.f, float(a)};
}
static RGBA mix(RGBA a, RGBA b, double t) {
    float u = float(std::clamp(t, 0.0, 1.0)), v = 1.f - u;
    return {a.r * v + b.r * u, a.g * v + b.g * u, a.b * v + b.b * u, a.a * v + b.a * u};
}
static Paint solid(RGBA c) { return [c](Vec) { return c; }; }
// Linear gradient from colour ca at point a to cb at point b.
static Paint gradient(Vec a, RGBA ca, Vec b, RGBA cb) {
    return [=](Vec p) { return mix(ca, cb, dot(p - a, b - a) / dot(b - a, b - a)); };
}

// ------------------------------------------------------------------ canvas

struct Canvas {
    static constexpr int S = 4;  // samples per pixel along each axis
    int w, h;                    // in pixels
    double zoom;                 // pixels per unit of the drawing
    std::vector<RGBA> px;        // premultiplied, (w*S) x (h*S), starts transparent
    Map map = [](Vec p) { return p; };

    // A drawing of w_ x h_ units, in pixels `zoom` times as many (rounded as the
    // program rounds its picture sizes: halves up). The shapes are laid out in
    // the drawing's own units at every zoom, so a larger canvas is the same
    // picture drawn with more pixels, never a stretched one.
    Canvas(int w_, int h_, double zoom_ = 1)
        : w(int(std::floor(w_ * zoom_ + 0.5))), h(int(std::floor(h_ * zoom_ + 0.5))), zoom(zoom_),
          px(size_t(w) * h * S * S, RGBA{0, 0, 0, 0}) {}

    // Paint every sample whose drawing-space position lies inside the shape.
    void fill(const Sdf& shape, const Paint& paint) {
        for (int y = 0; y < h * S; ++y)
            for (int x = 0; x < w * S; ++x) {
                Vec p = map(Vec{(x + 0.5) / S / zoom, (y + 0.5) / S / zoom});
                if (shape(p) >= 0) continue;
                RGBA c = paint(p), &d = px[size_t(y) * w * S + x];
                float k = 1.f - c.a;
                d = {c.r * c.a + d.r * k, c.g * c.a + d.g * k, c.b * c.a + d.b * k, c.a + d.a * k};
            }
    }
    void fill(const Sdf& shape, RGBA c) { fill(shape, solid(c)); }

    // Later shapes appear turned clockwise about `centre` and enlarged by `zoom`.
    void rotate(Vec centre, double degrees, double zoom = 1) {
        double a = degrees * kPi / 180, cs = std::cos(a) / zoom, sn = std::sin(a) / zoom;
        map = [=](Vec p) {
            Vec d = p - centre;
            return centre + Vec{d.x * cs + d.y * sn, -d.x * sn + d.y * cs};
        };
    }
    void reset() { map = [](Vec p) { return p; }; }

    // Average the samples of pixel (x, y): premultiplied RGBA in 0..1.
    RGBA pixel(int x, int y) const {
        RGBA s{0, 0, 0, 0};
        for (int j = 0; j < S; ++j)
            for (int i = 0; i < S; ++i) {
                const RGBA& q = px[size_t(y * S + j) * w * S + x * S + i];
                s = {s.r + q.r, s.g + q.g, s.b + q.b, s.a + q.a};
            }
        float n = 1.f / (S * S);
        return {s.r * n, s.g * n, s.b * n, s.a * n};
    }
};

// Projective map of the unit square onto a quad (corners TL, TR, BR, BL), used
// to paint artwork onto the faces of the box in perspective. inverse() turns
// canvas points back into face coordinates of size fw x fh.
struct Homography {
    double m[9];
    explicit Homography(const Vec q[4]) {
        double sx = q[0].x - q[1].x + q[2].x - q[3].x, sy = q[0].y - q[1].y + q[2].y - q[3].y;
        double dx1 = q[1].x - q[2].x, dx2 = q[3].x - q[2].x, dy1 = q[1].y - q[2].y, dy2 = q[3].y - q[2].y;
        double den = dx1 * dy2 - dx2 * dy1;
        double g = (sx * dy2 - dx2 * sy) / den, hh = (dx1 * sy - sx * dy1) / den;
        double v[9] = {q[1].x - q[0].x + g * q[1].x, q[3].x - q[0].x + hh * q[3].x, q[0].x,
                       q[1].y - q[0].y + g * q[1].y, q[3].y - q[0].y + hh * q[3].y, q[0].y,
                       g, hh, 1};
        std::copy(v, v + 9, m);
    }
    Map inverse(double fw, double fh) const {
        const double* a = m;  // adjugate of the 3x3 matrix is enough: scale cancels
        double i[9] = {a[4] * a[8] - a[5] * a[7], a[2] * a[7] - a[1] * a[8], a[1] * a[5] - a[2] * a[4],
                       a[5] * a[6] - a[3] * a[8], a[0] * a[8] - a[2] * a[6], a[2] * a[3] - a[0] * a[5],
                       a[3] * a[7] - a[4] * a[6], a[1] * a[6] - a[0] * a[7], a[0] * a[4] - a[1] * a[3]};
        std::vector<double> inv(i, i + 9);
        return [inv, fw, fh](Vec p) {
            double z = inv[6] * p.x + inv[7] * p.y + inv[8];
            return Vec{fw * (inv[0] * p.x + inv[1] * p.y + inv[2]) / z,
                       fh * (inv[3] * p.x + inv[4] * p.y + inv[5]) / z};
        };
    }
};

// -------------------------------------------------------------- stroke font
// Capitals on a 4 x 6 grid, each a list of polylines. Only the letters the
// pictures need are defined.
static const std::map<char, std::vector<std::vector<Vec>>>& glyphs() {
    static const std::map<char, std::vector<std::vector<Vec>>> g = {
        {'T', {{{0, 0}, {4, 0}}, {{2, 0}, {2, 6}}}},
        {'I', {{{1, 0}, {3, 0}}, {{2, 0}, {2, 6}}, {{1, 6}, {3, 6}}}},
        {'D', {{{0, 0}, {0, 6}, {2.4, 6}, {4, 4.4}, {4, 1.6}, {2.4, 0}, {0, 0}}}},
        {'E', {{{4, 0}, {0, 0}, {0, 6}, {4, 6}}, {{0, 3}, {3, 3}}}},
        {'L', {{{0, 0}, {0, 6}, {4, 6}}}},
        {'O', {{{1.4, 0}, {2.6, 0}, {4, 1.4}, {4, 4.6}, {2.6, 6}, {1.4, 6}, {0, 4.6}, {0, 1.4}, {1.4, 0}}}},
        {'C', {{{4, 1}, {3, 0}, {1.3, 0}, {0, 1.3}, {0, 4.7}, {1.3, 6}, {3, 6}, {4, 5}}}},
        {'K', {{{0, 0}, {0, 6}}, {{4, 0}, {0, 3.6}}, {{1.4, 2.4}, {4, 6}}}},
        {'R', {{{0, 6}, {0, 0}, {3, 0}, {4, 1}, {4, 2.2}, {3, 3.2}, {0, 3.2}}, {{2, 3.2}, {4, 6}}}},
        {'P', {{{0, 6}, {0, 0}, {3, 0}, {4, 1}, {4, 2.2}, {3, 3.2}, {0, 3.2}}}},
    };
    return g;
}

static double textWidth(const std::string& s, double scale) { return (s.size() * 5.3 - 1.3) * scale; }

// Text whose top-left corner is at `at`; `scale` is the size of one grid unit.
static Sdf text(const std::string& s, Vec at, double scale, double stroke) {
    std::vector<Sdf> parts;
    for (size_t i = 0; i < s.size(); ++i) {
        auto it = glyphs().find(s[i]);
        if (it == glyphs().end()) continue;  // space, or a letter we do not draw
        for (const auto& stroke_pts : it->second) {
            std::vector<Vec> pts;
            for (Vec q : stroke_pts) pts.push_back(at + Vec{q.x + 5.3 * i, q.y} * scale);
            parts.push_back(polyline(pts, stroke));
        }
    }
    return [parts](Vec p) {
        double d = 1e9;
        for (const Sdf& f : parts) d = std::min(d, f(p));
        return d;
    };
}

// ----------------------------------------------------------- the pocket folder
// The program's motif, laid out on a 16 x 16 grid so that at 16, 32 and 48
// pixels (u = 1, 2, 3) the main edges fall on pixel boundaries and stay sharp.
// `edge` is the outline width in pixels.
static void drawFolder(Canvas& c, Vec o, double u, double edge) {
    auto P = [&](double x, double y) { return o + Vec{x, y} * u; };
    RGBA outline = rgb(105, 55, 10);

    // Back panel with its tab, a darker orange so the front reads as nearer.
    Sdf back = unite(polygon({P(1, 2), P(6, 2), P(8, 4), P(1, 4)}), roundRect(P(1, 3), P(15, 14), u));
    c.fill(back, outline);
    c.fill(grow(back, -edge), gradient(P(0, 2), rgb(250, 165, 45), P(0, 8), rgb(230, 135, 25)));

    // Front panel, bright yellow fading to orange.
    Sdf front = roundRect(P(1, 6), P(15, 14), u);
    c.fill(front, outline);
    c.fill(grow(front, -edge), gradient(P(0, 6), rgb(255, 228, 110), P(0, 14), rgb(245, 170, 35)));
    if (u >= 1.5)  // a light rim under the top edge; too fine to help at 16 px
        c.fill(line(P(1, 6) + Vec{edge + u, edge + 0.5 * u}, P(15, 6) + Vec{-edge - u, edge + 0.5 * u}, u * 0.5),
               rgb(255, 246, 200, 0.9));

    // The dark pocket flap hanging from the top edge, closed by a gold button.
    // At 16 px a stepped flap and a square button stay crisp; larger sizes get curves.
    Sdf flap = u < 1.5 ? unite(roundRect(P(5, 6), P(11, 9), 0), roundRect(P(6, 9), P(10, 10), 0))
                     : polygon({P(5, 6), P(11, 6), P(11, 8.5), P(8, 10.5), P(5, 8.5)});
    c.fill(flap, u < 1.5 ? rgb(40, 50, 110) : rgb(20, 25, 90));
    if (u >= 1.5) c.fill(grow(flap, -edge), gradient(P(0, 6), rgb(60, 80, 150), P(0, 10), rgb(30, 40, 90)));
    if (u < 1.5) {
        c.fill(roundRect(P(7, 7), P(9, 9), 0), rgb(255, 215, 80));
        return;
    }
    c.fill(circle(P(8, 8.1), 0.95 * u), rgb(120, 70, 10));
    c.fill(circle(P(8, 8.1), 0.65 * u), rgb(255, 215, 80));
}

// ------------------------------------------------------------------ writers

using Bytes = std::vector<uint8_t>;
static void put16(Bytes& b, unsigned v) { b.push_back(uint8_t(v)); b.push_back(uint8_t(v >> 8)); }
static void put32(Bytes& b, uint32_t v) { put16(b, v & 0xFFFF); put16(b, v >> 16); }
static uint8_t to8(float v) { return uint8_t(std::lround(std::clamp(v, 0.f, 1.f) * 255)); }

static void save(const std::string& path, const Bytes& b) {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
    if (!f) { std::fprintf(stderr, "gen_art: cannot write %s\n", path.c_str()); std::exit(1); }
}

static void infoHeader(Bytes& b, int w, int h, int bpp, uint32_t imageSize) {
    put32(b, 40); put32(b, uint32_t(w)); put32(b, uint32_t(h));
    put16(b, 1); put16(b, unsigned(bpp)); put32(b, 0 /* BI_RGB */); put32(b, imageSize);
    put32(b, 0); put32(b, 0); put32(b, 0); put32(b, 0);
}

// 24-bit BMP over black: premultiplied colour is exactly "composited on black".
static Bytes bmp24(const Canvas& c) {
    uint32_t row = uint32_t((c.w * 3 + 3) & ~3), image = row * uint32_t(c.h);
    Bytes b;
    b.push_back('B'); b.push_back('M'); put32(b, 54 + image); put32(b, 0); put32(b, 54);
    infoHeader(b, c.w, c.h, 24, image);
    for (int y = c.h - 1; y >= 0; --y) {  // bottom-up
        for (int x = 0; x < c.w; ++x) {
            RGBA p = c.pixel(x, y);
            b.push_back(to8(p.b)); b.push_back(to8(p.g)); b.push_back(to8(p.r));
        }
        for (int i = c.w * 3; i < int(row); ++i) b.push_back(0);
    }
    return b;
}

// 256 colours: the 6x6x6 web cube plus 40 greys between its levels.
static std::vector<RGBA> palette() {
    std::vector<RGBA> pal;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b) pal.push_back(rgb(r * 51, g * 51, b * 51));
    for (int i = 0; pal.size() < 256; ++i) {
        int v = (i + 1) * 255 / 41;
        pal.push_back(rgb(v, v, v));
    }
    return pal;
}

static uint8_t nearest(const std::vector<RGBA>& pal, RGBA c) {
    size_t best = 0;
    double bestD = 1e9;
    for (size_t i = 0; i < pal.size(); ++i) {  // weights roughly follow how the eye sees
        double dr = pal[i].r - c.r, dg = pal[i].g - c.g, db = pal[i].b - c.b;
        double d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (d < bestD) { bestD = d; best = i; }
    }
    return uint8_t(best);
}

// One icon image: header, (palette), XOR bitmap, AND mask. Pixels under half
// opacity are transparent in the mask; 32-bit images also keep soft alpha.
static Bytes iconImage(const Canvas& c, int bpp) {
    int n = c.w;
    uint32_t xorRow = uint32_t((n * bpp / 8 + 3) & ~3), andRow = uint32_t((n + 31) / 32 * 4);
    Bytes b;
    infoHeader(b, n, 2 * n, bpp, (xorRow + andRow) * uint32_t(n));
    std::vector<RGBA> pal = palette();
    if (bpp == 8)
        for (RGBA p : pal) { b.push_back(to8(p.b)); b.push_back(to8(p.g)); b.push_back(to8(p.r)); b.push_back(0); }
    Bytes mask;
    for (int y = n - 1; y >= 0; --y) {
        Bytes bits(andRow, 0);
        for (int x = 0; x < n; ++x) {
            RGBA p = c.pixel(x, y);
            RGBA s = p.a > 0 ? RGBA{p.r / p.a, p.g / p.a, p.b / p.a, p.a} : RGBA{0, 0, 0, 0};
            bool opaque = p.a >= 0.5f;
            if (!opaque) bits[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
            if (bpp == 8) {
                b.push_back(opaque ? nearest(pal, s) : 0);
            } else {
                b.push_back(to8(s.b)); b.push_back(to8(s.g)); b.push_back(to8(s.r)); b.push_back(to8(s.a));
            }
        }
        for (uint32_t i = uint32_t(n * bpp / 8); i < xorRow; ++i) b.push_back(0);
        mask.insert(mask.end(), bits.begin(), bits.end());
    }
    b.insert(b.end(), mask.begin(), mask.end());
    return b;
}

static Bytes icoFile() {
    struct Entry { int size, bpp; Bytes data; };
    std::vector<Entry> entries;
    for (int size : {16, 32, 48}) {
        Canvas c(size, size);
        double u = size / 16.0;
        drawFolder(c, {0, 0}, u, size >= 32 ? 2.0 : 1.0);
        for (int bpp : {8, 32}) entries.push_back({size, bpp, iconImage(c, bpp)});
    }
    Bytes b;
    put16(b, 0); put16(b, 1); put16(b, unsigned(entries.size()));  // ICONDIR: reserved, type icon, count
    uint32_t offset = uint32_t(6 + 16 * entries.size());
    for (const Entry& e : entries) {
        b.push_back(uint8_t(e.size)); b.push_back(uint8_t(e.size));
        b.push_back(0); b.push_back(0);  // bColorCount, bReserved
        put16(b, 1); put16(b, unsigned(e.bpp));
        put32(b, uint32_t(e.data.size())); put32(b, offset);
        offset += uint32_t(e.data.size());
    }
    for (const Entry& e : entries) b.insert(b.end(), e.data.begin(), e.data.end());
    return b;
}

// ---------------------------------------------------------------- pictures

// About box: a tilted ClickPocket window with the folder inside, crossed by a
// glowing yellow wave that is drawn last so it sits in front of the window.
// The wave dips under the folder so the pocket stays visible.
static Canvas aboutPicture(double zoom) {
    Canvas c(100, 100, zoom);
    c.rotate({50, 50}, -15, 1.1);
    RGBA grey = rgb(205, 208, 215), dark = rgb(55, 58, 70);
    Sdf frame = roundRect({14, 20}, {86, 82}, 2);
    c.fill(frame, dark);
    c.fill(grow(frame, -1), gradient({0, 20}, rgb(228, 230, 236), {0, 82}, rgb(170, 174, 184)));
    c.fill(roundRect({17, 23}, {83, 33}, 1), gradient({17, 0}, rgb(12, 40, 120), {83, 0}, rgb(95, 155, 230)));
    for (int i = 0; i < 3; ++i) {  // minimise, maximise, close
        double x = 63 + 6.5 * i;
        c.fill(roundRect({x, 24.5}, {x + 5.5, 31.5}, 0.6), dark);
        c.fill(roundRect({x + 0.7, 25.2}, {x + 4.8, 30.8}, 0.3), grey);
    }
    c.fill(line({64.5, 29.6}, {67.5, 29.6}, 0.9), dark);
    c.fill(grow(roundRect({71.2, 26.2}, {74.3, 29.8}, 0.2), 0.45), dark);
    c.fill(grow(roundRect({71.2, 26.2}, {74.3, 29.8}, 0.2), -0.45), grey);
    c.fill(unite(line({77.8, 26.4}, {80.6, 29.6}, 0.9), line({80.6, 26.4}, {77.8, 29.6}, 0.9)), dark);
    c.fill(text("CLICKPOCKET", {19.5, 26}, 0.7, 0.8), rgb(255, 255, 255));
    Sdf client = roundRect({17, 35}, {83, 79}, 0.8);
    c.fill(client, rgb(120, 124, 135));
    c.fill(grow(client, -0.8), gradient({0, 35}, rgb(252, 252, 248), {0, 79}, rgb(225, 228, 235)));
    double u = 1.9;
    drawFolder(c, Vec{44, 54} - Vec{8, 8} * u, u, 1.3);

    c.reset();
    std::vector<Vec> wave;
    for (double x = -10; x <= 110; x += 0.5)
        wave.push_back({x, 66 - 0.5 * (x - 50) + 16 * std::sin((x - 56) * 2 * kPi / 64 + kPi / 2)});
    c.fill(polyline(wave, 9), rgb(0, 0, 0));          // a black gap where it crosses the window
    c.fill(polyline(wave, 5.5), rgb(235, 145, 0));    // orange rim ...
    c.fill(polyline(wave, 3), rgb(255, 225, 50));     // ... yellow body ...
    std::vector<Vec> shine;
    for (Vec p : wave) shine.push_back(p + Vec{0, -0.6});
    c.fill(polyline(shine, 0.9), rgb(255, 250, 200, 0.8));  // ... and a highlight, so it looks round
    return c;
}

// Corvellan International: a silver-rimmed blue badge carrying a "CV" monogram.
static Canvas logoPicture(double zoom) {
    Canvas c(62, 46, zoom);
    Sdf badge = roundRect({1.5, 1.5}, {60.5, 44.5}, 11);
    c.fill(badge, gradient({0, 1}, rgb(235, 238, 245), {0, 45}, rgb(120, 126, 142)));
    c.fill(grow(badge, -2.2), gradient({0, 3}, rgb(40, 95, 190), {0, 43}, rgb(10, 28, 85)));
    c.fill(clip(grow(badge, -3.2), circle({31, -38}, 58)), rgb(255, 255, 255, 0.14));  // gloss

    Paint silver = gradient({0, 10}, rgb(250, 251, 255), {0, 36}, rgb(150, 158, 175));
    RGBA edge = rgb(8, 20, 60);
    Sdf C = arc({23, 23}, 11, 0.25 * kPi, 1.75 * kPi, 5.5);  // opens to the right
    Sdf V = polyline({{31, 11.5}, {40, 34}, {49, 11.5}}, 5.5);
    c.fill(grow(C, 1), edge);
    c.fill(C, silver);
    c.fill(grow(V, 1), edge);  // V overlaps the C's mouth; its dark edge keeps them apart
    c.fill(V, silver);
    return c;
}

// Tidelocker Pro: a boxed product in perspective, front face with padlock and waves.
static Canvas boxPicture(double zoom) {
    Canvas c(150, 150, zoom);
    const double W = 35, H = 48, D = 17;  // half sizes of the box
    auto view = [](double x, double y, double z) {  // turn the box, then perspective
        double yaw = -30 * kPi / 180, pitch = 24 * kPi / 180;
        double x1 = x * std::cos(yaw) + z * std::sin(yaw), z1 = -x * std::sin(yaw) + z * std::cos(yaw);
        double y1 = y * std::cos(pitch) - z1 * std::sin(pitch), z2 = y * std::sin(pitch) + z1 * std::cos(pitch);
        double k = 1 / (300 - z2);  // nearer points spread out
        return Vec{x1 * k, -y1 * k};
    };
    // Fit the box's outline into the picture with a small margin, centred.
    Vec lo{1e9, 1e9}, hi{-1e9, -1e9};
    for (int i = 0; i < 8; ++i) {
        Vec q = view(i & 1 ? W : -W, i & 2 ? H : -H, i & 4 ? D : -D);
        lo = {std::min(lo.x, q.x), std::min(lo.y, q.y)};
        hi = {std::max(hi.x, q.x), std::max(hi.y, q.y)};
    }
    double scale = 136 / std::max(hi.x - lo.x, hi.y - lo.y);
    Vec mid = (lo + hi) * 0.5;
    auto project = [&](double x, double y, double z) { return Vec{75, 75} + (view(x, y, z) - mid) * scale; };
    Vec front[4] = {project(-W, H, D), project(W, H, D), project(W, -H, D), project(-W, -H, D)};
    Vec side[4] = {project(W, H, D), project(W, H, -D), project(W, -H, -D), project(W, -H, D)};
    Vec top[4] = {project(-W, H, -D), project(W, H, -D), project(W, H, D), project(-W, H, D)};
    auto quad = [](const Vec q[4]) { return polygon({q[0], q[1], q[2], q[3]}); };

    // Faces: lit from the upper left, so top brightest, side darkest.
    c.fill(quad(top), gradient(top[0], rgb(80, 125, 185), top[3], rgb(120, 165, 215)));
    c.fill(quad(side), gradient(side[0], rgb(14, 36, 80), side[3], rgb(8, 60, 85)));
    c.fill(quad(front), gradient(front[0], rgb(22, 48, 115), front[3], rgb(12, 105, 140)));

    // Waves along the bottom of the front and side, in face coordinates.
    auto waves = [&](double fw, double phase) {
        Sdf face = roundRect({0, 0}, {fw, 2 * H}, 0);
        for (int i = 0; i < 3; ++i) {
            double base = 72 + 7 * i;
            Sdf sea = [=](Vec p) { return base + 2.4 * std::sin((p.x + phase) * 2 * kPi / 18 + i * 1.7) - p.y; };
            c.fill(clip(sea, face), i == 0 ? rgb(40, 160, 195, 0.8) : i == 1 ? rgb(90, 195, 225, 0.75)
                                                                             : rgb(200, 240, 250, 0.6));
        }
    };
    c.map = Homography(side).inverse(2 * D, 2 * H);
    waves(2 * D, 2 * W);
    c.map = Homography(front).inverse(2 * W, 2 * H);
    waves(2 * W, 0);

    // Front artwork: name, gold "PRO", and a padlock.
    double s = 1.16;
    c.fill(text("TIDELOCKER", {35 - textWidth("TIDELOCKER", s) / 2, 8}, s, 1.5), rgb(235, 242, 255));
    c.fill(line({8, 19}, {62, 19}, 0.8), rgb(240, 190, 70));
    c.fill(text("PRO", {35 - textWidth("PRO", 1.0) / 2, 23}, 1.0, 1.6), rgb(255, 205, 70));
    Sdf shackle = unite(arc({35, 44}, 8, kPi, 2 * kPi, 3.6),
                        unite(line({27, 44}, {27, 50}, 3.6), line({43, 44}, {43, 50}, 3.6)));
    c.fill(grow(shackle, 0.8), rgb(10, 25, 60));
    c.fill(shackle, gradient({0, 35}, rgb(240, 244, 250), {0, 50}, rgb(140, 150, 170)));
    Sdf body = roundRect({22, 48}, {48, 67}, 3);
    c.fill(grow(body, 0.8), rgb(10, 25, 60));
    c.fill(body, gradient({0, 48}, rgb(255, 222, 110), {0, 67}, rgb(200, 135, 25)));
    c.fill(line({24.5, 50.3}, {45.5, 50.3}, 1.2), rgb(255, 245, 200, 0.8));
    c.fill(unite(circle({35, 56}, 2.6), polygon({{33.6, 57}, {36.4, 57}, {37.2, 63}, {32.8, 63}})), rgb(60, 35, 5));

    // Crisp light edges so the box stands out from the black background.
    c.reset();
    RGBA rim = rgb(170, 205, 240, 0.7);
    for (auto [a, b] : {std::pair{front[0], front[1]}, {front[1], front[2]}, {front[0], front[3]},
                        {front[3], front[2]}, {top[0], top[1]}, {top[0], top[3]}, {side[1], side[2]},
                        {side[2], side[3]}})
        c.fill(line(a, b, 0.7), rim);
    return c;
}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    std::string dir = argv[1];
    std::filesystem::create_directories(dir);
    save(dir + "/clickpocket.ico", icoFile());
    // Each picture at 100 %, and the masters that the program scales down from
    // for other display scales (ui/dialog_pictures.cpp): 200 % for 125 to 200 %,
    // 350 % for 225 to 350 % (core/scale_rules.h, PictureScales).
    struct Picture { const char* name; Canvas (*draw)(double); };
    for (const Picture& p : {Picture{"about", aboutPicture}, Picture{"cvlogo", logoPicture},
                             Picture{"tidelocker", boxPicture}}) {
        save(dir + "/" + p.name + ".bmp", bmp24(p.draw(1)));
        for (int percent : PictureScales)
            if (percent != 100)
                save(dir + "/" + p.name + "_" + std::to_string(percent) + ".bmp",
                     bmp24(p.draw(percent / 100.0)));
    }
    return 0;
}
