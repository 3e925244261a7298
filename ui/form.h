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
};

struct QueryUnloadEvent {
    bool cancel = false;  // out: keep the window
};

struct FormArgs {
    std::string caption;
    Bounds bounds;                          // outer size; left/top on the screen, twips
    int clientWidth = 0, clientHeight = 0;  // designed client area, twips
    bool fixedSingleBorder = true;
    bool minButton = true;
    std::string className;  // the system window class (win32 only)
};

class Form : public Container {
  public:
    explicit Form(Backend& backend) : backend_(backend) {}
    void Create(const FormArgs& args);
    Backend& GetBackend() const override { return backend_; }

    void Show();
    void Hide();
    WindowState State() const { return state_; }
    // Raises onResize when the state changes, as the user's minimise does.
    void SetWindowState(WindowState state);
    void SetWidth(int twips);
    void Move(int leftTwips, int topTwips);
    void SetMenuBar(MenuItem* bar);
    MenuItem* MenuBar() const { return menuBar_; }
    void PopupMenu(MenuItem& menu);
    MenuItem* LastPopup() const { return lastPopup_; }
    // Dispatches a menu command id to the item that carries it (menu bar, then popups).
    bool RunCommand(int id);
    void AddCommandSource(MenuItem& menu) { commandSources_.push_back(&menu); }

    std::function<void(QueryUnloadEvent&)> onQueryUnload;
    std::function<void()> onResize;
    std::function<void(int mouseMessage)> onTrayNotify;
    // The shell's taskbar was made anew (the shell restarted): tray icons are gone.
    std::function<void()> onTaskbarCreated;

    // For peers and tests: what the user or the system did.
    bool RequestClose();  // true when the window may close
    void SystemChangedState(WindowState state);
    void RaiseTrayNotify(int mouseMessage) {
        if (onTrayNotify) onTrayNotify(mouseMessage);
    }
    void RaiseTaskbarCreated() {
        if (onTaskbarCreated) onTaskbarCreated();
    }

  private:
    FormPeer* formPeer() const { return static_cast<FormPeer*>(peer_.get()); }
    Backend& backend_;
    WindowState state_ = WindowState::Normal;
    MenuItem* menuBar_ = nullptr;
    MenuItem* lastPopup_ = nullptr;
    std::vector<MenuItem*> commandSources_;
};

}  // namespace ui
