#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <algorithm>

namespace platform {
namespace {

HKEY RootKey(RegistryRoot root) {
    switch (root) {
        case RegistryRoot::ClassesRoot:
            return HKEY_CLASSES_ROOT;
        case RegistryRoot::CurrentUser:
            return HKEY_CURRENT_USER;
        case RegistryRoot::LocalMachine:
            return HKEY_LOCAL_MACHINE;
        case RegistryRoot::Users:
            return HKEY_USERS;
    }
    return HKEY_CURRENT_USER;
}

}  // namespace

RegistryRead Win32Registry::Read(RegistryRoot root, const std::string& keyPath,
                                 const std::string& valueName, std::size_t maxBytes,
                                 RegistryValue& value) {
    HKEY key = nullptr;
    // Query rights only: asking for more fails for users who may not change the key.
    if (RegOpenKeyExA(RootKey(root), keyPath.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return RegistryRead::NoKey;
    // Never a null buffer: with one the call reports success without reading.
    std::string buffer(std::max<std::size_t>(maxBytes, 1), '\0');
    DWORD type = REG_NONE;
    DWORD size = static_cast<DWORD>(std::min<std::size_t>(maxBytes, MAXDWORD));
    const LONG status = RegQueryValueExA(key, valueName.c_str(), nullptr, &type,
                                         reinterpret_cast<BYTE*>(&buffer[0]), &size);
    RegCloseKey(key);
    if (status == ERROR_MORE_DATA) return RegistryRead::TooLarge;
    if (status != ERROR_SUCCESS) return RegistryRead::NoValue;
    buffer.resize(size);
    value = {type, std::move(buffer)};
    return RegistryRead::Found;
}

}  // namespace platform
