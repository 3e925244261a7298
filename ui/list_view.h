#pragma once
// A list of rows, each a picture, a text and a second column's text, one of them selected.
// The program fills it and moves the selection; the user may pick a row with the mouse.
#include <functional>
#include <string>
#include <vector>

#include "ui/control_args.h"

namespace ui {

class ImageList;

struct ListRow {
    std::string text, detail;
    std::string image;  // the picture's key in the image list
};

class ListViewPeer : public ControlPeer {
  public:
    virtual void SetImageList(const ImageList* list) = 0;
    // `images` holds each row's picture index, -1 for none.
    virtual void SetRows(const std::vector<ListRow>& rows, const std::vector<int>& images) = 0;
    virtual void Select(int index) = 0;
};

class ListView : public Control {
  public:
    void Create(Container& parent, const ControlArgs& args);
    // Not owned: it must outlive the list, or be replaced first.
    void SetImageList(const ImageList* list);
    // The first row is selected, if any.
    void SetRows(std::vector<ListRow> rows);
    const std::vector<ListRow>& Rows() const { return rows_; }
    int Selected() const { return selected_; }  // -1: none
    // Moves the selection; an index outside the rows is refused.
    bool Select(int index);

    std::function<void()> onClick;
    std::function<void()> onDblClick;

    // For peers and tests: the user clicked or double-clicked a row.
    void UserClicked(int index) {
        if (Select(index) && onClick) onClick();
    }
    void UserDoubleClicked(int index) {
        if (Select(index) && onDblClick) onDblClick();
    }

  private:
    ListViewPeer* listPeer() const { return static_cast<ListViewPeer*>(peer_.get()); }
    const ImageList* images_ = nullptr;
    std::vector<ListRow> rows_;
    int selected_ = -1;
};

}  // namespace ui
