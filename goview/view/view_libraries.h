#pragma once

#include <QString>

namespace goview {

// Where the view finds the libraries it takes pictures from, and what it says when one is
// missing. The entry code of each plug-in picks one.
struct ViewLibraries {
    QString stones;        // the stone pictures
    QString faces;         // the face pictures
    int faceBase = 101;    // face n is picture faceBase + n
    // The older hall's build opens the face library first and takes nothing more (no stone
    // pictures, faces or settings) unless both libraries open.
    bool bothOrNothing = false;
    QString failureText;

    static ViewLibraries Current() {
        return {QStringLiteral("stonemind"), QStringLiteral("gofaces"), 101, false, QStringLiteral("资源装载失败2")};
    }
    // The legacy plug-in: `faces` by plain name, `stones` from the hall's skin folder.
    static ViewLibraries Legacy(const QString& stones, const QString& faces) {
        return {stones, faces, 102, true, QStringLiteral("资源装载失败")};
    }
};

}  // namespace goview
