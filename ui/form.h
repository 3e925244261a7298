#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/menu.h"
#include "ui/simple_controls.h"

namespace ui {

enum class WindowState { Normal, Minimized, Maximized };

class FormPeer : public ControlPeer {
  public:
    virtual void ApplyState(WindowState state) = 0;
    virtual void SetMenuBar(MenuItem* bar) = 0;  // rebuilt from the objects at each call
    // Shows the menu at the pointer and runs the chosen item's onClick before returning.
    virtual void PopupMenu(MenuItem& menu) = 0;
    // The client area's size in twips, for placement.
    virtual void SetClientSize(int widthTwips, int heightTwips) = 0;
    // Makes `owner` the window this one stays above and returns to (0: none).
    virtual void SetOwner(platform::WindowId owner) = 0;
    // Moves the window back inside the work area of its monitor.
    virtual void KeepOnScreen() = 0;
    // Destroys the window; the control objects keep their last state.
    virtual void Destroy() = 0;
    // The Alt of a hot key that brought the window up, let go after it, opens no menu.
    virtual void IgnoreAltRelease() {}
    // Centred on the work area of the monitor the pointer is on.
    virtual void CenterOnPointerScreen() {}
};

// What the user did with the mouse on the form's notification-area icon.
enum class TrayMouse { Other, LeftUp, LeftDoubleClick, RightUp };

struct QueryUnloadEvent {
    bool cancel = false;  // out: keep the window
};

struct FormArgs {
    std::string caption;
    Bounds bounds;                          // outer size; left/top on the screen, twips
    int clientWidth = 0, clientHeight = 0;  // designed client area, twips
    bool fixedSingleBorder = true;
    bool minButton = true;
    // A dialog's frame: fixed, no minimise box, no icon of its own.
    bool dialog = false;
    std::string className;  // the system window class (win32 only)
    // A bare window above all others, without caption or taskbar button (a pop-up box).
    bool popup = false;
};

class Button;

class Form : public Container {
  public:
    explicit Form(Backend& backend) : backend_(backend) { topForm_ = this; }
    void Create(const FormArgs& args);
    Backend& GetBackend() const override { return backend_; }

    void Show();
    void Hide();

    // Runs this form over `owner`, which is disabled until this form unloads; returns then.
    void ShowModal(Form& owner);
    // Shows this form without waiting, owned by `owner` (it stays above it). The caller
    // keeps the object and may destroy it only after onUnload, never inside a handler of
    // its own: Backend::Post is the way out of one.
    void ShowOwned(Form& owner);
    // Asks QueryUnload, then unloads; false when the form refused.
    bool Close();
    // Destroys the window at once (no QueryUnload) and raises onUnload, once.
    void Unload();
    bool Loaded() const { return loaded_; }
    // Centred over `owner`, kept on its screen.
    void CenterOver(const Form& owner);
    void CenterOnPointerScreen() {
        if (formPeer()) formPeer()->CenterOnPointerScreen();
    }

    // The buttons that Enter and Esc press, as in any dialog (not owned).
    void SetDefaultButton(Button* button) { defaultButton_ = button; }
    void SetCancelButton(Button* button) { cancelButton_ = button; }
    Button* DefaultButton() const { return defaultButton_; }
    Button* CancelButton() const { return cancelButton_; }
    WindowState State() const { return state_; }
    // Raises onResize when the state changes, as the user's minimise does.
    void SetWindowState(WindowState state);
    void SetWidth(int twips);
    void Move(int leftTwips, int topTwips);
    void SetMenuBar(MenuItem* bar);
    MenuItem* MenuBar() const { return menuBar_; }
    void PopupMenu(MenuItem& menu);
    void IgnoreAltRelease() {
        if (formPeer()) formPeer()->IgnoreAltRelease();
    }
    MenuItem* LastPopup() const { return lastPopup_; }
    // Dispatches a menu command id to the item that carries it (menu bar, then popups).
    bool RunCommand(int id);
    void AddCommandSource(MenuItem& menu) { commandSources_.push_back(&menu); }

    // Before a command id is looked up: menus filled on demand are filled here.
    std::function<void(int id)> onBeforeCommand;
    std::function<void(QueryUnloadEvent&)> onQueryUnload;
    std::function<void()> onUnload;
    std::function<void()> onResize;
    // Another window, of this program or another, became the active one.
    std::function<void()> onDeactivate;
    std::function<void(TrayMouse)> onTrayNotify;
    // The shell's taskbar was made anew (the shell restarted): tray icons are gone.
    std::function<void()> onTaskbarCreated;

    // For peers and tests: what the user or the system did.
    bool RequestClose();  // true when the window may close
    // Enter or Esc outside a control that wants the key; false when no button took it.
    bool PressEnter();
    bool PressEscape();
    void SystemChangedState(WindowState state);
    void RaiseTrayNotify(TrayMouse mouse) {
        if (onTrayNotify) onTrayNotify(mouse);
    }
    void RaiseDeactivate() {
        if (onDeactivate) onDeactivate();
    }
    void RaiseTaskbarCreated() {
        if (onTaskbarCreated) onTaskbarCreated();
    }

  private:
    FormPeer* formPeer() const { return static_cast<FormPeer*>(peer_.get()); }
    Backend& backend_;
    bool loaded_ = false;
    Form* modalOwner_ = nullptr;  // not owned: enabled again when this form unloads
    bool ownerWasEnabled_ = false;
    Button* defaultButton_ = nullptr;
    Button* cancelButton_ = nullptr;
    WindowState state_ = WindowState::Normal;
    MenuItem* menuBar_ = nullptr;
    MenuItem* lastPopup_ = nullptr;
    std::vector<MenuItem*> commandSources_;
};

}  // namespace ui
