#pragma once
// What the editor's dialogs tell the user when the apps file cannot take a change.
#include <cstdint>
#include <string>

#include "platform/file_dialog.h"
#include "store/ini.h"

namespace quopa {

// The tree looks below 10000 only: a section past that would be written and never shown.
inline bool IsFreeNumber(std::int16_t n) {
    return n >= 1 && n <= 9999;
}

inline constexpr char kNoItemNumberLeft[] =
    "No more items can be added: every item number up to 9999 is in use.";
inline constexpr char kNoCategoryNumberLeft[] =
    "No more categories can be added: every category number up to 9999 is in use.";

// A write the file refused: a read-only or pulled drive.
inline std::string CouldNotSave(const std::string& what, const std::string& file) {
    return "The " + what + " could not be saved to " + file +
           ".\r\nThe drive may be write-protected or no longer there.";
}

// The open-file dialog could not be shown.
inline std::string FileDialogFailed(const platform::FileDialogResult& result) {
    return "Error " + std::to_string(result.error) + " selecting file.\r\n" + result.errorText;
}

// A value the file would give back cut: an item would then read or open as something else.
inline std::string TooLongToKeep(const std::string& field) {
    return "The " + field + " field is too long to be kept: " + std::to_string(kMaxValueChars) +
           " characters at most.";
}

// A picture beyond what the avatar's reading can hold, told apart from one that is none.
inline constexpr char kPictureTooLarge[] =
    "This picture is too large to be used as your avatar.\r\nPlease choose a smaller one.";

}  // namespace quopa
