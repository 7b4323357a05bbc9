#include <array>

#include "tools/artgen/app_icon.h"
#include "tools/artgen/buttons.h"
#include "tools/artgen/cursor.h"
#include "tools/artgen/digits.h"
#include "tools/artgen/emblems.h"
#include "tools/artgen/icons.h"
#include "tools/artgen/panels.h"
#include "tools/artgen/sets.h"
#include "tools/artgen/textures.h"
#include "tools/artgen/woods.h"

namespace artgen {

namespace {

// An image button and the numbers of its pictures: normal, hover, pressed, disabled.
struct ButtonEntry {
    std::array<int, 4> numbers;
    ButtonFace face;
};

ButtonFace Captioned(int width, int height, const char* caption) {
    return {QSize(width, height), QString::fromUtf8(caption), {}, ButtonTone::Slate};
}

ButtonFace Icon(int width, int height, IconPainter icon) { return {QSize(width, height), {}, std::move(icon), ButtonTone::Slate}; }

std::vector<ButtonEntry> Buttons() {
    using icons::NumberMark;
    return {
        // The toolbar under the board.
        {{600, 601, 602, 603}, Captioned(68, 30, "PASS")},
        // The earlier builds' Start: an ordinary image button in the place of the round one.
        {{660, 661, 662, 663}, Captioned(56, 70, "开始")},
        {{604, 605, 606, 607}, Captioned(68, 30, "求和")},
        {{608, 609, 610, 611}, Captioned(68, 30, "认输")},
        {{612, 613, 614, 615}, Captioned(68, 30, "悔棋")},
        {{616, 617, 618, 619}, Captioned(95, 30, "继续游戏")},
        {{620, 621, 622, 623}, Captioned(68, 30, "大棋盘")},
        {{624, 625, 626, 627}, Captioned(68, 30, "载入")},
        {{628, 629, 630, 631}, Captioned(68, 30, "保存")},
        {{632, 633, 634, 635}, Captioned(68, 30, "打谱")},
        {{195, 274, 197, 273}, Captioned(95, 30, "清除死子")},
        {{271, 270, 189, 269}, Captioned(95, 30, "撤消清除")},
        {{370, 372, 373, 371}, {QSize(68, 30), QStringLiteral("手数"), icons::NumberedStone(NumberMark::Shown)}},
        {{374, 376, 377, 375}, {QSize(68, 30), QStringLiteral("手数"), icons::NumberedStone(NumberMark::Hidden)}},
        // Small square buttons.
        {{314, 316, 317, 315}, Icon(22, 22, icons::First())},
        {{313, 312, 310, 311}, Icon(22, 22, icons::Previous())},
        {{227, 320, 229, 319}, Icon(22, 22, icons::Next())},
        {{231, 324, 233, 323}, Icon(22, 22, icons::Last())},
        {{378, 380, 381, 379}, Icon(22, 22, icons::Camera())},
        {{644, 645, 646, 647}, Icon(22, 22, icons::NumberedStone(NumberMark::Shown))},
        {{648, 649, 650, 651}, Icon(22, 22, icons::NumberedStone(NumberMark::Hidden))},
        {{636, 637, 638, 639}, Icon(22, 22, icons::SmallBoard())},
        {{640, 641, 642, 643}, Icon(22, 22, icons::BigBoard())},
        {{652, 653, 654, 655}, Captioned(22, 22, "T")},
        {{329, 328, 326, 327}, Captioned(24, 21, "手")},
        {{656, 657, 658, 659}, Captioned(44, 22, "裁判")},
        // The study window.
        {{235, 396, 237, 395}, Captioned(68, 30, "抓点")},
        {{390, 392, 393, 391}, Captioned(68, 30, "同步")},
        {{405, 407, 408, 406}, Captioned(68, 30, "清除死子")},
        {{416, 415, 413, 414}, Captioned(68, 30, "撤消清除")},
        {{386, 388, 389, 387}, Captioned(68, 30, "断点")},
        {{219, 384, 221, 383}, Captioned(68, 30, "删除")},
        // Dialogs.
        {{347, 346, 344, 345}, Captioned(80, 28, "确定")},
        {{336, 338, 339, 337}, Captioned(80, 28, "取消")},
        {{340, 342, 343, 341}, Captioned(80, 28, "重新申请")},
    };
}

}  // namespace

PictureList GoviewSet() {
    PictureList pictures;
    pictures.push_back(MakePicture(238, RenderWindowCloth(128)));
    pictures.push_back(MakePicture(240, RenderBorderStrip(BoardSide::Top, 256)));
    pictures.push_back(MakePicture(241, RenderBorderStrip(BoardSide::Left, 256)));
    pictures.push_back(MakePicture(242, RenderBorderStrip(BoardSide::Right, 256)));
    pictures.push_back(MakePicture(243, RenderBorderStrip(BoardSide::Bottom, 256)));
    pictures.push_back(MakePicture(296, RenderToolbar(453, 70)));
    pictures.push_back(MakePicture(303, RenderPlayerPanel(120, 206)));
    pictures.push_back(MakePicture(5036, RenderPlayerPanel(120, 163)));
    pictures.push_back(MakePicture(304, RenderButtonPanel(120, 68)));
    pictures.push_back(MakePicture(305, RenderStatusPanel(120, 80)));
    pictures.push_back(MakePicture(335, RenderDialogPaper(128)));
    pictures.push_back(MakePicture(359, RenderBadge(16)));
    for (int i = 0; i < kBoardWoodCount; ++i) pictures.push_back(MakePicture(360 + i, RenderWood(BoardWood(i), 256)));
    pictures.push_back(MakePicture(
        5037, RenderButton({QSize(68, 30), QStringLiteral("强制点目"), {}, ButtonTone::Bronze}, ButtonState::Normal)));
    pictures.push_back(MakePicture(5038, RenderStartButton(56, 70)));
    pictures.push_back(MakePicture(5050, RenderDigitStrip()));
    pictures.push_back(MakePicture(7000, RenderAppIcon(64)));
    pictures.push_back(MakePicture(7001, RenderAppIcon(32)));
    pictures.push_back(MakePicture(5, RenderAppIcon(32)));  // the study window's icon
    const CursorPicture hand = RenderHandCursor();
    pictures.push_back({5002, PictureKind::Cursor, hand.image, hand.hotSpot});
    for (const ButtonEntry& button : Buttons()) {
        for (size_t state = 0; state < kButtonStates.size(); ++state) {
            pictures.push_back(MakePicture(button.numbers[state], RenderButton(button.face, kButtonStates[state])));
        }
    }
    return pictures;
}

}  // namespace artgen
