// The saver's start as one portable plan: from the settings, the monitors and the system's
// twips, the screens to run (the primary first), each with everything its set-up needs; and
// the one set-up of a screen from its entry, on whichever frame display shows it. The saver
// window gathers the facts, plans once and carries the plan out; native table tests hold it.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "assets/sprite_art.h"
#include "battle/battle_state.h"
#include "battle/monitor_layout.h"
#include "graphics/frame_display.h"
#include "platform/geometry.h"
#include "platform/picture.h"
#include "platform/screen_metrics.h"
#include "settings/settings_store.h"

namespace battle {

struct ScreenPlan {
    platform::Rect rect;  // virtual-screen pixels; the primary's at (0, 0)
    Measurements measurements;
    int spriteScale = 1;
    BackgroundSource background = BackgroundSource::kBlack;
    // The fill of kSea and kBlack as a GDI colour (0x00BBGGRR): what every frame fills with,
    // and what the saver window paints while it waits for the display.
    uint32_t fillGdiColour = 0;
    bool operator==(const ScreenPlan&) const = default;
};

// What the Win32 side reads before it plans.
struct StartupFacts {
    settings::SaverSettings settings;
    std::vector<MonitorInfo> monitors;  // as enumerated, the primary flagged
    int32_t screenWidth = 0;            // the primary's pixels, as the system metrics say
    int32_t screenHeight = 0;
    platform::ScreenTwips system;       // the system's twips factors (the cursor rule's too) and DPI
    bool onUserDesktop = true;          // the saver runs where the user's windows are
};

// The primary first, on the screen's own size, then every monitor OtherBattleMonitors gives a
// battle. Every screen takes the system's twips factors and the sprite scale of its own
// monitor's DPI (the system's for a primary the list does not flag).
std::vector<ScreenPlan> PlanScreens(const StartupFacts& facts);

// A screen's background as far as it is known at its set-up.
struct Background {
    platform::Picture picture;
    bool late = false;  // the wallpaper was still being read: the picture is its fallback
};

// The background behind `screen`'s battle: the snapshot `capture` takes, or `wallpaper`'s
// desktop without windows where the snapshot shows one colour only (what a saver on a
// desktop of its own captures) or the screen asks for it; none for a filled background.
Background BackgroundPicture(const ScreenPlan& screen, const std::function<platform::Picture()>& capture,
                             const std::function<Background()>& wallpaper);

// The battle of `screen` set up on `display`: sized by its measurements, its background
// source, the sea colour in
// the display's own pixels, the desktop picture as the background surface where the
// background is one (black where the picture does not fit the screen), and the sprites.
Battle SetUpScreen(const ScreenPlan& screen, const settings::SaverSettings& settings,
                   const platform::Picture& desktopPicture, const assets::SpriteSet& sprites,
                   graphics::FrameDisplay& display);

// The desktop picture as `battle`'s background surface on `display` (black where it does
// not fit the screen); nothing for a battle on a filled background. SetUpScreen and a
// wallpaper that arrives late both show it so.
void ShowBackground(const Battle& battle, const platform::Picture& desktopPicture, graphics::FrameDisplay& display);

}  // namespace battle
