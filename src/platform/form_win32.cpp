// Form and message-loop implementation; see form_win32.h. Exceptions never cross the
// window procedure: an error that reaches it is the program's uncaught error.
#include "platform/form_win32.h"

#include <algorithm>
#include <vector>

#include "platform/runtime_win32.h"

namespace platform {
namespace {

std::vector<Form*>& LiveForms() {
    static std::vector<Form*> forms;
    return forms;
}

bool eventsStopped = false;

}  // namespace

Form::~Form() {
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    auto& forms = LiveForms();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
}

void Form::Load() {
    if (hwnd_) return;
    HWND h = CreateHandle();
    if (!h) ThrowLastError("CreateWindowExW");
    hwnd_ = h;
    LiveForms().push_back(this);
    OnLoad();
}

HWND Form::CreateHandle() {
    CreateParams p = GetCreateParams();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExW(GetModuleHandleW(nullptr), p.className.c_str(), &wc)) {
        wc = WNDCLASSEXW{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &Form::WndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hIcon = p.icon;
        wc.hIconSm = p.icon;
        wc.hCursor = p.cursor ? p.cursor : LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /*IDC_ARROW*/);
        wc.hbrBackground = p.background;
        wc.lpszClassName = p.className.c_str();
        if (!RegisterClassExW(&wc)) ThrowLastError("RegisterClassExW");
    }
    return CreateWindowExW(p.exStyle, p.className.c_str(), p.title.c_str(), p.style & ~WS_VISIBLE, p.x, p.y, p.width,
                           p.height, p.parent, nullptr, GetModuleHandleW(nullptr), this);
}

void Form::Show(int showCommand) {
    Load();
    ShowWindow(hwnd_, showCommand);
    UpdateWindow(hwnd_);
}

void Form::Unload() {
    if (!hwnd_) return;
    RunUnloadOnce();
    if (hwnd_) DestroyWindow(hwnd_);
}

void Form::RunUnloadOnce() {
    if (unloadRan_) return;
    unloadRan_ = true;
    OnUnload();
}

void Form::WindowDestroyed() {
    RunUnloadOnce();
    hwnd_ = nullptr;
    auto& forms = LiveForms();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    if (forms.empty()) PostQuitMessage(0);
}

void Form::StartTimer(UINT_PTR id, UINT intervalMs) {
    if (eventsStopped) return;
    if (!SetTimer(hwnd_, id, intervalMs, nullptr)) ThrowLastError("SetTimer");
    if (std::find(timers_.begin(), timers_.end(), id) == timers_.end()) timers_.push_back(id);
}

void Form::StopTimer(UINT_PTR id) { KillTimer(hwnd_, id); }

LRESULT CALLBACK Form::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    if (eventsStopped) {
        // A timer message already queued before its timer was killed is dropped too.
        if (msg == WM_TIMER) return 0;
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    try {
        switch (msg) {
            case WM_DESTROY:
                // Also reached when a parent window (the preview host) destroys us.
                self->RunUnloadOnce();
                return 0;
            case WM_NCDESTROY:
                SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
                self->WindowDestroyed();
                return 0;
            default:
                return self->OnMessage(msg, wp, lp);
        }
    } catch (const std::exception& e) {
        ReportFatalError(e);
    }
}

bool TranslateForDialog(MSG& msg) {
    for (Form* f : LiveForms()) {
        if (f->hwnd_ && f->WantsDialogKeys() && (msg.hwnd == f->hwnd_ || IsChild(f->hwnd_, msg.hwnd)))
            return IsDialogMessageW(f->hwnd_, &msg) != 0;
    }
    return false;
}

namespace {
void DispatchOne(MSG& msg) {
    if (TranslateForDialog(msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}
}  // namespace

int RunMessageLoop() {
    if (LiveForms().empty()) return 0;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchOne(msg);
    return msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : 0;
}

void ProcessPendingMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        DispatchOne(msg);
    }
}

void StopAllEvents() {
    eventsStopped = true;
    for (Form* f : LiveForms()) {
        for (UINT_PTR id : f->timers_) KillTimer(f->hwnd_, id);
        f->timers_.clear();
    }
}

bool EventsStopped() { return eventsStopped; }

}  // namespace platform
