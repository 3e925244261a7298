#pragma once
#include "platform/shell.h"

namespace platform {

class Win32Shell : public Shell {
  public:
    std::intptr_t Execute(WindowId owner, const std::string& operation, const std::string& file,
                          const std::string& parameters, const std::string& directory,
                          int showCommand) override;
    std::intptr_t FindProgram(const std::string& file, const std::string& directory,
                              std::string& program) override;
    std::string TempPath() override;
    Picture FileIcon(const std::string& path, std::uint32_t flags) override;
    Picture OwnIcon(const std::string& path) override;
    bool StartProcess(const std::string& commandLine, int showCommand,
                      const std::string& directory) override;
    std::string SystemFolder() override;
    std::optional<ShortcutTarget> ReadShortcut(const std::string& path) override;
};

// Destroys an icon or bitmap handed out as a Picture.
void DestroyGdiPicture(Picture::Kind kind, std::uintptr_t handle);

}  // namespace platform
