#pragma once
// Rules both file backends share, so that either can clean up after the other's crash
// and both judge a file's write time alike.
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// How many names ReplaceAtomically tries before it gives up: each taken one is a
// leftover that a live writer still holds.
constexpr int kTempNameAttempts = 64;

// "<path>.~<process>-<n>.tmp": the sibling a replacement is written to first.
std::string TempSiblingName(const std::string& path, unsigned long process, unsigned n);

// Whether a folder entry is such a sibling of the file named fileName.
bool IsTempSiblingOf(std::string_view entry, std::string_view fileName, bool ignoreCase);

// Whether a file written at writeNs may still be written again, at nowNs, without its
// write time changing: the time is within the file system's clock step of now. The
// step shows in the stamps themselves: FAT keeps even seconds, some keep whole seconds,
// and finer clocks still tick only every few milliseconds.
bool WithinClockStep(std::uint64_t writeNs, std::uint64_t nowNs);

}  // namespace platform
