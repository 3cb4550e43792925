// The preview window inside this test process, under Wine, with a host window of the test's
// own: where it lands and what it draws for a host handle, for none and for a handle that
// names no window, and that the host going away unloads it. The real .scr against a host
// in another process is tests/e2e/test_preview.sh.
#include "startup/preview_window_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/form_win32.h"

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
    void SetUp() override {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"PreviewTestHost";
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        RegisterClassW(&wc);
    }
    void TearDown() override {
        preview_.reset();
        if (host_ && IsWindow(host_)) DestroyWindow(host_);
        if (owner_ && IsWindow(owner_)) DestroyWindow(owner_);
        QuitWasPosted();
    }

    // A 200 x 150 client area at (300, 200), optionally owned by another window.
    HWND MakeHost(HWND owner = nullptr) {
        RECT r{0, 0, 200, 150};
        AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
        host_ = CreateWindowW(L"PreviewTestHost", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200,
                              r.right - r.left, r.bottom - r.top, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
        return host_;
    }

    HWND Show(const std::string& argumentText) {
        preview_ = ShowPreview(argumentText);
        QuitWasPosted();
        return preview_->hwnd();
    }

    static std::string Handle(HWND h) { return std::to_string(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(h))); }

    std::unique_ptr<platform::Form> preview_;
    HWND host_ = nullptr;
    HWND owner_ = nullptr;
};

TEST_F(PreviewTest, EmbedsAsAChildAtTheHostsClientOrigin) {
    for (const char* sw : {"/p ", "/P "}) {
        SCOPED_TRACE(sw);
        HWND host = MakeHost();
        HWND preview = Show(sw + Handle(host));
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

        // The picture from the host's client origin, its 115th row cut off by the client area.
        UpdateWindow(host);
        HDC dc = GetDC(host);
        EXPECT_EQ(GetPixel(dc, 2, 2), kSea);
        EXPECT_EQ(GetPixel(dc, 77, 113), kSea);
        EXPECT_EQ(GetPixel(dc, 77, 114), RGB(255, 255, 255));
        EXPECT_EQ(GetPixel(dc, 155, 50), RGB(255, 255, 255));
        ReleaseDC(host, dc);
        preview_.reset();
        DestroyWindow(host);
    }
}

TEST_F(PreviewTest, WithoutAHostWindowShowsAtTheScreensTopLeftOnItsOwn) {
    for (const char* text : {"/p", "/p abc", "/p 0", "/p 123456789"}) {
        SCOPED_TRACE(text);
        HWND preview = Show(text);
        EXPECT_EQ(GetParent(preview), nullptr);
        EXPECT_EQ(GetWindowLongW(preview, GWL_STYLE) & WS_CHILD, 0);
        EXPECT_TRUE(IsWindowVisible(preview));
        RECT r;
        GetWindowRect(preview, &r);
        EXPECT_EQ(r.left, 0);
        EXPECT_EQ(r.top, 0);
        EXPECT_EQ(r.right, 155);
        EXPECT_EQ(r.bottom, 114);
        EXPECT_EQ(FindWindowW(nullptr, kPreviewWindowTitle), preview);
        preview_.reset();
    }
}

TEST_F(PreviewTest, HostGoingAwayUnloadsThePreviewAndEndsTheLoop) {
    HWND host = MakeHost();
    Show("/p " + Handle(host));
    ASSERT_TRUE(preview_->loaded());
    DestroyWindow(host);
    EXPECT_FALSE(preview_->loaded());
    EXPECT_TRUE(QuitWasPosted());
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
