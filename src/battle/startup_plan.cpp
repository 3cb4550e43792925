// The start-up plan; see startup_plan.h. What the background setting means is decided here
// and nowhere else.
#include "battle/startup_plan.h"

#include <algorithm>
#include <utility>

#include "desktop/desktop_view.h"

namespace battle {
namespace {

BackgroundSource SourceFor(settings::BackgroundMode setting, bool onUserDesktop) {
    switch (setting) {
        case settings::kDesktop: return onUserDesktop ? BackgroundSource::kSnapshot : BackgroundSource::kWallpaper;
        case settings::kPlainBlue: return BackgroundSource::kSea;
        default: return BackgroundSource::kBlack;
    }
}

}  // namespace

std::vector<ScreenPlan> PlanScreens(const StartupFacts& facts) {
    const platform::ScreenTwips& twips = facts.system;
    const BackgroundSource background = SourceFor(facts.settings.background, facts.onUserDesktop);
    const uint32_t fill = background == BackgroundSource::kSea ? kSeaGdiColor : 0;
    auto plan = [&](const platform::Rect& rect, int dpi) {
        const int scale = SpriteScaleForDpi(dpi);
        return ScreenPlan{rect,
                          MeasurementsFor(rect.width, rect.height, twips.twipsPerPixelX, twips.twipsPerPixelY, scale),
                          scale, background, fill};
    };
    const auto primary = std::find_if(facts.monitors.begin(), facts.monitors.end(),
                                      [](const MonitorInfo& m) { return m.primary; });
    std::vector<ScreenPlan> screens{plan({0, 0, facts.screenWidth, facts.screenHeight},
                                         primary != facts.monitors.end() ? primary->dpi : twips.dpi)};
    for (const MonitorInfo& m : OtherBattleMonitors(facts.monitors)) screens.push_back(plan(m.rect, m.dpi));
    return screens;
}

Background BackgroundPicture(const ScreenPlan& screen, const std::function<platform::Picture()>& capture,
                             const std::function<Background()>& wallpaper) {
    if (screen.background == BackgroundSource::kSnapshot) {
        platform::Picture snapshot = capture();
        if (!desktop::IsBlank(snapshot.pixels)) return {std::move(snapshot)};
    }
    if (screen.background == BackgroundSource::kSnapshot || screen.background == BackgroundSource::kWallpaper)
        return wallpaper();
    return {};
}

Battle SetUpScreen(const ScreenPlan& screen, const settings::SaverSettings& settings,
                   const platform::Picture& desktopPicture, const assets::SpriteSet& sprites,
                   graphics::FrameDisplay& display) {
    Battle battle = SetUpBattle(settings, screen.measurements);
    battle.background = screen.background;
    if (screen.background == BackgroundSource::kSea)
        battle.seaColor = static_cast<int32_t>(display.SurfacePixel(screen.fillGdiColour));
    ShowBackground(battle, desktopPicture, display);
    for (const assets::Sprite& sprite : sprites) display.SetSurface(sprite.surfaceId, sprite.picture);
    return battle;
}

void ShowBackground(const Battle& battle, const platform::Picture& desktopPicture, graphics::FrameDisplay& display) {
    if (!ShowsDesktop(battle.background)) return;
    const bool fits = desktopPicture.IsWhole() && desktopPicture.width == battle.scrWidth &&
                      desktopPicture.height == battle.scrHeight;
    display.SetSurface(graphics::kBackgroundSurface,
                       fits ? desktopPicture : platform::Picture::Filled(battle.scrWidth, battle.scrHeight, 0));
}

}  // namespace battle
