// The legacy plug-in's skin as the build leaves it in the hall's go/go_img/ folder, and the
// older hall's Res module of faces: the names, sizes and looks the older view relies on.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSize>
#include <QtEndian>
#include <map>
#include <string>
#include <vector>

#include "tests/art/art_tables.h"
#include "tools/artgen/legacy_skin.h"

namespace arttest {
namespace {

constexpr QRgb kMagenta = 0xFFFF00FFu;

QString SkinFile(const QString& name) { return QDir(QStringLiteral(LEGACY_SKIN_DIR)).filePath(name); }

QImage LoadBmp(const QString& name) { return QImage(SkinFile(name), "BMP").convertToFormat(QImage::Format_RGB32); }

struct ButtonFiles {
    std::vector<const char*> looks;  // up, over, down, gray; the study button has no down of its own
    QSize size;
};

const std::vector<ButtonFiles> kButtons = {
    {{"startup", "startover", "startdown", "startdisable"}, {64, 25}},
    {{"researchup", "researchover", "researchgray"}, {64, 25}},
    {{"passup", "passover", "passdown", "passgray"}, {64, 25}},
    {{"giveup", "giveover", "givedown", "givegray"}, {64, 25}},
    {{"peaceup", "peaceover", "peacedown", "peacegray"}, {64, 25}},
    {{"regretup", "regretover", "regretdown", "regretgray"}, {64, 25}},
    {{"clearup", "clearover", "cleardown", "cleargray"}, {64, 25}},
    {{"continue2up", "continue2over", "continue2down", "continue2gray"}, {64, 25}},
    {{"bigcbup", "bigcbover", "bigcbdown", "bigcbgray"}, {64, 25}},
    {{"HideStepUp", "HideStepOver", "HideStepDown", "HideStepGray"}, {64, 25}},
    {{"loadup", "loadover", "loaddown", "loadgray"}, {64, 25}},
    {{"saveup", "saveover", "savedown", "savegray"}, {64, 25}},
    {{"firststepup", "firststepover", "firststepdown", "firststepgray"}, {22, 22}},
    {{"prevup", "prevover", "prevdown", "prevgray"}, {22, 22}},
    {{"nextup", "nextover", "nextdown", "nextgray"}, {22, 22}},
    {{"lastup", "lastover", "lastdown", "lastgray"}, {22, 22}},
    {{"handup", "handover", "handdown", "handgray"}, {24, 21}},
};

const std::map<std::string, QSize> kPanels = {
    {"bg712", {801, 716}},      {"userinfo", {121, 65}},     {"GoTo", {121, 62}},         {"SystemInfo", {122, 106}},
    {"nameback712", {117, 20}}, {"blackchess800", {28, 28}}, {"whitechess800", {28, 28}},
};

std::map<std::string, QSize> EveryFile() {
    std::map<std::string, QSize> files = kPanels;
    for (const ButtonFiles& button : kButtons) {
        for (const char* look : button.looks) files[look] = button.size;
    }
    return files;
}

QString Bmp(const std::string& name) { return QString::fromStdString(name) + QStringLiteral(".bmp"); }

double RegionLuma(const QImage& image, const QRect& region) { return MeanLuma(image.copy(region)); }

TEST(LegacySkinArt, EveryFileIsA24BitBmpOfItsSize) {
    for (const auto& [name, size] : EveryFile()) {
        SCOPED_TRACE(name);
        QFile file(SkinFile(Bmp(name)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(file.fileName());
        const QByteArray header = file.read(30);
        ASSERT_EQ(header.size(), 30);
        // Older loaders read the uncompressed 24-bit form.
        EXPECT_EQ(header.left(2), QByteArray("BM"));
        EXPECT_EQ(qFromLittleEndian<quint16>(header.constData() + 28), 24);
        EXPECT_EQ(LoadBmp(Bmp(name)).size(), size);
    }
    // The older hall shows the save button's pressed look on the study button.
    EXPECT_FALSE(QFile::exists(SkinFile(QStringLiteral("researchdown.bmp"))));
}

TEST(LegacySkinArt, TheFilesAreWhatTheDrawingMakesNow) {
    // A stale folder (the build not drawing again after artgen changed) shows here.
    const std::vector<artgen::SkinFile> drawn = artgen::LegacySkinFiles();
    EXPECT_EQ(drawn.size(), EveryFile().size());
    for (const artgen::SkinFile& file : drawn) {
        EXPECT_EQ(LoadBmp(file.name), file.image.convertToFormat(QImage::Format_RGB32)) << qPrintable(file.name);
    }
}

TEST(LegacySkinArt, TheLooksOfEveryButtonDifferAndItsCornersAreNotBlack) {
    for (const ButtonFiles& button : kButtons) {
        std::vector<QImage> looks;
        for (const char* look : button.looks) looks.push_back(LoadBmp(Bmp(look)));
        for (size_t a = 0; a < looks.size(); ++a) {
            // Without alpha the rounded corners must show what the button lies on, not black.
            const QRgb corner = looks[a].pixel(0, 0);
            EXPECT_GT(qRed(corner) + qGreen(corner) + qBlue(corner), 30) << button.looks[a];
            for (size_t b = a + 1; b < looks.size(); ++b) {
                EXPECT_NE(looks[a], looks[b]) << button.looks[a] << " and " << button.looks[b];
            }
        }
    }
}

TEST(LegacySkinArt, TurnMarkersAreClean24PixelStonesOnMagenta) {
    for (const char* name : {"blackchess800.bmp", "whitechess800.bmp"}) {
        SCOPED_TRACE(name);
        const QImage marker = LoadBmp(QString::fromLatin1(name));
        ASSERT_EQ(marker.size(), QSize(28, 28));
        for (const QPoint corner : {QPoint(0, 0), QPoint(27, 0), QPoint(0, 27), QPoint(27, 27), QPoint(2, 2)}) {
            EXPECT_EQ(marker.pixel(corner) | 0xFF000000u, kMagenta) << corner.x() << "," << corner.y();
        }
        EXPECT_NE(marker.pixel(14, 14) | 0xFF000000u, kMagenta);
        // 24 px across, centred: the key ends at the stone's rim on both axes.
        EXPECT_EQ(marker.pixel(1, 14) | 0xFF000000u, kMagenta);
        EXPECT_NE(marker.pixel(3, 14) | 0xFF000000u, kMagenta);
        EXPECT_NE(marker.pixel(24, 14) | 0xFF000000u, kMagenta);
        EXPECT_EQ(marker.pixel(14, 26) | 0xFF000000u, kMagenta);
        EXPECT_EQ(EnclosedKeyPixels(marker, kMagenta), 0);
        EXPECT_EQ(NearKeyPixels(marker, kMagenta, 90), 0) << "a pink fringe shows once the key is cut out";
    }
    EXPECT_LT(MeanLuma(LoadBmp(QStringLiteral("blackchess800.bmp")).copy(8, 8, 12, 12)), 70);
    EXPECT_GT(MeanLuma(LoadBmp(QStringLiteral("whitechess800.bmp")).copy(8, 8, 12, 12)), 180);
}

TEST(LegacySkinArt, PanelsKeepTheirPlacesForTextAndClock) {
    const QImage user = LoadBmp(QStringLiteral("userinfo.bmp"));
    // A black and a white name both read on the mid-toned band; lit digits on the clock window.
    const double band = RegionLuma(user, QRect(8, 9, 105, 12));
    EXPECT_GT(band, 90);
    EXPECT_LT(band, 160);
    EXPECT_LT(RegionLuma(user, QRect(12, 38, 97, 18)), 25);
    // The name plate is the same band, so a plate laid on it does not show its edges.
    EXPECT_NEAR(MeanLuma(LoadBmp(QStringLiteral("nameback712.bmp"))), RegionLuma(user, QRect(2, 5, 117, 20)), 6);

    const QImage system = LoadBmp(QStringLiteral("SystemInfo.bmp"));
    EXPECT_GT(RegionLuma(system, QRect(8, 8, 106, 90)), 190) << "dark text needs a light card";

    const QImage goTo = LoadBmp(QStringLiteral("GoTo.bmp"));
    EXPECT_LT(RegionLuma(goTo, QRect(37, 38, 46, 14)), 25) << "the move-number field sits in a recess";
    // The step button was drawn on the panel where it lies, so its corners match the panel there.
    const QImage hand = LoadBmp(QStringLiteral("handup.bmp"));
    EXPECT_EQ(hand.pixel(0, 0), goTo.pixel(92, 34));

    const QImage background = LoadBmp(QStringLiteral("bg712.bmp"));
    EXPECT_LT(MeanLuma(background), 70) << "the window cloth is dark";
}

TEST(LegacySkinArt, StoneLibrarySitsInTheSkinFolder) {
    QFile built(QStringLiteral(STONEMIND_LIBRARY));
    QFile copy(SkinFile(QStringLiteral("libstonemind.so")));
    ASSERT_TRUE(built.open(QIODevice::ReadOnly));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly)) << "the legacy view loads the stones from its skin folder";
    EXPECT_TRUE(built.readAll() == copy.readAll()) << "the copy is older than the library";
}

TEST(LegacyResArt, HoldsEveryFaceOfTheFacesSetAtOneFurtherOn) {
    ASSERT_FALSE(FacesEntries().empty());
    EXPECT_EQ(LegacyResEntries().size(), FacesEntries().size());
    for (const GoResourceEntry& entry : FacesEntries()) {
        const int face = static_cast<int>(entry.number);
        const QImage legacy = Picture(LegacyRes(), face + 1);
        ASSERT_FALSE(legacy.isNull()) << "Res lacks picture " << face + 1;
        EXPECT_EQ(legacy, Picture(Faces(), face)) << "face " << face - 101;
    }
    EXPECT_FALSE(Picture(LegacyRes(), 102).isNull());
}

}  // namespace
}  // namespace arttest
