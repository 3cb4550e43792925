// A battle on a monitor other than the primary: a topmost borderless window covering
// exactly that monitor, with its own battle state and an in-memory frame presented by GDI.
// The saver window creates one per other monitor and ticks them with its own battle.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "battle/battle_state.h"
#include "battle/monitor_layout.h"
#include "battle/saver_tick.h"
#include "graphics/gdi_frame_display_win32.h"
#include "platform/form_win32.h"

namespace battle {

// The monitors as the platform lists them, in virtual-screen pixels, each with its own DPI:
// cheap enough to read on every tick, which the saver does because Wine updates this list
// when X changes its monitors but sends no WM_DISPLAYCHANGE.
std::vector<MonitorInfo> EnumerateMonitors();

class MonitorWindow final : public platform::Form {
public:
    // `spriteScale` enlarges the pictures for this monitor's own DPI (where.spriteScale, with
    // which the cell in `where` was measured). `snapshot` is the monitor's picture taken
    // before any saver window showed (used when the background is the desktop; may be empty
    // otherwise). `onUserInput` runs for a key or a mouse button on this window and is
    // expected not to return.
    MonitorWindow(const MonitorBattle& where, const settings::SaverSettings& settings, int spriteScale,
                  std::vector<graphics::PixelValue> snapshot, std::function<void()> onUserInput);

    // Shows the window over everything on its monitor without taking the focus from the
    // saver's main window.
    void ShowOnTop();
    BattleScreen Screen();

private:
    CreateParams GetCreateParams() override;
    void OnLoad() override;
    void OnKeyDown(WPARAM) override { onUserInput_(); }
    void OnMouseDown() override { onUserInput_(); }
    bool OnOtherMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

    MonitorBattle where_;
    settings::SaverSettings settings_;
    int spriteScale_;
    std::vector<graphics::PixelValue> snapshot_;
    std::function<void()> onUserInput_;
    Battle battle_;
    std::unique_ptr<graphics::GdiFrameDisplay> display_;
};

}  // namespace battle
