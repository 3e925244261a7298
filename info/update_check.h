#pragma once
// Asking the maker's server whether this version is still current, and reading its answer.
#include <cstddef>
#include <optional>
#include <string>

#include "platform/http.h"

namespace quopa {

// Defined by each program rather than here, so that a test build can ask a server of its
// own and give up on it sooner.
extern const char kUpdateHost[];
extern const unsigned kUpdateTimeoutMs;
inline constexpr char kWebsite[] = "http://www.quopa.net";
inline constexpr char kUpdatePath[] = "/infusions/license_system/update_check.php?app=2&version=1";
// The answer is one digit; anything much longer is not an answer, so more is never read.
inline constexpr std::size_t kMaxUpdateReply = 4096;

enum class UpdateAnswer { Current, Outdated, Failed };

std::string UpdateUrl(const std::string& host);

// A whole number in -32768..32767 with blanks around it allowed; nothing for any other text.
std::optional<int> ReadShort(const std::string& text);

// 1 is current and 0 outdated, whatever the status line says; anything else, no answer, or
// a body cut at the cap is a failure.
UpdateAnswer ReadUpdateReply(const platform::HttpReply& reply);

}  // namespace quopa
