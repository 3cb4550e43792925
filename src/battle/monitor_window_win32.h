// A battle on a monitor other than the primary: a topmost borderless window covering
// exactly that monitor, with its own battle state and an in-memory frame presented by GDI.
// The saver window creates one per other monitor; its session ticks them with the primary.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "battle/battle_state.h"
#include "battle/monitor_layout.h"
#include "battle/saver_session.h"
#include "graphics/gdi_frame_display_win32.h"
#include "platform/form_win32.h"

namespace battle {

// The monitors as the platform lists them, in virtual-screen pixels, each with its own DPI:
// cheap enough to read on every tick, which the saver does because Wine updates this list
// when X changes its monitors but sends no WM_DISPLAYCHANGE.
std::vector<MonitorInfo> EnumerateMonitors();

class MonitorWindow final : public platform::Form {
public:
    // The pictures are enlarged by where.spriteScale, this monitor's own, with which the cell
    // in `where` was measured. `picture` is the monitor's picture taken before any saver
    // window showed (used when the background is the desktop; may be empty otherwise).
    // `onUserInput` gets a key or a mouse button on this window.
    MonitorWindow(const MonitorBattle& where, const settings::SaverSettings& settings,
                  std::vector<graphics::PixelValue> picture, std::function<void(UserInput)> onUserInput);

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

    MonitorBattle where_;
    settings::SaverSettings settings_;
    std::vector<graphics::PixelValue> picture_;
    std::function<void(UserInput)> onUserInput_;
    Battle battle_;
    std::unique_ptr<graphics::GdiFrameDisplay> display_;
};

}  // namespace battle
