#include "tools/artgen/faces.h"
#include "tools/artgen/sets.h"

namespace artgen {

// The avatars 101 + n, n = 0..23.
PictureList FacesSet() {
    PictureList pictures;
    for (int n = 0; n < kFaceCount; ++n) pictures.push_back(MakePicture(101 + n, RenderFace(n)));
    return pictures;
}

}  // namespace artgen
