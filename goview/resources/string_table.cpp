#include "goview/resources/string_table.h"

namespace goview {

std::optional<QString> LoadString(int id) {
    const std::string_view text = match::MatchString(id);
    if (text.empty()) return std::nullopt;
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString StringOrEmpty(int id) { return LoadString(id).value_or(QString()); }

}  // namespace goview
