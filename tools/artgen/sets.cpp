#include "tools/artgen/sets.h"

#include <algorithm>

namespace artgen {

QStringList SetNames() {
    return {QStringLiteral("stonemind"), QStringLiteral("faces"), QStringLiteral("goview"),
            QStringLiteral("legacyres")};
}

PictureList RenderSet(const QString& name) {
    PictureList pictures;
    if (name == QLatin1String("stonemind")) pictures = StonemindSet();
    if (name == QLatin1String("faces")) pictures = FacesSet();
    if (name == QLatin1String("goview")) pictures = GoviewSet();
    if (name == QLatin1String("legacyres")) pictures = LegacyResSet();
    std::sort(pictures.begin(), pictures.end(), [](const Picture& a, const Picture& b) {
        return std::make_pair(static_cast<int>(a.kind), a.number) < std::make_pair(static_cast<int>(b.kind), b.number);
    });
    return pictures;
}

}  // namespace artgen
