#pragma once
#include <functional>

#include "platform/hotkey.h"
#include "platform/win32/handles.h"

namespace platform {

// Holds the combination for a message-only window of its own, so the hot key reaches the
// program whichever of its windows exist, and the windows know nothing of it.
class Win32Hotkey : public Hotkey {
  public:
    Win32Hotkey() = default;
    Win32Hotkey(const Win32Hotkey&) = delete;
    Win32Hotkey& operator=(const Win32Hotkey&) = delete;
    ~Win32Hotkey() override;
    bool Register(const KeyCombo& combo, std::function<void()> pressed) override;
    void Unregister() override;
    void Suspend(bool suspended) override;

  private:
    static LRESULT CALLBACK Procedure(HWND, UINT, WPARAM, LPARAM);
    win32::WindowHandle window_;
    bool held_ = false;
    bool suspended_ = false;
    UINT modifiers_ = 0, key_ = 0;  // as held, to hold again after a suspension
    std::function<void()> pressed_;
};

}  // namespace platform
