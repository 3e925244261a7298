#pragma once
// Reading the system's registry. Keys are opened for reading only, so a user without the
// right to change a key can still read it.
#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine, Users };

// Value types, with the system's numbers.
enum RegistryType : std::uint32_t {
    kRegNone = 0,
    kRegSz = 1,
    kRegExpandSz = 2,
    kRegBinary = 3,
    kRegDword = 4,
    kRegMultiSz = 7,
};

struct RegistryValue {
    std::uint32_t type = kRegNone;
    std::string bytes;  // as stored: a text keeps its terminating NUL if it was stored with one
};

enum class RegistryRead { Found, NoKey, NoValue, TooLarge };

class Registry {
  public:
    virtual ~Registry() = default;
    // Opens `keyPath` under `root`, reads `valueName` ("" is the key's default value) into
    // a buffer of `maxBytes`, and closes the key. A longer value is TooLarge, never cut.
    virtual RegistryRead Read(RegistryRoot root, const std::string& keyPath,
                              const std::string& valueName, std::size_t maxBytes,
                              RegistryValue& value) = 0;
};

}  // namespace platform
