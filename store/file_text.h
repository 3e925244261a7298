#pragma once
// How a text file's bytes become the program's UTF-8 and back, for every file Quopa reads
// as text. A byte-order mark tells UTF-8 or UTF-16 (little-endian), as it does for the
// system's profile functions; without one the file is in the PC's ANSI code page.
#include <string>

#include "platform/code_page.h"

namespace quopa {

enum class FileEncoding { Ansi, Utf8, Utf16 };

struct FileText {
    std::string text;  // UTF-8, without the mark
    FileEncoding encoding = FileEncoding::Ansi;
};

FileText TextOfFile(std::string bytes, platform::CodePage& codePage);

// The bytes that hold `text` in a file read as `encoding`, which becomes the one written. A
// marked file keeps its form, and a file of ASCII text alone stays byte for byte what the
// system would write; any other text goes to UTF-8 with its mark, the one form that reads
// the same on every PC the drive visits.
std::string FileBytesOf(const std::string& text, FileEncoding& encoding);

}  // namespace quopa
