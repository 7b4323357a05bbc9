#pragma once

#include <QStringList>
#include <cstdint>

namespace goview {

// The five remembered preferences of the view, kept in the hall's settings store under "Go".
struct ViewSettings {
    uint32_t isSound = 1;        // non-zero: sound cues may play
    uint32_t isShowStep = 1;     // non-zero: move numbers on the stones
    uint32_t showUserInOut = 1;  // kept and shown; the view does not act on it
    uint32_t boardBack = 0;      // board wood, 0..6: picture 360 + boardBack
    uint32_t saveInfo = 0;       // non-zero: ask to save after a game
    friend bool operator==(const ViewSettings&, const ViewSettings&) = default;
};

constexpr const char* kSettingsSection = "Go";
constexpr int kBoardPictureBase = 360;

// The seven board woods, in list order.
QStringList WoodNames();

// Reads the store in the order IsSound, IsShowStep, ShowUserInOut, BoardBack, SaveInfo; a value
// that cannot be read keeps its default, and a wood outside the list falls back to the first.
ViewSettings ReadViewSettings();
// Writes in the order IsSound, IsShowStep, ShowUserInOut, SaveInfo, BoardBack.
void WriteViewSettings(const ViewSettings& settings);

}  // namespace goview
