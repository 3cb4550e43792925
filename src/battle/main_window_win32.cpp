// Stand-in saver window until the battle exists: a black full-screen window that ends on
// any key or click.
#include "battle/main_window_win32.h"

namespace battle {
namespace {
class frmMain final : public platform::Form {
    CreateParams GetCreateParams() override {
        CreateParams p;
        p.className = L"BrackmerMain";
        p.title = L"Main -- Brackmer Saver";
        p.style = WS_POPUP;
        p.x = 0;
        p.y = 0;
        p.width = GetSystemMetrics(SM_CXSCREEN);
        p.height = GetSystemMetrics(SM_CYSCREEN);
        p.background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        return p;
    }
    void OnKeyDown(WPARAM) override { platform::EndProgram(); }
    void OnMouseDown() override { platform::EndProgram(); }
};
}  // namespace

std::unique_ptr<platform::Form> CreateSaverWindow(platform::Random&) { return std::make_unique<frmMain>(); }

}  // namespace battle
