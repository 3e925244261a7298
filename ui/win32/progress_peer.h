#pragma once
#include <windows.h>

#include <commctrl.h>

#include "ui/progress_bar.h"
#include "ui/win32/child_window.h"

namespace ui::win32 {

class Win32ProgressPeer : public ChildPeer<ProgressPeer> {
  public:
    Win32ProgressPeer(Win32Backend& backend, ProgressBar&, Container& parent,
                      const ControlArgs& args) {
        window_.Create(backend, parent, PROGRESS_CLASSA, 0, 0, args, *this);
    }
    // An empty range (a drive under 50 MB) shows an empty bar instead of dividing by zero.
    void SetRange(int min, int max) override {
        window_.Send(PBM_SETRANGE32, static_cast<WPARAM>(min),
                     static_cast<LPARAM>(max > min ? max : min + 1));
    }
    void SetValue(int value) override { window_.Send(PBM_SETPOS, static_cast<WPARAM>(value)); }
};

}  // namespace ui::win32
