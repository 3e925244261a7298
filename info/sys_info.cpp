#include "info/sys_info.h"

#include <cstdint>

#include "launch/shell_rules.h"
#include "state/program_state.h"

namespace quopa {

namespace {

constexpr std::size_t kValueBuffer = 1024;
constexpr auto kMachine = platform::RegistryRoot::LocalMachine;

// The tool's command line, or "" when the registry names none that exists.
std::string SysInfoCommand(platform::Services& sys) {
    std::string path;
    if (GetKeyValue(sys.registry, kMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                    path))
        return path;
    std::string folder;
    if (!GetKeyValue(sys.registry, kMachine, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO",
                     folder))
        return "";
    const std::string file = folder + "\\MSINFO32.EXE";
    return FileExists(sys.files, file) ? file : "";
}

}  // namespace

bool GetKeyValue(platform::Registry& registry, platform::RegistryRoot keyRoot,
                 const std::string& keyName, const std::string& subKeyRef, std::string& keyVal) {
    platform::RegistryValue value;
    if (registry.Read(keyRoot, keyName, subKeyRef, kValueBuffer, value) !=
        platform::RegistryRead::Found) {
        keyVal.clear();
        return false;
    }
    const std::string& bytes = value.bytes;
    if (value.type == platform::kRegSz) {
        const bool terminated = !bytes.empty() && bytes.back() == '\0';
        keyVal = bytes.substr(0, bytes.size() - (terminated ? 1 : 0));
    } else if (value.type == platform::kRegDword) {
        // Missing bytes read as the zeros the buffer was filled with.
        std::uint32_t number = 0;
        for (std::size_t i = 0; i < 4 && i < bytes.size(); ++i)
            number |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
        keyVal = std::to_string(static_cast<std::int32_t>(number));
    }
    return true;
}

bool StartSysInfo(platform::Services& sys, platform::WindowId owner) {
    const std::string command = SysInfoCommand(sys);
    if (!command.empty() &&
        sys.shell.StartProcess(command, platform::kSwShowNormal, sys.shell.SystemFolder()))
        return true;
    sys.desktop.MsgBox(owner, "System Information Is Unavailable At This Time", kAppTitle,
                       platform::kMbOk);
    return false;
}

}  // namespace quopa
