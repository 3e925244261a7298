#pragma once
// The message the tray icon posts to the main form. A private message, not the mouse-move
// of older programs, so a real mouse move over the window can never pass for a tray click.
// lParam (its low word) carries the mouse message.
#include <windows.h>

namespace ui {

constexpr UINT kTrayCallbackMessage = WM_APP + 1;

}  // namespace ui
