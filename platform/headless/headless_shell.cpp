#include "platform/headless/headless_shell.h"

#include "platform/file_type.h"

#include <cctype>

namespace platform {

std::intptr_t HeadlessShell::Execute(WindowId owner, const std::string& operation,
                                     const std::string& file, const std::string& parameters,
                                     const std::string& directory, int showCommand) {
    Record(log, "execute " + file);
    executed.push_back({owner, operation, file, parameters, directory, showCommand});
    return executeResult;
}

std::intptr_t HeadlessShell::FindProgram(const std::string& file, const std::string& directory,
                                         std::string& program) {
    std::string full = directory;
    if (!full.empty() && full.back() != '\\') full += '\\';
    full += file;
    findExecutableFiles.push_back(full);
    program.clear();
    if (files_ && files_->Query(full).kind != PathKind::File) return 2;
    if (browserCode > 32) program = browserPath;
    return browserCode;
}

Picture HeadlessShell::FileIcon(const std::string& path, std::uint32_t flags) {
    iconRequests.push_back(path);
    lastIconFlags = flags;
    std::string type = FileTypeOf(path);
    if (noIconFor.count(type)) return {};
    auto it = iconIds.find(type);
    if (it == iconIds.end()) it = iconIds.emplace(type, 0x1000 + iconIds.size()).first;
    return Picture(Picture::Kind::Icon, it->second, nullptr);
}

Picture HeadlessShell::OwnIcon(const std::string& path) {
    ownIconRequests.push_back(path);
    auto it = ownIcons.find(path);
    if (it == ownIcons.end()) return {};
    return Picture(Picture::Kind::Icon, it->second, nullptr);
}

bool HeadlessShell::StartProcess(const std::string& commandLine, int showCommand,
                                 const std::string& directory) {
    Record(log, "start " + commandLine);
    started.push_back({commandLine, showCommand, directory});
    return startResult;
}

}  // namespace platform
