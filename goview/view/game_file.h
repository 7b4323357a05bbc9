#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "goview/view/prompter.h"

class QWidget;

namespace goview {

// The bytes of a game file (".go" or SGF) the player chose, or nothing with the reason shown: a
// file that cannot be read, or one over 16 MB, which no game record comes near.
std::optional<std::vector<uint8_t>> ReadGameFile(Prompter& prompter, QWidget* parent, const QString& path);

}  // namespace goview
