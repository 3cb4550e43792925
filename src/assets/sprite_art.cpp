// Builds the catalogue from the embedded drawings. Only six ship drawings exist: the
// left-heading pictures are mirrors of the right-heading ones and the blue side differs from
// the red only in its flag, so deriving them keeps the sixteen pictures consistent by
// construction.
#include "assets/sprite_art.h"

#include "platform/numbers.h"

#include <utility>

#include "assets/art_text.h"
#include "assets/pixel_text.h"

namespace assets {
namespace {

struct Drawings {
    Picture side, sideFire, bow, bowFire, stern, sternFire;
};

Picture Load(const char* name) { return ParsePixelText(ArtText(name), name); }

// Parsed once; the saver asks for ship pictures often enough that re-reading the text each
// time would be wasted work.
const Drawings& Ships() {
    static const Drawings drawings{Load("ship_side"),  Load("ship_side_fire"),
                                   Load("ship_bow"),   Load("ship_bow_fire"),
                                   Load("ship_stern"), Load("ship_stern_fire")};
    return drawings;
}

}  // namespace

int16_t ShipPictureNumber(int32_t side, int32_t heading, bool firing) {
    using platform::Add16;
    using platform::Mul16;
    return int16_t(CheckShipPictureNumber(Add16(Add16(1, Mul16(side, 8)), Add16(Mul16(heading, 2), firing ? 1 : 0))));
}

Picture ShipPicture(int number) {
    // ShipPictureNumber read backwards; the side only colours the flag, drawn elsewhere.
    const int slot = (CheckShipPictureNumber(number) - 1) % 8;
    const bool flash = slot % 2 == 1;
    const Drawings& ships = Ships();
    Picture picture;
    switch (slot / 2) {
        case 0:  // heading right
            picture = flash ? ships.sideFire : ships.side;
            break;
        case 1:  // down, towards the viewer
            picture = flash ? ships.bowFire : ships.bow;
            break;
        case 2:  // left
            picture = MirrorLeftRight(flash ? ships.sideFire : ships.side);
            break;
        default:  // up, away from the viewer
            picture = flash ? ships.sternFire : ships.stern;
            break;
    }
    if (number > 8) picture = ReplaceColour(std::move(picture), kFlagRed, kFlagBlue);
    return picture;
}

Picture ExplosionPicture() { return Load("explosion"); }
Picture PreviewPicture() { return Load("preview"); }
Picture IconPicture() { return Load("icon"); }

SpriteSet ArtSprites(int scale) {
    SpriteSet sprites;
    for (int number = 1; number <= kShipPictureCount; ++number)
        sprites.push_back({number, ScaleNearest(ShipPicture(number), scale)});
    sprites.push_back({kExplosionSpriteId, ScaleNearest(ExplosionPicture(), scale)});
    return sprites;
}

}  // namespace assets
