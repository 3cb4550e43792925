// frame_bench: what a whole saver frame costs on the real path (Wine's or Windows'
// DirectDraw), side by side with its floor, the bare background copy and flip of the same
// frame. Also the frame as first designed, with every sprite surface rebuilt per draw.
// On a desktop with a second monitor, also what that monitor's battle adds to a tick (frame
// composed in memory, presented with GDI), against the same floor.
// Figures only; run it through scripts/bench.sh on two 1920 x 1080 monitors.
#include <windows.h>

#include <array>
#include <cstdio>
#include <memory>

#include "assets/sprite_resources_win32.h"
#include "battle/battle_state.h"
#include "battle/battle_tick.h"
#include "battle/frame_composer.h"
#include "battle/monitor_layout.h"
#include "desktop/screen_capture_win32.h"
#include "graphics/dx7_ddraw_support_win32.h"
#include "graphics/gdi_frame_display_win32.h"
#include "platform/dib_win32.h"
#include "platform/handles_win32.h"
#include "platform/monitors_win32.h"

namespace {

// The frame without a surface cache: each sprite becomes a new keyed surface right before
// its blit, replacing (releasing) the previous one. Shows what the cache saves.
class RebuildingDisplay final : public graphics::FrameDisplay {
public:
    explicit RebuildingDisplay(graphics::DDrawDisplay& cached) : cached_(cached) {
        for (const assets::Sprite& sprite : assets::LoadSprites(1))
            bitmaps_[size_t(sprite.surfaceId)] = platform::MakeDibSection(sprite.picture);
    }
    graphics::PixelValue SurfacePixel(uint32_t c) override { return cached_.SurfacePixel(c); }
    void SetSurface(int id, const platform::Picture& p) override { cached_.SetSurface(id, p); }
    int32_t FillBackBuffer(graphics::PixelValue v) override { return cached_.FillBackBuffer(v); }
    int32_t BltToBackBuffer(int id, int32_t x, int32_t y, int32_t w, int32_t h, int32_t dw, int32_t dh, int32_t sx,
                            int32_t sy, int32_t sw, int32_t sh, bool key) override {
        if (id == graphics::kBackgroundSurface)
            return cached_.BltToBackBuffer(id, x, y, w, h, dw, dh, sx, sy, sw, sh, key);
        charSurface_ = graphics::CreateSurfaceFromBitmap(cached_.DirectDraw(), bitmaps_[id].get());
        return graphics::BltFastClipped(cached_.BackBuffer(), x, y, w, h, dw, dh, charSurface_, sx, sy, sw, sh, key);
    }
    void Flip() override { cached_.Flip(); }

private:
    graphics::DDrawDisplay& cached_;
    std::array<platform::UniqueBitmap, graphics::kExplosionSurface + 1> bitmaps_;
    graphics::Surface charSurface_;
};

// The floor: the background copy and the flip that every frame needs anyway.
class FloorDisplay final : public graphics::FrameDisplay {
public:
    explicit FloorDisplay(graphics::DDrawDisplay& inner) : inner_(inner) {}
    graphics::PixelValue SurfacePixel(uint32_t c) override { return inner_.SurfacePixel(c); }
    void SetSurface(int id, const platform::Picture& p) override { inner_.SetSurface(id, p); }
    int32_t FillBackBuffer(graphics::PixelValue v) override { return inner_.FillBackBuffer(v); }
    int32_t BltToBackBuffer(int id, int32_t x, int32_t y, int32_t w, int32_t h, int32_t dw, int32_t dh, int32_t sx,
                            int32_t sy, int32_t sw, int32_t sh, bool key) override {
        if (id != graphics::kBackgroundSurface) return 0;
        return inner_.BltToBackBuffer(id, x, y, w, h, dw, dh, sx, sy, sw, sh, key);
    }
    void Flip() override { inner_.Flip(); }

private:
    graphics::DDrawDisplay& inner_;
};

double Now() {
    LARGE_INTEGER t, f;
    QueryPerformanceCounter(&t);
    QueryPerformanceFrequency(&f);
    return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

template <class Body>
double MillisecondsPerFrame(int frames, Body body) {
    for (int i = 0; i < 10; ++i) body();  // warm-up
    double start = Now();
    for (int i = 0; i < frames; ++i) body();
    return (Now() - start) * 1000.0 / frames;
}

LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcW(h, m, w, l); }

}  // namespace

int main() {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"BrackmerFrameBench";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"frame bench", WS_POPUP | WS_VISIBLE, 0, 0, width,
                                  height, nullptr, nullptr, wc.hInstance, nullptr);
    graphics::SetupFailure failure;
    std::unique_ptr<graphics::DDrawDisplay> display = graphics::DDrawDisplay::Take(window, width, height, 32, &failure);
    if (!display) {
        std::printf("%s\n", failure.Describe().c_str());
        return 1;
    }

    // A busy desktop picture, so the background copy moves real data.
    platform::WindowDc screen(nullptr);
    platform::UniqueBitmap desktop(CreateCompatibleBitmap(screen.Get(), width, height));
    {
        platform::UniqueMemDc dc(CreateCompatibleDC(screen.Get()));
        platform::SelectGuard select(dc.get(), desktop.get());
        for (int y = 0; y < height; y += 8)
            for (int x = 0; x < width; x += 8) {
                RECT r{x, y, x + 8, y + 8};
                platform::UniqueBrush b(CreateSolidBrush(RGB((x * 7) & 255, (y * 3) & 255, (x + y) & 255)));
                FillRect(dc.get(), &r, b.get());
            }
    }

    display->SetSurface(graphics::kBackgroundSurface, platform::ReadBitmapPicture(desktop.get()));
    for (const assets::Sprite& sprite : assets::LoadSprites(1)) display->SetSurface(sprite.surfaceId, sprite.picture);

    battle::Battle b = battle::SetUpBattle({15, 15, settings::kDesktop}, battle::MeasurementsFor(width, height, 15, 15));
    platform::Random random(7);
    for (int i = 0; i < 20; ++i) battle::StepShips(b, random);
    int visible = 0;
    for (int k = 1; k <= b.totalCount; ++k) visible += b.shipStat[k].mode > battle::kPlacing;

    const int frames = 200;
    FloorDisplay floor(*display);
    RebuildingDisplay rebuilding(*display);
    double floorMs = MillisecondsPerFrame(frames, [&] { battle::ComposeFrame(b, floor); });
    double reusedMs = MillisecondsPerFrame(frames, [&] { battle::ComposeFrame(b, *display); });
    double rebuiltMs = MillisecondsPerFrame(frames, [&] { battle::ComposeFrame(b, rebuilding); });

    // The second monitor as the saver drives it: a topmost window over it, the desktop
    // picture as background, the frame composed in memory and presented with GDI.
    double monitorMs = 0, monitorStepMs = 0;
    platform::Rect second;
    const auto others = battle::OtherBattleMonitors(platform::EnumerateMonitors());
    if (!others.empty()) {
        second = others.front().rect;
        HWND monitorWindow =
            CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE, wc.lpszClassName, L"monitor bench", WS_POPUP | WS_VISIBLE,
                            second.left, second.top, second.width, second.height, nullptr, nullptr, wc.hInstance,
                            nullptr);
        graphics::GdiFrameDisplay gdi(monitorWindow, second.width, second.height);
        gdi.SetSurface(graphics::kBackgroundSurface, desktop::CaptureScreen(second));
        for (const assets::Sprite& sprite : assets::LoadSprites(1)) gdi.SetSurface(sprite.surfaceId, sprite.picture);
        battle::Battle m = battle::SetUpBattle({15, 15, settings::kDesktop},
                                               battle::MeasurementsFor(second.width, second.height, 15, 15));
        for (int i = 0; i < 20; ++i) battle::StepShips(m, random);
        // Wine hands a window's GDI drawing to X when the thread next looks at its messages,
        // which the saver's tick does at its end: that belongs to the monitor's cost.
        monitorMs = MillisecondsPerFrame(frames, [&] {
            battle::ComposeFrame(m, gdi);
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        });
        monitorStepMs = MillisecondsPerFrame(frames, [&] { battle::StepShips(m, random); });
        DestroyWindow(monitorWindow);
    }

    display.reset();
    std::printf("DirectDraw frame at %dx%d, %d + %d ships (%d visible), %d frames each\n", width, height, b.redCount,
                b.blueCount, visible, frames);
    std::printf("  floor: background copy + flip      %8.2f ms per frame\n", floorMs);
    std::printf("  whole frame, surfaces reused       %8.2f ms per frame  (%.2f x floor)\n", reusedMs,
                reusedMs / floorMs);
    std::printf("  whole frame, surfaces rebuilt      %8.2f ms per frame  (%.2f x floor)\n", rebuiltMs,
                rebuiltMs / floorMs);
    if (monitorMs > 0) {
        std::printf("Second monitor %dx%d, 15 + 15 ships, in memory + GDI\n", second.width, second.height);
        std::printf("  its frame (compose + present)      %8.2f ms per frame  (%.2f x the primary's floor)\n",
                    monitorMs, monitorMs / floorMs);
        std::printf("  its ships' step                    %8.3f ms per tick\n", monitorStepMs);
        std::printf("  tick with both monitors            %8.2f ms            (%.2f x the one-monitor frame)\n",
                    reusedMs + monitorMs + monitorStepMs, (reusedMs + monitorMs + monitorStepMs) / reusedMs);
    } else {
        std::printf("One monitor only: no second-monitor figures\n");
    }
    std::printf("  frame timer interval                 150.00 ms\n");
    return 0;
}
