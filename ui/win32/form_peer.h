#pragma once
#include <windows.h>

#include "ui/form.h"
#include "ui/win32/handles.h"
#include "ui/win32/menu_builder.h"

namespace ui {
class Win32Backend;
}

namespace ui::win32 {

// A top-level window of a class of its own. It reflects its controls' notifications, turns
// menu commands into the form's RunCommand, and never closes while the form refuses.
class Win32FormPeer : public FormPeer {
  public:
    Win32FormPeer(Win32Backend& backend, Form& form, const FormArgs& args);
    Win32FormPeer(const Win32FormPeer&) = delete;
    Win32FormPeer& operator=(const Win32FormPeer&) = delete;
    ~Win32FormPeer() override;

    void SetText(const std::string& text) override;
    void SetBounds(const Bounds& b) override;
    void SetEnabled(bool on) override;
    void SetVisible(bool on) override;
    void SetFocus() override;
    platform::WindowId Handle() const override;

    void ApplyState(WindowState state) override;
    void SetMenuBar(MenuItem* bar) override;
    void PopupMenu(MenuItem& menu) override;
    void SetClientSize(int widthTwips, int heightTwips) override;
    void SetOwner(platform::WindowId owner) override;
    void KeepOnScreen() override;
    void Destroy() override;
    void IgnoreAltRelease() override { altIgnoredUntil_ = GetTickCount() + kAltIgnoredMs; }
    void CenterOnPointerScreen() override;

    // The message loop's turn before dispatch: menu shortcuts, then the dialog keys (Tab,
    // arrows in groups, access keys, Enter, Esc) the system's dialog manager gives.
    bool PreTranslate(MSG& msg);
    static Win32FormPeer* FromWindow(HWND hwnd);  // null for any other window
    // The window is activated and gives the focus back to the control that had it.
    bool RestoringFocus() const { return restoringFocus_; }

  private:
    static LRESULT CALLBACK Procedure(HWND, UINT, WPARAM, LPARAM);
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnSize(WPARAM kind);
    void ResizeForClient(int widthPixels, int heightPixels);
    void SyncBounds();
    void LoadIcons();

    Win32Backend& backend_;
    Form& form_;
    HWND hwnd_ = nullptr;
    DWORD style_ = 0, exStyle_ = 0;
    IconHandle bigIcon_, smallIcon_;
    MenuBuilder menus_;
    MenuHandle bar_;
    AccelHandle shortcuts_;
    HWND lastFocus_ = nullptr;  // not owned: the control to give the focus back to
    bool restoringFocus_ = false;
    // Released alone, Alt opens the menu bar; after a hot key's Alt it would take the typing
    // meant for the search box. A release later than this is the user's own.
    static constexpr DWORD kAltIgnoredMs = 1000;
    DWORD altIgnoredUntil_ = 0;
    bool dialog_ = false;
};

}  // namespace ui::win32
