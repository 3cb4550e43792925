// The saver's catalogue of pictures: the sixteen ship sprites, the explosion, the preview
// shown in the host's monitor picture and the program icon. The Windows loader turns these
// into bitmaps; artgen writes them out for review.
#pragma once

#include <cstdint>

#include "assets/image.h"
#include "platform/runtime_error.h"

namespace assets {

constexpr int kShipPictureCount = 16;
constexpr int kPictureWidth = 117;
constexpr int kPictureHeight = 44;
constexpr int kPreviewWidth = 155;
constexpr int kPreviewHeight = 115;
constexpr int kIconSize = 32;

// The sprite colours. White is the transparent key of every blit, so it must never be used
// for anything that should show; near-white is.
constexpr uint32_t kWhite = Rgb(255, 255, 255);
constexpr uint32_t kLightGrey = Rgb(192, 192, 192);
constexpr uint32_t kDarkGrey = Rgb(128, 128, 128);
constexpr uint32_t kBlack = Rgb(0, 0, 0);
constexpr uint32_t kFlagRed = Rgb(255, 0, 0);
constexpr uint32_t kFlagBlue = Rgb(0, 0, 255);
constexpr uint32_t kSideFlash = Rgb(254, 86, 5);
constexpr uint32_t kEndFlash = Rgb(255, 102, 64);
constexpr uint32_t kEndFlashCore = Rgb(255, 98, 64);
constexpr uint32_t kDeckBrown = Rgb(128, 64, 0);

// The icon marks its see-through pixels with this colour, which it uses for nothing else.
constexpr uint32_t kIconTransparent = Rgb(255, 0, 255);

// The battle numbers its ship pictures 1 + side * 8 + heading * 2 + (1 when firing), with the
// headings right, down, left, up. The one check that a number names a picture: it returns
// the number, or raises platform::RuntimeError (subscript out of range).
inline int CheckShipPictureNumber(int number) {
    if (number < 1 || number > kShipPictureCount) throw platform::RuntimeError::SubscriptOutOfRange();
    return number;
}

// Picture 1..16; another number is a subscript error.
Image ShipPicture(int number);
Image ExplosionPicture();
Image PreviewPicture();
Image IconPicture();

}  // namespace assets
