#pragma once
// Control objects keep their state themselves; a backend peer mirrors it into a real
// window (win32) or does nothing (headless). Lengths are twips throughout.
#include <functional>
#include <memory>
#include <string>

#include "platform/window_id.h"

namespace ui {

struct Bounds {
    int left = 0, top = 0, width = 0, height = 0;
};

struct Font {
    bool bold = false;
    int points = 0;  // 0: the form's font
};

class ControlPeer {
  public:
    virtual ~ControlPeer() = default;
    virtual void SetText(const std::string&) {}
    virtual void SetBounds(const Bounds&) {}
    virtual void SetEnabled(bool) {}
    virtual void SetVisible(bool) {}
    virtual void SetFocus() {}
    virtual void BringToFront() {}
    virtual platform::WindowId Handle() const { return 0; }
};

class Backend;
class Container;
struct OptionGroup;

class Control {
  public:
    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    const std::string& Text() const { return text_; }
    // Virtual: a control whose text is its value raises its Change event here.
    virtual void SetText(const std::string& text) {
        text_ = text;
        if (peer_) peer_->SetText(text);
    }
    const Bounds& GetBounds() const { return bounds_; }
    void SetBounds(const Bounds& b) {
        bounds_ = b;
        if (peer_) peer_->SetBounds(b);
    }
    void SetLeft(int left) {
        Bounds b = bounds_;
        b.left = left;
        SetBounds(b);
    }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on) {
        enabled_ = on;
        if (peer_) peer_->SetEnabled(on);
    }
    bool Visible() const { return visible_; }
    void SetVisible(bool on) {
        visible_ = on;
        if (peer_) peer_->SetVisible(on);
    }
    void SetFocus() {
        if (peer_) peer_->SetFocus();
    }
    // Covers the siblings it overlaps (the designs' ZOrder 0).
    void BringToFront() {
        if (peer_) peer_->BringToFront();
    }
    platform::WindowId Handle() const { return peer_ ? peer_->Handle() : 0; }

    // For peers: the user changed the text in the real window.
    void SyncText(const std::string& text) { text_ = text; }
    // For peers: the window was hidden or destroyed by the system.
    void SyncVisible(bool on) { visible_ = on; }
    // For peers: the system gave the window another size or place than asked for.
    void SyncBounds(const Bounds& b) { bounds_ = b; }

  protected:
    // Common part of every control's Create: records the designed state.
    void Init(const std::string& text, const Bounds& b, bool enabled, bool visible) {
        text_ = text;
        bounds_ = b;
        enabled_ = enabled;
        visible_ = visible;
    }
    std::unique_ptr<ControlPeer> peer_;

  private:
    std::string text_;
    Bounds bounds_;
    bool enabled_ = true;
    bool visible_ = true;
};

// A form, a frame or a page: the controls inside it are placed relative to it and hide
// with it.
class Form;

class Container : public Control {
  public:
    virtual Backend& GetBackend() const = 0;
    // The form this container lies in (itself for a form); null before Create.
    Form* TopForm() const { return topForm_; }
    ControlPeer* Peer() const { return peer_.get(); }
    // The group that the next option button made here joins unless it starts one. Shared
    // with the group's buttons, so neither needs to outlive the other.
    std::shared_ptr<OptionGroup>& OpenOptionGroup() { return optionGroup_; }

  protected:
    Form* topForm_ = nullptr;  // not owned

  private:
    std::shared_ptr<OptionGroup> optionGroup_;
};

}  // namespace ui
