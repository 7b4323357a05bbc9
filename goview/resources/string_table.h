#pragma once

#include <QString>
#include <optional>

#include "match/strings.h"

namespace goview {

// The plug-in's numbered strings as the widgets take them.
std::optional<QString> LoadString(int id);
// The string, or an empty text when the number has none.
QString StringOrEmpty(int id);

namespace strings = match::strings;

}  // namespace goview
