// Stand-in dialog until the real one exists: an empty window with the dialog's title.
#include "settings/config_dialog_win32.h"

namespace settings {
namespace {
class frmConfig final : public platform::Form {
    CreateParams GetCreateParams() override {
        CreateParams p;
        p.className = L"BrackmerConfig";
        p.title = L"Brackmer Saver\u8a2d\u5b9a";
        p.style = WS_CAPTION | WS_SYSMENU;
        p.width = 286;
        p.height = 241;
        return p;
    }
};
}  // namespace

std::unique_ptr<platform::Form> CreateConfigDialog() { return std::make_unique<frmConfig>(); }

}  // namespace settings
