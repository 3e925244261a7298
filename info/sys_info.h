#pragma once
// Finding and starting the system information tool from what the registry says of it.
#include <string>

#include "platform/services.h"

namespace quopa {

// The value `valueName` of `keyName`, as text: a text value without its terminating NUL,
// a 32-bit number in signed decimal. True when found; a value of another type is found
// too and leaves `keyVal` as passed. False, with `keyVal` empty, when the key or value is
// missing, unreadable or longer than 1024 bytes. The key is opened for reading only.
bool GetKeyValue(platform::Registry& registry, platform::RegistryRoot keyRoot,
                 const std::string& keyName, const std::string& subKeyRef, std::string& keyVal);

// Starts the tool (its full path, or the folder that holds MSINFO32.EXE); otherwise tells
// the user it is unavailable. True when it was started.
bool StartSysInfo(platform::Services& sys, platform::WindowId owner);

}  // namespace quopa
