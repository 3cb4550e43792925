// Stand-in preview window until the real one exists: shows an empty window with the title.
#include "startup/preview_window_win32.h"

namespace startup {
namespace {
class frmPrev final : public platform::Form {
    CreateParams GetCreateParams() override {
        CreateParams p;
        p.className = L"BrackmerPreview";
        p.title = kPreviewWindowTitle;
        p.style = WS_POPUP;
        p.width = 155;
        p.height = 114;
        p.background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        return p;
    }
};
}  // namespace

std::unique_ptr<platform::Form> ShowPreview(std::string_view) {
    auto form = std::make_unique<frmPrev>();
    form->Show();
    return form;
}

}  // namespace startup
