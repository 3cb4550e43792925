// A battle on a monitor other than the primary: a topmost borderless window covering
// exactly that monitor, with its own battle state and an in-memory frame presented by GDI.
// The saver window creates one per other screen of its start-up plan; its session ticks them
// with the primary.
#pragma once

#include <functional>
#include <memory>

#include "assets/sprite_art.h"
#include "battle/battle_state.h"
#include "battle/saver_session.h"
#include "battle/startup_plan.h"
#include "graphics/gdi_frame_display_win32.h"
#include "platform/form_win32.h"
#include "platform/picture.h"

namespace battle {

inline constexpr wchar_t kMonitorWindowTitle[] = L"Monitor -- Brackmer Saver";

class MonitorWindow final : public platform::Form {
public:
    // `screen` is this monitor's entry of the plan; `background` its picture, taken before
    // any saver window showed (empty for a filled background; late, the session brings the
    // wallpaper); `sprites` at the screen's sprite scale. Both are let go once the window has
    // loaded. `onUserInput` gets a key or
    // a mouse button on this window.
    MonitorWindow(const ScreenPlan& screen, const settings::SaverSettings& settings, Background background,
                  assets::SpriteSet sprites, std::function<void(UserInput)> onUserInput);

    // Shows the window over everything on its monitor without taking the focus from the
    // saver's main window.
    void ShowOnTop();
    BattleScreen Screen();

private:
    CreateParams GetCreateParams() override;
    void OnLoad() override;
    void OnKeyDown(WPARAM) override { onUserInput_(UserInput::kKey); }
    void OnMouseDown() override { onUserInput_(UserInput::kMouseButton); }
    bool OnOtherMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

    ScreenPlan screen_;
    settings::SaverSettings settings_;
    Background background_;
    assets::SpriteSet sprites_;
    std::function<void(UserInput)> onUserInput_;
    Battle battle_;
    std::unique_ptr<graphics::GdiFrameDisplay> display_;
};

}  // namespace battle
