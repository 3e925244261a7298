#pragma once
// Tells a developer about a fault the program caught and lived with. Never the user: on
// Windows a debugger's output (OutputDebugStringA), elsewhere standard error.
#include <functional>
#include <string>

namespace platform {

void DebugTrace(const std::string& text);

// Tests catch the traces; an empty sink puts the default back. Returns the sink it replaced.
using TraceSink = std::function<void(const std::string& text)>;
TraceSink SetTraceSink(TraceSink sink);

}  // namespace platform
