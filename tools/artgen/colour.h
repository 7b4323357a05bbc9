#pragma once

#include <QRgb>
#include <algorithm>
#include <cmath>

namespace artgen {

// A colour with channels in 0..255 as doubles, for per-pixel texture arithmetic.
struct Rgb {
    double r = 0, g = 0, b = 0;

    friend Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
    friend Rgb operator-(Rgb a, Rgb b) { return {a.r - b.r, a.g - b.g, a.b - b.b}; }
    friend Rgb operator*(Rgb a, double k) { return {a.r * k, a.g * k, a.b * k}; }
    friend Rgb operator*(Rgb a, Rgb b) { return {a.r * b.r / 255.0, a.g * b.g / 255.0, a.b * b.b / 255.0}; }
};

inline Rgb Mix(Rgb a, Rgb b, double t) { return a + (b - a) * t; }

inline int ToByte(double v) { return std::clamp(static_cast<int>(std::lround(v)), 0, 255); }

inline QRgb ToQRgb(Rgb c) { return qRgb(ToByte(c.r), ToByte(c.g), ToByte(c.b)); }

inline double Smoothstep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

}  // namespace artgen
