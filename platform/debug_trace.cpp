#include "platform/debug_trace.h"

#include <cstdio>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#endif

namespace platform {

namespace {
TraceSink& Sink() {
    static TraceSink sink;
    return sink;
}
}  // namespace

void DebugTrace(const std::string& text) {
    if (Sink()) {
        Sink()(text);
        return;
    }
    const std::string line = "Quopa: " + text + "\n";
#ifdef _WIN32
    OutputDebugStringA(line.c_str());
#else
    std::fputs(line.c_str(), stderr);
#endif
}

TraceSink SetTraceSink(TraceSink sink) {
    return std::exchange(Sink(), std::move(sink));
}

}  // namespace platform
