// The window toolkit the saver's windows are built on: a Form owns one top-level window,
// keeps `this` in GWLP_USERDATA and hands every message to its one handler, OnMessage (or
// lets the dialog manager make and drive it, for a dialog). The message loop with its dialog
// keys, "process pending messages once" and "stop every event" live here too.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace platform {

class Form {
public:
    Form() = default;
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    HWND Handle() const { return hwnd_; }
    bool IsLoaded() const { return hwnd_ != nullptr; }

    // Creates the window hidden and runs OnLoad; showing a form loads it first.
    void Load();
    void Show(int showCommand = SW_SHOW);
    // Unloads the window (OnUnload runs, then the window is destroyed).
    void Unload();

protected:
    struct CreateParams {
        std::wstring className;
        std::wstring title;
        DWORD style = WS_OVERLAPPEDWINDOW;
        DWORD exStyle = 0;
        int x = CW_USEDEFAULT, y = CW_USEDEFAULT, width = CW_USEDEFAULT, height = CW_USEDEFAULT;
        HBRUSH background = nullptr;
        HICON icon = nullptr;
        HCURSOR cursor = nullptr;
        HWND parent = nullptr;
    };
    // What the default CreateHandle makes; a form that overrides CreateHandle needs none.
    virtual CreateParams GetCreateParams() { return {}; }
    // Makes the (hidden) window. The default registers the class from GetCreateParams and
    // lets this form's procedure drive it; a dialog made from a template by the dialog
    // manager overrides this and calls WindowDestroyed from its WM_NCDESTROY.
    virtual HWND CreateHandle();
    // The window is gone: runs the unload once, forgets the window and, when it was the
    // last form's, ends the message loop.
    void WindowDestroyed();

    // The form's set-up once its window exists, and its clean-up before the window goes
    // (also when a parent destroys it); the defaults do nothing.
    virtual void OnLoad() {}
    virtual void OnUnload() {}
    // The one place that says what this window does on each message (one switch, or the
    // platform's HANDLE_MSG crackers); the rest goes to Default. Load, unload and the end
    // of the window are the form's own and never reach it. The default handles nothing: a
    // close request then destroys the window, which unloads the form.
    virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) { return Default(msg, wp, lp); }
    LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(hwnd_, msg, wp, lp); }
    // Lets the loop run dialog navigation (Tab, Enter, Esc, access keys) for this form.
    virtual bool WantsDialogKeys() const { return false; }

    void StartTimer(UINT_PTR id, UINT intervalMs);
    void StopTimer(UINT_PTR id);

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void RunUnloadOnce();

    HWND hwnd_ = nullptr;
    bool unloadRan_ = false;
    // Every id ever started, for StopAllEvents: killing a stopped one again does nothing.
    std::vector<UINT_PTR> timers_;

    friend bool TranslateForDialog(MSG& msg);
    friend void StopAllEvents();
};

// Runs until the last loaded form has unloaded; returns the exit code.
int RunMessageLoop();
// Processes the messages pending at this moment, once; handlers may run inside.
void ProcessPendingMessages();
// The first step of every ending that may still pump messages (an error report's message
// box, a display that takes its time to give back): kills every form's timers and from
// then on no handler of any form runs; their windows get the platform's default handling.
void StopAllEvents();
bool EventsStopped();

}  // namespace platform
