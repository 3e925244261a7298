#pragma once
// What a window procedure caught: nothing may unwind into the system's code, but a fault
// must still be seen (a debugger or a trace viewer shows it; there is no log file).
#include <exception>
#include <string>

#include "platform/debug_trace.h"

namespace ui::win32 {

inline void TraceCaught(const char* where) {
    std::string text = std::string("Quopa: exception in ") + where + ": ";
    try {
        throw;
    } catch (const std::exception& e) {
        text += e.what();
    } catch (...) {
        text += "unknown";
    }
    platform::DebugTrace(text);
}

}  // namespace ui::win32
