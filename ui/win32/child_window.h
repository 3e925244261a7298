#pragma once
// A child control's system window, owned by its peer. The window is subclassed so the peer
// learns of its destruction and sees its own messages; its parent reflects WM_COMMAND,
// WM_NOTIFY, WM_CTLCOLOR* and WM_DRAWITEM back to the peer.
#include <windows.h>

#include <string>

#include "ui/control_args.h"
#include "ui/win32/handles.h"

namespace ui {
class Win32Backend;
}

namespace ui::win32 {

class MessageHandler {
  public:
    virtual ~MessageHandler() = default;
    // A notification the parent received from this control.
    virtual bool OnReflected(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
    // A message sent to the control itself, before the control's own procedure.
    virtual bool OnOwnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
};

class ChildWindow {
  public:
    ChildWindow() = default;
    ChildWindow(const ChildWindow&) = delete;
    ChildWindow& operator=(const ChildWindow&) = delete;
    ~ChildWindow();

    // Each control is a group of its own, so arrow keys move only between the option
    // buttons of one group; a button after the first of its group continues it.
    void Create(Win32Backend& backend, Container& parent, const char* className, DWORD style,
                DWORD exStyle, const ControlArgs& args, MessageHandler& handler,
                bool startsGroup = true);
    HWND hwnd() const { return hwnd_; }
    const Win32Backend* backend() const { return backend_; }
    LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const;
    // The control's own answer to a message, for a handler that only adds to it.
    LRESULT CallOriginal(UINT msg, WPARAM wp, LPARAM lp) const;
    std::string Text() const;

    void SetText(const std::string& text);
    void SetBounds(const Bounds& b);
    void SetEnabled(bool on);
    void SetVisible(bool on);
    void SetFocus();
    void BringToFront();

    // The handler of one of our child windows; null for any other window.
    static MessageHandler* HandlerOf(HWND hwnd);

  private:
    static LRESULT CALLBACK Procedure(HWND, UINT, WPARAM, LPARAM);
    static ChildWindow* FromHandle(HWND hwnd);

    HWND hwnd_ = nullptr;
    WNDPROC original_ = nullptr;
    MessageHandler* handler_ = nullptr;  // the owning peer
    const Win32Backend* backend_ = nullptr;
    FontHandle font_;
};

// The ControlPeer calls that every child control answers alike.
template <class Interface>
class ChildPeer : public Interface, protected MessageHandler {
  public:
    void SetText(const std::string& text) override { window_.SetText(text); }
    void SetBounds(const Bounds& b) override { window_.SetBounds(b); }
    void SetEnabled(bool on) override { window_.SetEnabled(on); }
    void SetVisible(bool on) override { window_.SetVisible(on); }
    void SetFocus() override { window_.SetFocus(); }
    void BringToFront() override { window_.BringToFront(); }
    platform::WindowId Handle() const override {
        return reinterpret_cast<platform::WindowId>(window_.hwnd());
    }

  protected:
    ChildWindow window_;
};

// What a window holding child controls (form or frame) does with their notifications and
// its timers. False when the message is not one of those.
bool HandleContainerMessage(Win32Backend& backend, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

}  // namespace ui::win32
