#pragma once
// Command ids of the main window's menus. Fixed, so that tools driving the window from
// outside (and the end-to-end tests) can send them: never renumber one, only add.
namespace quopa::cmd {

// File menu.
inline constexpr int kExit = 101;
inline constexpr int kNew = 102;
inline constexpr int kNewCategory = 103;
inline constexpr int kRemove = 104;
inline constexpr int kOptions = 105;
// Edit menu.
inline constexpr int kUndo = 121;
inline constexpr int kRedo = 122;
inline constexpr int kRestore = 123;
// Help menu.
inline constexpr int kUpdate = 111;
inline constexpr int kSupport = 112;
inline constexpr int kAbout = 113;
// Tray menu.
inline constexpr int kPopupShow = 201;
inline constexpr int kPopupRemove = 202;
inline constexpr int kPopUpExit = 203;
// Item context menu.
inline constexpr int kFileRun = 301;
inline constexpr int kFileEdit = 302;
inline constexpr int kFileDelete = 303;
// Category context menu.
inline constexpr int kCatAddNew = 401;
inline constexpr int kCatDelete = 402;
inline constexpr int kCatShowHidden = 403;
// Found-app context menu.
inline constexpr int kFoundRun = 501;
inline constexpr int kFoundAdd = 502;
inline constexpr int kFoundHide = 503;
inline constexpr int kFoundShowHidden = 504;
// The tray's Run entries of found apps carry kPopupFoundBase + 0, + 1, ... (fewer than 9999),
// one id per app for the program's life.
inline constexpr int kPopupFoundBase = 40000;
// Element n of the tray menu's Run entries carries kPopupApplicationBase + n (n < 10000).
inline constexpr int kPopupApplicationBase = 20000;

}  // namespace quopa::cmd
