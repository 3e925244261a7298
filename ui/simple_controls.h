#pragma once
// The controls that only show text or take a click: label, button, frame, progress bar,
// picture box.
#include <functional>

#include "platform/picture.h"
#include "ui/control.h"

namespace ui {

struct ControlArgs {
    std::string text;
    Bounds bounds;
    bool enabled = true;
    bool visible = true;
    Font font;
};

class Label : public Control {
  public:
    void Create(Container& parent, const ControlArgs& args);
    const Font& GetFont() const { return font_; }

  private:
    Font font_;
};

class Button : public Control {
  public:
    void Create(Container& parent, const ControlArgs& args);
    std::function<void()> onClick;
    void Click() {
        if (onClick && Enabled()) onClick();
    }
};

class Frame : public Container {
  public:
    void Create(Container& parent, const ControlArgs& args);
    Backend& GetBackend() const override { return *backend_; }

  private:
    Backend* backend_ = nullptr;  // not owned
};

class ProgressPeer : public ControlPeer {
  public:
    virtual void SetRange(int min, int max) = 0;
    virtual void SetValue(int value) = 0;
};

class ProgressBar : public Control {
  public:
    void Create(Container& parent, const ControlArgs& args);
    int Min() const { return min_; }
    int Max() const { return max_; }
    int Value() const { return value_; }
    void SetRange(int min, int max);
    void SetValue(int value);

  private:
    ProgressPeer* progressPeer() const { return static_cast<ProgressPeer*>(peer_.get()); }
    int min_ = 0, max_ = 100, value_ = 0;
};

class PicturePeer : public ControlPeer {
  public:
    virtual void SetPicture(const platform::Picture& picture) = 0;
};

// Shows a picture stretched to its bounds; keeps the picture it was given.
class PictureBox : public Control {
  public:
    void Create(Container& parent, const ControlArgs& args);
    void SetPicture(platform::Picture picture);
    const platform::Picture& GetPicture() const { return picture_; }

  private:
    platform::Picture picture_;
};

}  // namespace ui
