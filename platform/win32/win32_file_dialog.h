#pragma once
#include "platform/file_dialog.h"

namespace platform {

class Win32FileDialog : public FileDialog {
  public:
    FileDialogResult Open(const OpenFileArgs& args) override;
};

// Our wording for an extended error of the common dialogs.
std::string FileDialogErrorText(unsigned long code);

}  // namespace platform
