#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "goview/view/prompter.h"

class QWidget;

namespace goview {

// The files the view reads and writes: game records, SGF, pictures.

// The bytes of a game file (".go" or SGF) the player chose, or nothing with the reason shown: a
// file that cannot be read, or one over 16 MB, which no game record comes near.
std::optional<std::vector<uint8_t>> ReadGameFile(Prompter& prompter, QWidget* parent, const QString& path);

// Writes `bytes` to `path` without destroying an older file on failure; a file that could not be
// written is said so ("写文件错误！"), with its path and the system's reason. False then.
bool WriteFileOrSay(Prompter& prompter, QWidget* parent, const QString& path, std::span<const uint8_t> bytes);

}  // namespace goview
