#include "tools/artgen/legacy_skin.h"

#include <QDir>
#include <QImageWriter>
#include <QPainter>
#include <array>

#include "tools/artgen/buttons.h"
#include "tools/artgen/icons.h"
#include "tools/artgen/keyed.h"
#include "tools/artgen/palette.h"
#include "tools/artgen/panels.h"
#include "tools/artgen/stones.h"
#include "tools/artgen/textures.h"

namespace artgen {

namespace {

// The navigation panel's move-number field and the button beside it, where the older view puts
// them.
const QRect kGoToField(35, 36, 50, 18);
const QPoint kGoToButton(92, 34);
constexpr int kNavigationRow = 5;

// A skinned button: its file names for normal, hover, pressed and disabled (empty for a look the
// older hall takes from another button), and its face.
struct SkinButton {
    std::array<const char*, 4> files;
    ButtonFace face;
};

ButtonFace Captioned(int width, int height, const char* caption) {
    return {QSize(width, height), QString::fromUtf8(caption), {}, ButtonTone::Slate};
}

ButtonFace Icon(int width, int height, IconPainter icon) {
    return {QSize(width, height), {}, std::move(icon), ButtonTone::Slate};
}

// BMP carries no alpha: each button is laid on what lies under it in the older view, so its
// rounded corners melt in.
QImage OnUnderlay(const QImage& button, const QImage& underlay) {
    QImage out = underlay.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&out);
    painter.drawImage(0, 0, button);
    return out;
}

QImage Flat(QSize size, const QColor& colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// The window cloth's seamless tile repeated over the whole view, as the current view lays it.
QImage TiledCloth(int width, int height) {
    const QImage tile = RenderWindowCloth(128);
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    for (int y = 0; y < height; y += tile.height()) {
        for (int x = 0; x < width; x += tile.width()) painter.drawImage(x, y, tile);
    }
    return image;
}

QImage TurnMarker(StoneColour colour) {
    QImage canvas = TransparentCanvas(28, 28);
    QPainter painter(&canvas);
    painter.drawImage(2, 2, StoneWithAlpha(RenderStone(colour, 24)));
    painter.end();
    // The marker sits on the player panel; its rim is composed over the panel's tone.
    return FlattenOnKey(canvas, palette::kKeyMagenta, palette::kSlate);
}

}  // namespace

std::vector<SkinFile> LegacySkinFiles() {
    using icons::NumberMark;
    const QImage goTo = RenderNavigationPanel(121, 62, kGoToField);
    const QImage window = Flat(QSize(64, 25), palette::kWindow);
    const QImage row = goTo.copy((goTo.width() - 22) / 2, kNavigationRow, 22, 22);
    const QImage stepUnder = goTo.copy(kGoToButton.x(), kGoToButton.y(), 24, 21);

    struct Group {
        const QImage* underlay;
        std::vector<SkinButton> buttons;
    };
    // The study button has no pressed look of its own: the older hall shows the save button's.
    const std::vector<Group> groups = {
        {&window,
         {
             {{"startup", "startover", "startdown", "startdisable"}, Captioned(64, 25, "开始")},
             {{"researchup", "researchover", nullptr, "researchgray"}, Captioned(64, 25, "打谱")},
             {{"passup", "passover", "passdown", "passgray"}, Captioned(64, 25, "PASS")},
             {{"giveup", "giveover", "givedown", "givegray"}, Captioned(64, 25, "认输")},
             {{"peaceup", "peaceover", "peacedown", "peacegray"}, Captioned(64, 25, "求和")},
             {{"regretup", "regretover", "regretdown", "regretgray"}, Captioned(64, 25, "悔棋")},
             {{"clearup", "clearover", "cleardown", "cleargray"}, Captioned(64, 25, "清除死子")},
             {{"continue2up", "continue2over", "continue2down", "continue2gray"}, Captioned(64, 25, "继续游戏")},
             {{"bigcbup", "bigcbover", "bigcbdown", "bigcbgray"}, Captioned(64, 25, "大棋盘")},
             {{"HideStepUp", "HideStepOver", "HideStepDown", "HideStepGray"},
              {QSize(64, 25), QStringLiteral("手数"), icons::NumberedStone(NumberMark::Shown)}},
             {{"loadup", "loadover", "loaddown", "loadgray"}, Captioned(64, 25, "载入")},
             {{"saveup", "saveover", "savedown", "savegray"}, Captioned(64, 25, "保存")},
         }},
        {&row,
         {
             {{"firststepup", "firststepover", "firststepdown", "firststepgray"}, Icon(22, 22, icons::First())},
             {{"prevup", "prevover", "prevdown", "prevgray"}, Icon(22, 22, icons::Previous())},
             {{"nextup", "nextover", "nextdown", "nextgray"}, Icon(22, 22, icons::Next())},
             {{"lastup", "lastover", "lastdown", "lastgray"}, Icon(22, 22, icons::Last())},
         }},
        {&stepUnder, {{{"handup", "handover", "handdown", "handgray"}, Captioned(24, 21, "手")}}},
    };

    std::vector<SkinFile> files;
    auto add = [&files](const char* name, QImage image) {
        files.push_back({QString::fromLatin1(name) + QStringLiteral(".bmp"), std::move(image)});
    };
    for (const Group& group : groups) {
        for (const SkinButton& button : group.buttons) {
            for (size_t state = 0; state < kButtonStates.size(); ++state) {
                if (button.files[state] == nullptr) continue;
                add(button.files[state], OnUnderlay(RenderButton(button.face, kButtonStates[state]), *group.underlay));
            }
        }
    }
    add("bg712", TiledCloth(801, 716));
    add("userinfo", RenderCompactPlayerPanel(121, 65));
    add("GoTo", goTo);
    add("SystemInfo", RenderStatusPanel(122, 106));
    add("nameback712", RenderNamePlate(117, 20));
    add("blackchess800", TurnMarker(StoneColour::Black));
    add("whitechess800", TurnMarker(StoneColour::White));
    return files;
}

bool WriteLegacySkin(const QString& dir, QString* error) {
    if (!QDir().mkpath(dir)) {
        *error = dir + QStringLiteral(": cannot make the folder");
        return false;
    }
    for (const SkinFile& file : LegacySkinFiles()) {
        QImageWriter writer(QDir(dir).filePath(file.name), "BMP");
        // Qt writes an opaque 32-bit image as 24-bit BMP, which every older loader reads.
        if (!writer.write(file.image.convertToFormat(QImage::Format_RGB32))) {
            *error = writer.fileName() + QStringLiteral(": ") + writer.errorString();
            return false;
        }
    }
    return true;
}

}  // namespace artgen
