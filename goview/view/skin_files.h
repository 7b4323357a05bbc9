#pragma once

#include <array>
#include <optional>

namespace goview {

// The older hall's skin: the files of a skinned button's four looks (normal, hover, pressed,
// disabled) in the hall's skin folder, by control id; nothing for a button that keeps its
// resource pictures. The study window's navigation and move-number buttons share these ids.
std::optional<std::array<const char*, 4>> SkinFilesOf(int controlId);

// The panel pictures of the same folder.
namespace skin {
constexpr const char* kBackground = "bg712.bmp";
constexpr const char* kPlayerPanel = "userinfo.bmp";
constexpr const char* kNavigationPanel = "GoTo.bmp";
constexpr const char* kSystemPanel = "SystemInfo.bmp";
constexpr const char* kNamePlate = "nameback712.bmp";
constexpr const char* kBlackToMove = "blackchess800.bmp";
constexpr const char* kWhiteToMove = "whitechess800.bmp";
}  // namespace skin

}  // namespace goview
