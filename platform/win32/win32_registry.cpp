#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/win32_code_page.h"

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
    if (RegOpenKeyExW(RootKey(root), Wide(keyPath).c_str(), 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS)
        return RegistryRead::NoKey;
    // Text comes as UTF-16, up to twice the bytes of its UTF-8. Never a null buffer: with
    // one the call reports success without reading.
    std::string buffer(std::max<std::size_t>(maxBytes, 1) * 2, '\0');
    DWORD type = REG_NONE;
    DWORD size = static_cast<DWORD>(std::min<std::size_t>(buffer.size(), MAXDWORD));
    const LONG status = RegQueryValueExW(key, Wide(valueName).c_str(), nullptr, &type,
                                         reinterpret_cast<BYTE*>(&buffer[0]), &size);
    RegCloseKey(key);
    if (status == ERROR_MORE_DATA) return RegistryRead::TooLarge;
    if (status != ERROR_SUCCESS) return RegistryRead::NoValue;
    buffer.resize(size);
    if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ)
        buffer = Utf8({reinterpret_cast<const wchar_t*>(buffer.data()), size / sizeof(wchar_t)});
    if (buffer.size() > maxBytes) return RegistryRead::TooLarge;
    value = {type, std::move(buffer)};
    return RegistryRead::Found;
}

}  // namespace platform
