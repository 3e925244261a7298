#include "ui/menu.h"

#include <stdexcept>
#include <vector>

namespace ui {

MenuItem& MenuItem::Add(const Args& args) {
    items_.push_back(std::make_unique<MenuItem>(args));
    return *items_.back();
}

void MenuItem::Remove(int id) {
    if (id == 0) return;  // separators and submenus carry none
    std::erase_if(items_, [id](const std::unique_ptr<MenuItem>& item) { return item->Id() == id; });
}

MenuItem* MenuItem::FindById(int id) {
    if (id == 0) return nullptr;  // submenus and separators carry no command
    if (args_.id == id) return this;
    for (auto& item : items_) {
        if (MenuItem* found = item->FindById(id)) return found;
    }
    return nullptr;
}

void MenuArray::Create(MenuItem& submenu, int idBase, int firstIndex,
                       const std::string& firstCaption) {
    submenu_ = &submenu;
    idBase_ = idBase;
    caption_ = firstCaption;
    Load(firstIndex);
}

MenuItem& MenuArray::Load(int index) {
    if (!submenu_) throw std::logic_error("MenuArray::Load before Create");
    if (MenuItem* existing = Element(index)) return *existing;
    MenuItem::Args args;
    args.caption = caption_;
    args.id = idBase_ + index;
    MenuItem& item = submenu_->Add(args);
    elements_[index] = &item;
    item.onClick = [this, index] {
        if (onClick) onClick(index);
    };
    return item;
}

MenuItem* MenuArray::Element(int index) {
    auto found = elements_.find(index);
    return found == elements_.end() ? nullptr : found->second;
}

}  // namespace ui
