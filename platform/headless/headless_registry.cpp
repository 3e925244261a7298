#include "platform/headless/headless_registry.h"
#include "platform/text.h"

namespace platform {
namespace {

std::string Folded(const std::string& s) {
    return AsciiLower(s);
}

}  // namespace

RegistryRead HeadlessRegistry::Read(RegistryRoot root, const std::string& keyPath,
                                    const std::string& valueName, std::size_t maxBytes,
                                    RegistryValue& value) {
    reads.push_back({root, keyPath, valueName});
    auto key = keys_.find({root, Folded(keyPath)});
    if (key == keys_.end()) return RegistryRead::NoKey;
    auto found = key->second.find(Folded(valueName));
    if (found == key->second.end()) return RegistryRead::NoValue;
    if (found->second.bytes.size() > maxBytes) return RegistryRead::TooLarge;
    value = found->second;
    return RegistryRead::Found;
}

void HeadlessRegistry::Set(RegistryRoot root, const std::string& keyPath,
                           const std::string& valueName, RegistryValue value) {
    keys_[{root, Folded(keyPath)}][Folded(valueName)] = std::move(value);
}

void HeadlessRegistry::SetText(RegistryRoot root, const std::string& keyPath,
                               const std::string& valueName, const std::string& text) {
    Set(root, keyPath, valueName, {kRegSz, text + '\0'});
}

void HeadlessRegistry::SetDword(RegistryRoot root, const std::string& keyPath,
                                const std::string& valueName, std::uint32_t number) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((number >> (8 * i)) & 0xFF);
    Set(root, keyPath, valueName, {kRegDword, bytes});
}

void HeadlessRegistry::AddKey(RegistryRoot root, const std::string& keyPath) {
    keys_[{root, Folded(keyPath)}];
}

}  // namespace platform
