#pragma once
// A registry in memory that tests fill. Key paths and value names ignore letter case, as
// the system's do.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/registry.h"

namespace platform {

struct RegistryReadCall {
    RegistryRoot root;
    std::string keyPath, valueName;
};

class HeadlessRegistry : public Registry {
  public:
    RegistryRead Read(RegistryRoot root, const std::string& keyPath, const std::string& valueName,
                      std::size_t maxBytes, RegistryValue& value) override;

    void Set(RegistryRoot root, const std::string& keyPath, const std::string& valueName,
             RegistryValue value);
    // Text stored with its terminating NUL, as the system's own tools store it.
    void SetText(RegistryRoot root, const std::string& keyPath, const std::string& valueName,
                 const std::string& text);
    void SetDword(RegistryRoot root, const std::string& keyPath, const std::string& valueName,
                  std::uint32_t number);
    // A key that exists without values.
    void AddKey(RegistryRoot root, const std::string& keyPath);

    std::vector<RegistryReadCall> reads;

  private:
    using Values = std::map<std::string, RegistryValue>;
    std::map<std::pair<RegistryRoot, std::string>, Values> keys_;
};

}  // namespace platform
