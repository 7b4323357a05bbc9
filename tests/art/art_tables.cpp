#include "tests/art/art_tables.h"

#include <QColor>
#include <QLibrary>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "goview/resources/picture_table.h"

namespace arttest {

namespace {

const hall::ResourceModule& Opened(const char* path) {
    QString error;
    auto module = hall::ResourceModule::Open(QString::fromUtf8(path), &error);
    if (!module) {
        std::fprintf(stderr, "cannot open %s: %s\n", path, qPrintable(error));
        std::abort();
    }
    // Kept for the whole run: pictures point into the library.
    static std::vector<std::shared_ptr<hall::ResourceModule>> keep;
    keep.push_back(module);
    return *module;
}

std::span<const GoResourceEntry> Resolved(const char* path) {
    static std::vector<std::unique_ptr<QLibrary>> keep;
    auto library = std::make_unique<QLibrary>(QString::fromUtf8(path));
    const auto table = reinterpret_cast<GoResourceTableFunction>(library->resolve(GO_RESOURCE_TABLE_SYMBOL));
    if (table == nullptr) return {};
    uint32_t count = 0;
    const GoResourceEntry* entries = table(&count);
    keep.push_back(std::move(library));
    return {entries, count};
}

bool SameColour(QRgb a, QRgb b) { return (a | 0xFF000000u) == (b | 0xFF000000u); }

}  // namespace

const hall::ResourceModule& Stonemind() {
    static const hall::ResourceModule& module = Opened(STONEMIND_LIBRARY);
    return module;
}

const hall::ResourceModule& Faces() {
    static const hall::ResourceModule& module = Opened(GOFACES_LIBRARY);
    return module;
}

const hall::ResourceModule& LegacyRes() {
    static const hall::ResourceModule& module = Opened(RES_LIBRARY);
    return module;
}

const hall::ResourceModule& Goview() {
    static const std::shared_ptr<hall::ResourceModule> module = hall::ResourceModule::FromTable(&goview::PictureTable);
    return *module;
}

std::span<const GoResourceEntry> StonemindEntries() { return Resolved(STONEMIND_LIBRARY); }
std::span<const GoResourceEntry> FacesEntries() { return Resolved(GOFACES_LIBRARY); }
std::span<const GoResourceEntry> LegacyResEntries() { return Resolved(RES_LIBRARY); }
std::span<const GoResourceEntry> GoviewEntries() {
    uint32_t count = 0;
    const GoResourceEntry* entries = goview::PictureTable(&count);
    return {entries, count};
}

QImage Picture(const hall::ResourceModule& module, int number) {
    return module.LoadPicture(number).convertToFormat(QImage::Format_ARGB32);
}

bool DecodeCursor(const GoResourceEntry& entry, QPoint* hotSpot, QImage* image) {
    if (entry.size < 4) return false;
    *hotSpot = QPoint(entry.bytes[0] | (entry.bytes[1] << 8), entry.bytes[2] | (entry.bytes[3] << 8));
    *image = QImage::fromData(entry.bytes + 4, static_cast<int>(entry.size - 4), "PNG");
    return !image->isNull();
}

int EnclosedKeyPixels(const QImage& image, QRgb key) {
    const int w = image.width(), h = image.height();
    std::vector<char> reached(static_cast<size_t>(w * h), 0);
    std::vector<QPoint> pending;
    auto visit = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h) return;
        char& seen = reached[static_cast<size_t>(y * w + x)];
        if (seen || !SameColour(image.pixel(x, y), key)) return;
        seen = 1;
        pending.emplace_back(x, y);
    };
    for (int x = 0; x < w; ++x) visit(x, 0), visit(x, h - 1);
    for (int y = 0; y < h; ++y) visit(0, y), visit(w - 1, y);
    while (!pending.empty()) {
        const QPoint p = pending.back();
        pending.pop_back();
        visit(p.x() + 1, p.y()), visit(p.x() - 1, p.y()), visit(p.x(), p.y() + 1), visit(p.x(), p.y() - 1);
    }
    int enclosed = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (SameColour(image.pixel(x, y), key) && !reached[static_cast<size_t>(y * w + x)]) ++enclosed;
        }
    }
    return enclosed;
}

int NearKeyPixels(const QImage& image, QRgb key, int distance) {
    int near = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (SameColour(p, key)) continue;
            if (std::abs(qRed(p) - qRed(key)) <= distance && std::abs(qGreen(p) - qGreen(key)) <= distance &&
                std::abs(qBlue(p) - qBlue(key)) <= distance) {
                ++near;
            }
        }
    }
    return near;
}

namespace {

bool JoinsWithoutStep(const QImage& tile) {
    // Mean absolute channel difference between two columns (or rows).
    auto step = [&](int a, int b, bool columns) {
        const int n = columns ? tile.height() : tile.width();
        double sum = 0;
        for (int i = 0; i < n; ++i) {
            const QRgb p = columns ? tile.pixel(a, i) : tile.pixel(i, a);
            const QRgb q = columns ? tile.pixel(b, i) : tile.pixel(i, b);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
        return sum / (3.0 * n);
    };
    for (bool columns : {true, false}) {
        const int last = (columns ? tile.width() : tile.height()) - 1;
        const double beside = std::max({step(last - 2, last - 1, columns), step(last - 1, last, columns),
                                        step(0, 1, columns), step(1, 2, columns)});
        if (step(last, 0, columns) > 1.5 * beside + 1.0) return false;
    }
    return true;
}

}  // namespace

bool RepeatsWithoutSeam(const QImage& tile) {
    // Fine grain hides a seam pixel by pixel; at a quarter of the size only the broad shading
    // remains, and a seam in it shows.
    const QImage broad = tile.scaled(tile.width() / 4, tile.height() / 4, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return JoinsWithoutStep(tile) && JoinsWithoutStep(broad);
}

double MeanLuma(const QImage& image) {
    double sum = 0, weight = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            const double a = qAlpha(p) / 255.0;
            sum += a * (0.299 * qRed(p) + 0.587 * qGreen(p) + 0.114 * qBlue(p));
            weight += a;
        }
    }
    return weight > 0 ? sum / weight : 0.0;
}

double MeanSaturation(const QImage& image) {
    double sum = 0;
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAlpha(p) < 255) continue;
            sum += QColor(p).hsvSaturation();
            ++count;
        }
    }
    return count > 0 ? sum / count : 0.0;
}

}  // namespace arttest
