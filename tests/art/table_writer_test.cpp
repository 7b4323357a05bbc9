// The generated table source: what the build compiles into the resource modules and the plug-in.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <vector>

#include "tools/artgen/table_writer.h"

namespace artgen {
namespace {

QImage Filled(int width, int height, QRgb colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

class TableWriter : public ::testing::Test {
protected:
    TableOptions Options(const QString& function = QStringLiteral("GoResourceTable")) const {
        TableOptions options;
        options.setName = QStringLiteral("sample");
        options.outDir = m_dir.filePath(QStringLiteral("pictures"));
        options.sourcePath = m_dir.filePath(QStringLiteral("table.cpp"));
        options.function = function;
        return options;
    }
    QString Source() const {
        QFile file(m_dir.filePath(QStringLiteral("table.cpp")));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return QString::fromUtf8(file.readAll());
    }
    // The table's rows as (number, kind, size).
    std::vector<std::tuple<int, int, int>> Rows() const {
        std::vector<std::tuple<int, int, int>> rows;
        static const QRegularExpression row(QStringLiteral(R"(\{(\d+)u, (\d)u, \w+, (\d+)u\})"));
        for (auto it = row.globalMatch(Source()); it.hasNext();) {
            const auto m = it.next();
            rows.emplace_back(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        }
        return rows;
    }

    QTemporaryDir m_dir;
};

TEST_F(TableWriter, ListsEntriesSortedByKindThenNumberWithTheirByteCounts) {
    const PictureList pictures = {
        MakePicture(30, Filled(4, 4, 0xFF102030u)),
        {7, PictureKind::Cursor, Filled(8, 8, 0xFFFFFFFFu), QPoint(3, 260)},
        MakePicture(5, Filled(2, 3, 0xFF00FF00u)),
    };
    QString error;
    ASSERT_TRUE(WriteTable(pictures, Options(), &error)) << qPrintable(error);
    const auto rows = Rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(std::get<0>(rows[0]), 5);
    EXPECT_EQ(std::get<0>(rows[1]), 30);
    EXPECT_EQ(std::get<0>(rows[2]), 7);
    EXPECT_EQ(std::get<1>(rows[2]), 2);
    // Sizes match the embedded files; a cursor adds its 4-byte hot spot.
    const QDir dir(Options().outDir);
    EXPECT_EQ(std::get<2>(rows[0]), QFileInfo(dir.filePath(QStringLiteral("picture-0005.png"))).size());
    EXPECT_EQ(std::get<2>(rows[2]), QFileInfo(dir.filePath(QStringLiteral("cursor-0007.png"))).size() + 4);
    // Hot spot (3, 260) little-endian, just before the cursor's PNG.
    EXPECT_TRUE(Source().contains(QStringLiteral(".byte 3, 0, 4, 1")));
}

TEST_F(TableWriter, EmbeddedFilesDecodeToThePicturesPixelForPixel) {
    QImage gradient(16, 5, QImage::Format_RGB32);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 16; ++x) gradient.setPixel(x, y, qRgb(x * 16, y * 50, 255 - x * 16));
    }
    QString error;
    ASSERT_TRUE(WriteTable({MakePicture(12, gradient)}, Options(), &error)) << qPrintable(error);
    const QImage back(QDir(Options().outDir).filePath(QStringLiteral("picture-0012.png")));
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), gradient);
    EXPECT_TRUE(Source().contains(QStringLiteral(".incbin \\\"") + QDir(Options().outDir).absolutePath()));
}

TEST_F(TableWriter, RefusesWhatTheTableCouldNotHold) {
    QString error;
    EXPECT_FALSE(WriteTable({}, Options(), &error));
    EXPECT_FALSE(WriteTable({MakePicture(4, Filled(1, 1, 0)), MakePicture(4, Filled(2, 2, 0))}, Options(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("4"))) << qPrintable(error);
    // One number may serve a picture and a cursor: they are looked up by kind.
    EXPECT_TRUE(WriteTable({MakePicture(4, Filled(1, 1, 0)), {4, PictureKind::Cursor, Filled(2, 2, 0), {}}}, Options(),
                           &error))
        << qPrintable(error);
    TableOptions quoted = Options();
    quoted.outDir = m_dir.filePath(QStringLiteral("say\"cheese"));
    EXPECT_FALSE(WriteTable({MakePicture(1, Filled(1, 1, 0))}, quoted, &error));
}

TEST_F(TableWriter, PlainNameIsTheExportedCFunctionQualifiedNameAnInternalOne) {
    QString error;
    ASSERT_TRUE(WriteTable({MakePicture(1, Filled(1, 1, 0))}, Options(), &error));
    EXPECT_TRUE(Source().contains(
        QStringLiteral("extern \"C\" __attribute__((visibility(\"default\"))) const GoResourceEntry* GoResourceTable(")));

    TableOptions internal = Options(QStringLiteral("outer::inner::Pictures"));
    internal.includes = {QStringLiteral("some/header.h")};
    ASSERT_TRUE(WriteTable({MakePicture(1, Filled(1, 1, 0))}, internal, &error));
    const QString source = Source();
    EXPECT_TRUE(source.contains(QStringLiteral("namespace outer {\nnamespace inner {")));
    EXPECT_TRUE(source.contains(QStringLiteral("const GoResourceEntry* Pictures(uint32_t* count)")));
    EXPECT_TRUE(source.contains(QStringLiteral("#include \"some/header.h\"")));
    EXPECT_FALSE(source.contains(QStringLiteral("visibility(\"default\")")));
    // The embedded bytes stay private to the library that holds them.
    EXPECT_TRUE(source.contains(QStringLiteral(".hidden artgen_sample_1_1")));
}

}  // namespace
}  // namespace artgen
