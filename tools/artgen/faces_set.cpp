#include "tools/artgen/faces.h"
#include "tools/artgen/sets.h"

namespace artgen {

namespace {

constexpr int kFirstFace = 101;
// The older hall's Res module counts the same faces from one further on.
constexpr int kFirstLegacyFace = 102;

}  // namespace

// The avatars 101 + n, n = 0..23.
PictureList FacesSet() {
    PictureList pictures;
    for (int n = 0; n < kFaceCount; ++n) pictures.push_back(MakePicture(kFirstFace + n, RenderFace(n)));
    return pictures;
}

PictureList LegacyResSet() {
    PictureList pictures = FacesSet();
    for (Picture& picture : pictures) picture.number += kFirstLegacyFace - kFirstFace;
    return pictures;
}

}  // namespace artgen
