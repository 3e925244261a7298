#pragma once
#include "platform/registry.h"

namespace platform {

class Win32Registry : public Registry {
  public:
    RegistryRead Read(RegistryRoot root, const std::string& keyPath, const std::string& valueName,
                      std::size_t maxBytes, RegistryValue& value) override;
};

}  // namespace platform
