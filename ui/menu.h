#pragma once
// Menus are plain object trees; the form's peer builds the system menus from them when it
// shows them, and routes a chosen command back to the item's onClick.
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace ui {

class MenuItem {
  public:
    struct Args {
        std::string caption = {};  // "-" makes a separator
        int id = 0;  // command id, 1 to 65535 and unique within the form; 0 for submenus
        bool enabled = true;
        bool visible = true;
        std::string shortcut = {};     // shown right-aligned and pressed, e.g. "Ctrl+I"
        std::string alsoPressed = {};  // a second shortcut, pressed but not shown
    };
    MenuItem() = default;
    explicit MenuItem(const Args& args) : args_(args) {}
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    MenuItem& Add(const Args& args);
    // Removes the entry with command `id` from this menu's own entries (not a submenu's).
    void Remove(int id);
    const std::vector<std::unique_ptr<MenuItem>>& Items() const { return items_; }
    MenuItem* FindById(int id);

    const std::string& Caption() const { return args_.caption; }
    void SetCaption(const std::string& caption) { args_.caption = caption; }
    int Id() const { return args_.id; }
    bool Enabled() const { return args_.enabled; }
    void SetEnabled(bool on) { args_.enabled = on; }
    bool Visible() const { return args_.visible; }
    void SetVisible(bool on) { args_.visible = on; }
    bool IsSeparator() const { return args_.caption == "-"; }
    const std::string& Shortcut() const { return args_.shortcut; }
    const std::string& AlsoPressed() const { return args_.alsoPressed; }

    std::function<void()> onClick;
    void Click() {
        if (onClick && args_.enabled) onClick();
    }

  private:
    Args args_;
    std::vector<std::unique_ptr<MenuItem>> items_;
};

// A control array of menu entries inside one submenu: element n has command id base + n.
// Loading an element that exists does nothing; elements are never unloaded.
class MenuArray {
  public:
    MenuArray() = default;
    MenuArray(const MenuArray&) = delete;  // its elements' onClick point back at it
    MenuArray& operator=(const MenuArray&) = delete;
    void Create(MenuItem& submenu, int idBase, int firstIndex, const std::string& firstCaption);
    MenuItem& Load(int index);
    MenuItem* Element(int index);
    int IdBase() const { return idBase_; }

    std::function<void(int index)> onClick;

  private:
    MenuItem* submenu_ = nullptr;  // not owned
    int idBase_ = 0;
    std::string caption_;
    std::unordered_map<int, MenuItem*> elements_;  // by index; thousands of items load  // a loaded
                                                   // element starts with the first one's caption
};

}  // namespace ui
