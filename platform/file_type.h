#pragma once
#include <string>

namespace platform {

// The type of a file as the shell judges it by name alone: its lower-case extension with
// the dot (".exe"), or "" for a name without one.
std::string FileTypeOf(const std::string& path);

}  // namespace platform
