// One monitor's battle set up on its display, the same way for the primary (on DirectDraw,
// or on GDI where DirectDraw cannot start) and for every other monitor. The saver window and
// the monitor windows call it once their display exists.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

#include "assets/sprite_resources_win32.h"
#include "battle/battle_state.h"
#include "graphics/frame_display.h"
#include "platform/dib_win32.h"

namespace battle {

// The battle sized to the monitor; the sea colour in the display's own pixel format; the
// monitor's picture (0x00RRGGBB, top row first, taken before any saver window showed) as the
// background when the settings ask for the desktop, black where it is missing; the sprites
// at `spriteScale`. `Display` offers ColorToSurfacePixel(COLORREF) and SetSurface(id, HBITMAP).
template <class Display>
Battle SetUpScreen(const settings::SaverSettings& values, const Measurements& measurements, int spriteScale,
                   const std::vector<graphics::PixelValue>& picture, Display& display) {
    Battle battle = SetUpBattle(values, measurements);
    if (battle.background == settings::kPlainBlue)
        battle.seaColor = static_cast<int32_t>(display.ColorToSurfacePixel(kSeaGdiColor));
    if (battle.background == settings::kDesktop) {
        const size_t size = size_t(battle.scrWidth) * size_t(battle.scrHeight);
        platform::UniqueBitmap dib = platform::MakeDibSection(
            battle.scrWidth, battle.scrHeight,
            picture.size() == size ? picture : std::vector<graphics::PixelValue>(size, 0));
        display.SetSurface(graphics::kBackgroundSurface, dib.get());
    }
    assets::LoadSprites(spriteScale, [&](int id, HBITMAP bitmap) { display.SetSurface(id, bitmap); });
    return battle;
}

}  // namespace battle
