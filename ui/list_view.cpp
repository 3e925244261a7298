#include "ui/list_view.h"

#include "ui/backend.h"
#include "ui/image_list.h"

namespace ui {

void ListView::Create(Container& parent, const ControlArgs& args) {
    Init(args.text, args.bounds, args.enabled, args.visible);
    peer_ = parent.GetBackend().CreateListView(*this, parent, args);
}

void ListView::SetImageList(const ImageList* list) {
    images_ = list;
    if (listPeer()) listPeer()->SetImageList(list);
}

void ListView::SetRows(std::vector<ListRow> rows) {
    rows_ = std::move(rows);
    selected_ = rows_.empty() ? -1 : 0;
    if (!listPeer()) return;
    // A picture the list no longer has shows as the program's own.
    std::vector<int> images;
    for (const ListRow& row : rows_) {
        int index = images_ ? images_->IndexOf(row.image) : -1;
        if (index < 0 && images_) index = images_->IndexOf("default");
        images.push_back(index);
    }
    listPeer()->SetRows(rows_, images);
    listPeer()->Select(selected_);
}

bool ListView::Select(int index) {
    if (index < 0 || index >= static_cast<int>(rows_.size())) return false;
    selected_ = index;
    if (listPeer()) listPeer()->Select(index);
    return true;
}

}  // namespace ui
