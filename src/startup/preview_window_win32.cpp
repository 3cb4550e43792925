// The preview: one fixed picture in a borderless 155 x 114 window that becomes a
// child of the host's preview window, or fills a larger one with the picture scaled.
// Nothing in it changes once shown; the process lives until the window is gone. See
// preview_window_win32.h.
#include "startup/preview_window_win32.h"

#include <windows.h>

#include <vector>

#include "assets/resource_ids.h"
#include "graphics/smooth_scale.h"
#include "platform/dib_win32.h"
#include "platform/handles_win32.h"
#include "platform/runtime_win32.h"
#include "startup/command_line.h"
#include "startup/preview_layout.h"

namespace startup {
namespace {

constexpr UINT_PTR kHostWatchTimer = 1;
constexpr UINT kHostWatchMs = 1000;

class PreviewWindow final : public platform::Form {
public:
    PreviewWindow() {
        picture_.reset(static_cast<HBITMAP>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_PREVIEW), IMAGE_BITMAP, 0, 0, 0)));
    }
    ~PreviewWindow() override { Unload(); }

    // Watches the host window from now on (see CheckHost).
    void WatchHost(HWND host) {
        host_ = host;
        StartTimer(kHostWatchTimer, kHostWatchMs);
    }

    void SetSize(PreviewSize size) {
        size_ = size;
        if (size_.scaled && picture_) {
            SIZE bits{};
            const std::vector<uint32_t> values = platform::ReadBitmapPixels(picture_.get(), &bits);
            scaled_ = graphics::ScaleSmooth(values, bits.cx, kPreviewWindowWidth, kPreviewWindowHeight, size_.width,
                                            size_.height);
        }
    }

private:
    CreateParams GetCreateParams() override {
        CreateParams p;
        p.className = L"BrackmerPreview";
        p.title = kPreviewWindowTitle;
        p.style = WS_POPUP;  // no border, no title bar: the window is all client area
        p.x = 0;
        p.y = 0;
        // The picture is 155 x 115 and the client area one row shorter, so its last row is
        // cut off.
        p.width = kPreviewWindowWidth;
        p.height = kPreviewWindowHeight;
        return p;
    }

    void OnUnload() override { PostMessageW(GetWindow(Handle(), GW_OWNER), WM_CLOSE, 0, 0); }

    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        switch (msg) {
            case WM_TIMER:
                if (wp == kHostWatchTimer) CheckHost();
                return 0;
            case WM_PAINT:
                Paint();
                return 0;
            case WM_ERASEBKGND:  // the picture covers the whole client area
                return 1;
            case WM_SYSKEYDOWN:
                // Alt+F4 in a child would close the host's window it is embedded in.
                return 0;
            default:
                return Default(msg, wp, lp);
        }
    }

    // A host that destroys its window destroys ours with it, and we unload then. A host
    // process that dies does not tell us: its windows vanish and ours with them, but no
    // message comes, so the host is looked at once a second and the process ends when it
    // is gone.
    void CheckHost() {
        if (IsWindow(host_)) return;
        StopTimer(kHostWatchTimer);
        Unload();
        if (IsLoaded()) platform::EndProgram();  // our window went with the host's, untold
    }

    void Paint() {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        if (picture_) {
            platform::UniqueMemDc mem(CreateCompatibleDC(dc));
            platform::SelectGuard select(mem.get(), picture_.get());
            if (size_.scaled) {
                BITMAPINFO info = platform::TopDown32Info(size_.width, size_.height);
                SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(size_.width), static_cast<DWORD>(size_.height), 0, 0, 0,
                                  static_cast<UINT>(size_.height), scaled_.data(), &info, DIB_RGB_COLORS);
            } else {
                BITMAP bm{};
                GetObjectW(picture_.get(), sizeof bm, &bm);
                BitBlt(dc, 0, 0, bm.bmWidth, bm.bmHeight, mem.get(), 0, 0, SRCCOPY);
            }
        }
        EndPaint(Handle(), &ps);
    }

    platform::UniqueBitmap picture_;
    HWND host_ = nullptr;
    PreviewSize size_;
    std::vector<uint32_t> scaled_;  // the picture at the scaled size, made once
};

}  // namespace

std::unique_ptr<platform::Form> ShowPreview(std::string_view argumentText) {
    // Without its host a preview has nothing to show in: no window at all, and the process
    // ends, rather than a window standing alone that the user would have to close.
    HWND host = reinterpret_cast<HWND>(static_cast<uintptr_t>(PreviewHandle(argumentText).value_or(0)));
    if (!host || !IsWindow(host)) return nullptr;

    auto form = std::make_unique<PreviewWindow>();
    form->Load();
    HWND preview = form->Handle();

    // The 0x5 bits belong to this saver's embedding protocol; they lie in the class-specific
    // half of the style word and change nothing for this window's class. What makes it draw
    // inside the host's window is the child style.
    SetWindowLongW(preview, GWL_STYLE, ((GetWindowLongW(preview, GWL_STYLE) | 0x5) | WS_CHILD) & ~WS_POPUP);
    SetParent(preview, host);
    RECT client{};
    GetClientRect(host, &client);
    const PreviewSize size = PreviewSizeFor(client.right, client.bottom);
    form->SetSize(size);
    SetWindowPos(preview, HWND_BOTTOM, 0, 0, size.width, size.height, SWP_NOZORDER | (size.scaled ? 0 : SWP_NOSIZE));
    form->Show();
    SetActiveWindow(GetWindow(host, GW_OWNER));
    form->WatchHost(host);
    return form;
}

}  // namespace startup
