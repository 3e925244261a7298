#pragma once
// The system's file-open dialog, shown modally over its owner.
#include <cstdint>
#include <string>

#include "platform/window_id.h"

namespace platform {

// Open-file flags, with the system's values.
enum OpenFileFlags : std::uint32_t {
    kOfnHideReadOnly = 0x4,
    kOfnFileMustExist = 0x1000,
    kOfnExplorer = 0x80000,
    kOfnLongNames = 0x200000,
};

// The number a cancelled dialog reports, as callers have always been told it.
constexpr int kFileDialogCancelError = 32755;

struct OpenFileArgs {
    WindowId owner = 0;
    std::string title;
    // Pairs of shown text and pattern, every part separated by '|':
    // "Pictures (*.bmp;*.gif)|*.bmp;*.gif|All Files (*.*)|*.*".
    std::string filter;
    int filterIndex = 1;  // 1-based
    std::uint32_t flags = 0;
    std::string initialFolder;
    std::string fileName;  // preset in the name box; may be empty
};

enum class FileDialogOutcome { Chosen, Cancelled, Failed };

struct FileDialogResult {
    FileDialogOutcome outcome = FileDialogOutcome::Cancelled;
    std::string fileName;   // full path, when chosen
    std::string fileTitle;  // the name without its folder, when chosen
    // kFileDialogCancelError when cancelled; the system's extended error code when failed.
    int error = 0;
    std::string errorText;
};

class FileDialog {
  public:
    virtual ~FileDialog() = default;
    virtual FileDialogResult Open(const OpenFileArgs& args) = 0;
};

}  // namespace platform
