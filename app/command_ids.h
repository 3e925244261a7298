#pragma once
// Command ids of the main window's menus. Fixed, so that tools driving the window from
// outside (and the end-to-end tests) can send them.
namespace quopa::cmd {

inline constexpr int kExit = 101;
inline constexpr int kPopupShow = 201;
inline constexpr int kPopupRemove = 202;
inline constexpr int kPopUpExit = 203;
// Element n of the tray menu's Run entries carries kPopupApplicationBase + n (n < 10000).
inline constexpr int kPopupApplicationBase = 20000;

}  // namespace quopa::cmd
