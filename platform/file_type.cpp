#include "platform/file_type.h"
#include "platform/text.h"

namespace platform {

std::string FileTypeOf(const std::string& path) {
    std::size_t name = path.find_last_of("\\/");
    name = name == std::string::npos ? 0 : name + 1;
    std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < name || dot + 1 == path.size()) return "";
    return AsciiLower(std::string_view(path).substr(dot));
}

}  // namespace platform
