// The preview window inside this test process, under Wine, with a host window of the test's
// own: where it lands and what it draws for a host handle (unscaled in a 155 x 114 host,
// filling a larger one, sizes on the bound included), which messages close it, and the
// host's owner activated. The real .scr against a host in another process (the preview
// without a host, closed by its host, the host going away) is the preview rows of tests/e2e/cases.sh.
#include "startup/preview_window_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "assets/resource_ids.h"
#include "graphics/smooth_scale.h"
#include "platform/dib_win32.h"
#include "platform/form_win32.h"
#include "platform/handles_win32.h"
#include "startup/preview_layout.h"
#include "support/test_window_win32.h"

namespace startup {
namespace {

constexpr COLORREF kSea = RGB(4, 2, 148);  // the preview picture's background

bool QuitWasPosted() {
    MSG m;
    bool quit = false;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (m.message == WM_QUIT) quit = true;
        else DispatchMessageW(&m);
    }
    return quit;
}

class PreviewTest : public testing::Test {
protected:
    void TearDown() override {
        preview_.reset();
        if (host_ && IsWindow(host_)) DestroyWindow(host_);
        if (owner_ && IsWindow(owner_)) DestroyWindow(owner_);
        QuitWasPosted();
    }

    // A client area of the given size at (300, 200), optionally owned by another window.
    HWND MakeHost(HWND owner = nullptr, int width = 155, int height = 114) {
        RECT r{0, 0, width, height};
        AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
        host_ = testsupport::MakeWindow({.className = L"PreviewTestHost", .title = L"host",
                                         .style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, .x = 300, .y = 200,
                                         .width = r.right - r.left, .height = r.bottom - r.top, .owner = owner,
                                         .background = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))});
        return host_;
    }

    HWND Show(const std::string& argumentText) {
        preview_ = ShowPreview(argumentText);
        QuitWasPosted();
        return preview_->Handle();
    }

    // The preview picture as the preview should show it at that size, in a memory DC:
    // unscaled from the top-left at 155 x 114, smoothly scaled from its first 114 rows above.
    platform::UniqueMemDc Picture(int width, int height) {
        picture_.reset(static_cast<HBITMAP>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_PREVIEW), IMAGE_BITMAP, 0, 0, 0)));
        SIZE size{};
        std::vector<uint32_t> values = platform::ReadBitmapPixels(picture_.get(), &size);
        HDC screen = GetDC(nullptr);
        const std::vector<uint32_t> shown = graphics::ScaleSmooth(values, size.cx, 155, 114, width, height);
        canvas_.reset(CreateCompatibleBitmap(screen, width, height));
        platform::UniqueMemDc target(CreateCompatibleDC(screen));
        ReleaseDC(nullptr, screen);
        SelectObject(target.get(), canvas_.get());
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                uint32_t v = shown[static_cast<size_t>(y * width + x)];
                SetPixel(target.get(), x, y, RGB(v >> 16, (v >> 8) & 0xFF, v & 0xFF));
            }
        return target;
    }

    // Pixels of the window DC's area that differ from the reference.
    static int Differences(HDC window, HDC reference, int width, int height) {
        int differ = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (GetPixel(window, x, y) != GetPixel(reference, x, y)) ++differ;
        return differ;
    }

    static std::string Handle(HWND h) { return std::to_string(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(h))); }

    std::unique_ptr<platform::Form> preview_;
    platform::UniqueBitmap picture_;
    platform::UniqueBitmap canvas_;
    HWND host_ = nullptr;
    HWND owner_ = nullptr;
};

TEST_F(PreviewTest, EmbedsAsAChildAtTheHostsClientOrigin) {
    HWND host = MakeHost();
    HWND preview = Show("/p " + Handle(host));
    EXPECT_EQ(FindWindowExW(host, nullptr, nullptr, kPreviewWindowTitle), preview);
    EXPECT_EQ(GetParent(preview), host);
    LONG style = GetWindowLongW(preview, GWL_STYLE);
    EXPECT_EQ(style & (WS_CHILD | WS_POPUP | WS_CAPTION | WS_BORDER | WS_THICKFRAME), WS_CHILD);
    EXPECT_EQ(style & 0x5, 0x5);
    EXPECT_TRUE(IsWindowVisible(preview));
    POINT origin{0, 0};
    MapWindowPoints(preview, host, &origin, 1);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
    RECT client;
    GetClientRect(preview, &client);
    EXPECT_EQ(client.right, 155);
    EXPECT_EQ(client.bottom, 114);

    // The picture from the host's client origin, pixel for pixel, its 115th row cut off
    // by the client area.
    platform::UniqueMemDc reference = Picture(155, 114);
    UpdateWindow(host);
    HDC dc = GetDC(host);
    EXPECT_EQ(GetPixel(dc, 2, 2), kSea);
    EXPECT_EQ(Differences(dc, reference.get(), 155, 114), 0);
    ReleaseDC(host, dc);
}

TEST_F(PreviewTest, FillsALargerHostWithTheScaledPicture) {
    struct Host { int w, h; };
    for (Host size : {Host{233, 171}, Host{156, 114}, Host{155, 115}}) {
        SCOPED_TRACE(testing::Message() << size.w << "x" << size.h);
        HWND host = MakeHost(nullptr, size.w, size.h);
        HWND preview = Show("/p " + Handle(host));
        RECT client;
        GetClientRect(preview, &client);
        EXPECT_EQ(client.right, size.w);
        EXPECT_EQ(client.bottom, size.h);
        POINT origin{0, 0};
        MapWindowPoints(preview, host, &origin, 1);
        EXPECT_EQ(origin.x, 0);
        EXPECT_EQ(origin.y, 0);

        platform::UniqueMemDc reference = Picture(size.w, size.h);
        UpdateWindow(host);
        HDC dc = GetDC(host);
        EXPECT_EQ(Differences(dc, reference.get(), size.w, size.h), 0);
        ReleaseDC(host, dc);
        preview_.reset();
        DestroyWindow(host);
    }
}

// A host that is not a window, also one that was and is gone: no window at all, so nothing
// is left on the screen that nobody could close.
TEST_F(PreviewTest, WithoutAHostWindowShowsNothing) {
    HWND gone = MakeHost();
    const std::string goneHandle = Handle(gone);
    DestroyWindow(gone);
    // No number at all, and numbers that reach the platform's question (command_line_test
    // holds the rest of the reading).
    for (const std::string text : {"/p junk", "/p -1", "/p 1.5", ("/p " + goneHandle).c_str()}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ShowPreview(text), nullptr);
        EXPECT_EQ(FindWindowW(nullptr, kPreviewWindowTitle), nullptr);
    }
}

// Embedded, the keys are the host's business: Esc leaves the preview in place, and Alt+F4
// does not close the host's window around it; the host watch finds the host alive.
TEST_F(PreviewTest, EmbeddedItLeavesKeysToTheHostAndStaysWhileTheHostLives) {
    HWND host = MakeHost();
    HWND preview = Show("/p " + Handle(host));
    SendMessageW(preview, WM_KEYDOWN, VK_ESCAPE, 1);
    SendMessageW(preview, WM_SYSKEYDOWN, VK_F4, 1 | (1 << 29));
    SendMessageW(preview, WM_TIMER, 1, 0);
    QuitWasPosted();
    EXPECT_TRUE(preview_->IsLoaded());
    EXPECT_TRUE(IsWindow(host));
}

// A host gone without taking the preview along (its process died) is noticed by the watch
// once a second: the preview ends within two.
TEST_F(PreviewTest, EndsSoonAfterTheHostGoesWithoutIt) {
    HWND preview = Show("/p " + Handle(MakeHost()));
    SetParent(preview, nullptr);
    DestroyWindow(host_);
    for (const DWORD start = GetTickCount(); preview_->IsLoaded() && GetTickCount() - start < 2000; Sleep(10))
        QuitWasPosted();
    EXPECT_FALSE(IsWindow(preview));
}

TEST_F(PreviewTest, ActivatesTheHostsOwner) {
    owner_ = CreateWindowW(L"PreviewTestHost", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 100, 100, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
    HWND host = MakeHost(owner_);
    SetActiveWindow(host);
    Show("/p " + Handle(host));
    EXPECT_EQ(GetActiveWindow(), owner_);
}

}  // namespace
}  // namespace startup
