#include "tools/artgen/sets.h"
#include "tools/artgen/stones.h"

namespace artgen {

// Four families by stone diameter D = 10..58: black stone 200, black mask 300, white stone 400,
// white mask 500, each plus D - 10.
PictureList StonemindSet() {
    PictureList pictures;
    for (int diameter = 10; diameter <= 58; ++diameter) {
        const int k = diameter - 10;
        StonePicture black = RenderStone(StoneColour::Black, diameter);
        StonePicture white = RenderStone(StoneColour::White, diameter);
        pictures.push_back(MakePicture(200 + k, std::move(black.stone)));
        pictures.push_back(MakePicture(300 + k, std::move(black.mask)));
        pictures.push_back(MakePicture(400 + k, std::move(white.stone)));
        pictures.push_back(MakePicture(500 + k, std::move(white.mask)));
    }
    return pictures;
}

}  // namespace artgen
