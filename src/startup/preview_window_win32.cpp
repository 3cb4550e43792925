// The preview: one fixed picture in a borderless 155 x 114 window that becomes a
// child of the host's preview window. Nothing in it changes once shown; the process lives
// until the window is gone. See preview_window_win32.h.
#include "startup/preview_window_win32.h"

#include <windows.h>

#include "assets/resource_ids.h"
#include "platform/handles_win32.h"
#include "platform/runtime_win32.h"
#include "startup/command_line.h"

namespace startup {
namespace {

// The picture is 155 x 115 and the client area one row shorter, so its last row is cut off.
constexpr int kClientWidth = 155;
constexpr int kClientHeight = 114;

constexpr UINT_PTR kHostWatchTimer = 1;
constexpr UINT kHostWatchMs = 1000;

class PreviewWindow final : public platform::Form {
public:
    PreviewWindow() {
        picture_.reset(static_cast<HBITMAP>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_PREVIEW), IMAGE_BITMAP, 0, 0, 0)));
    }
    ~PreviewWindow() override { Unload(); }

    // Watches the host window from now on (see OnTimer).
    void WatchHost(HWND host) {
        host_ = host;
        StartTimer(kHostWatchTimer, kHostWatchMs);
    }

private:
    CreateParams GetCreateParams() override {
        CreateParams p;
        p.className = L"BrackmerPreview";
        p.title = kPreviewWindowTitle;
        p.style = WS_POPUP;  // no border, no title bar: the window is all client area
        p.x = 0;
        p.y = 0;
        p.width = kClientWidth;
        p.height = kClientHeight;
        return p;
    }

    void OnUnload() override { PostMessageW(GetWindow(hwnd(), GW_OWNER), WM_CLOSE, 0, 0); }

    // A host that destroys its window destroys ours with it, and we unload then. A host
    // process that dies does not tell us: its windows vanish and ours with them, but no
    // message comes, so the host is looked at once a second and the process ends when it
    // is gone.
    void OnTimer(UINT_PTR id) override {
        if (id != kHostWatchTimer || IsWindow(host_)) return;
        StopTimer(kHostWatchTimer);
        Unload();
        if (loaded()) platform::EndProgram();  // our window went with the host's, untold
    }

    void Paint() {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd(), &ps);
        if (picture_) {
            platform::UniqueMemDc mem(CreateCompatibleDC(dc));
            platform::SelectGuard select(mem.get(), picture_.get());
            BITMAP bm{};
            GetObjectW(picture_.get(), sizeof bm, &bm);
            BitBlt(dc, 0, 0, bm.bmWidth, bm.bmHeight, mem.get(), 0, 0, SRCCOPY);
        }
        EndPaint(hwnd(), &ps);
    }

    bool OnOtherMessage(UINT msg, WPARAM, LPARAM, LRESULT* result) override {
        switch (msg) {
            case WM_PAINT:
                Paint();
                *result = 0;
                return true;
            case WM_ERASEBKGND:  // the picture covers the whole client area
                *result = 1;
                return true;
            default:
                return false;
        }
    }

    platform::UniqueBitmap picture_;
    HWND host_ = nullptr;
};

}  // namespace

std::unique_ptr<platform::Form> ShowPreview(std::string_view argumentText) {
    HWND host = reinterpret_cast<HWND>(static_cast<uintptr_t>(PreviewHandle(argumentText).value_or(0)));
    bool embedded = host && IsWindow(host);

    auto form = std::make_unique<PreviewWindow>();
    form->Load();
    HWND preview = form->hwnd();

    // The 0x5 bits belong to this saver's embedding protocol; they lie in the class-specific
    // half of the style word and change nothing for this window's class. What makes it draw inside the host's window is the child style, given only
    // when there is a host window, since a top-level child style would leave it nowhere.
    LONG style = GetWindowLongW(preview, GWL_STYLE) | 0x5;
    if (embedded) style = (style | WS_CHILD) & ~WS_POPUP;
    SetWindowLongW(preview, GWL_STYLE, style);

    SetParent(preview, host);
    SetWindowPos(preview, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    form->Show();
    SetActiveWindow(GetWindow(host, GW_OWNER));

    if (embedded) form->WatchHost(host);
    return form;
}

}  // namespace startup
