#pragma once
#include <functional>
#include <map>
#include <string>

#include "platform/file_version.h"
#include "platform/hotkey.h"

namespace platform {

class HeadlessHotkey : public Hotkey {
  public:
    bool Register(const KeyCombo& combo, std::function<void()> pressed) override {
        ++registerCalls;
        held = refuse ? KeyCombo{} : combo;
        pressed_ = refuse ? nullptr : std::move(pressed);
        return !refuse;
    }
    void Unregister() override {
        held = {};
        pressed_ = nullptr;
    }
    void Suspend(bool on) override { suspended = on; }
    // The user pressed the combination held.
    void Press() {
        if (pressed_ && !suspended) pressed_();
    }

    bool refuse = false;  // another program holds every combination
    bool suspended = false;
    KeyCombo held;
    int registerCalls = 0;

  private:
    std::function<void()> pressed_;
};

class HeadlessFileVersions : public FileVersions {
  public:
    VersionNames Names(const std::string& path) override {
        auto it = names.find(path);
        return it == names.end() ? VersionNames{} : it->second;
    }
    std::map<std::string, VersionNames> names;  // by path as given
};

}  // namespace platform
