#include "platform/file_type.h"

#include <cctype>

namespace platform {

std::string FileTypeOf(const std::string& path) {
    std::size_t name = path.find_last_of("\\/");
    name = name == std::string::npos ? 0 : name + 1;
    std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < name || dot + 1 == path.size()) return "";
    std::string type = path.substr(dot);
    for (char& c : type) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return type;
}

}  // namespace platform
