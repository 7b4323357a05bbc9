#include "goview/view/skin_files.h"

#include "match/control_ids.h"

namespace goview {
namespace {

namespace control = match::control;

struct SkinnedButton {
    int id;
    std::array<const char*, 4> files;
};

// The names are the skin's own, odd ones included: Start's disabled look is "startdisable",
// and the study button has no pressed look of its own but the save button's.
constexpr std::array<SkinnedButton, 17> kSkinnedButtons = {{
    {control::kStart, {"startup.bmp", "startover.bmp", "startdown.bmp", "startdisable.bmp"}},
    {control::kStudy, {"researchup.bmp", "researchover.bmp", "savedown.bmp", "researchgray.bmp"}},
    {control::kPass, {"passup.bmp", "passover.bmp", "passdown.bmp", "passgray.bmp"}},
    {control::kResign, {"giveup.bmp", "giveover.bmp", "givedown.bmp", "givegray.bmp"}},
    {control::kDraw, {"peaceup.bmp", "peaceover.bmp", "peacedown.bmp", "peacegray.bmp"}},
    {control::kUndo, {"regretup.bmp", "regretover.bmp", "regretdown.bmp", "regretgray.bmp"}},
    {control::kClearDead, {"clearup.bmp", "clearover.bmp", "cleardown.bmp", "cleargray.bmp"}},
    {control::kContinue, {"continue2up.bmp", "continue2over.bmp", "continue2down.bmp", "continue2gray.bmp"}},
    {control::kBigBoard, {"bigcbup.bmp", "bigcbover.bmp", "bigcbdown.bmp", "bigcbgray.bmp"}},
    {control::kMoveNumbers, {"HideStepUp.bmp", "HideStepOver.bmp", "HideStepDown.bmp", "HideStepGray.bmp"}},
    {control::kLoad, {"loadup.bmp", "loadover.bmp", "loaddown.bmp", "loadgray.bmp"}},
    {control::kSave, {"saveup.bmp", "saveover.bmp", "savedown.bmp", "savegray.bmp"}},
    {control::kFirst, {"firststepup.bmp", "firststepover.bmp", "firststepdown.bmp", "firststepgray.bmp"}},
    {control::kPrevious, {"prevup.bmp", "prevover.bmp", "prevdown.bmp", "prevgray.bmp"}},
    {control::kNext, {"nextup.bmp", "nextover.bmp", "nextdown.bmp", "nextgray.bmp"}},
    {control::kLast, {"lastup.bmp", "lastover.bmp", "lastdown.bmp", "lastgray.bmp"}},
    {control::kStep, {"handup.bmp", "handover.bmp", "handdown.bmp", "handgray.bmp"}},
}};

}  // namespace

std::optional<std::array<const char*, 4>> SkinFilesOf(int controlId) {
    for (const SkinnedButton& button : kSkinnedButtons) {
        if (button.id == controlId) return button.files;
    }
    return std::nullopt;
}

}  // namespace goview
