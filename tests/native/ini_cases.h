#pragma once
// Reads and writes with their expected outcome. The native suite checks our engine
// against `expected`; under Windows the same table is run against the system's
// profile functions too, except where we deliberately answer differently.
#include <ostream>
#include <string>
#include <vector>

namespace quopa::testing {

using namespace std::string_literals;

const std::string kNoFile = "<none>";

struct IniCase {
    const char* name;
    std::string before;  // kNoFile: no file
    std::string section, key;
    bool write;
    std::string value;     // written, when `write`
    std::string expected;  // the value read, or the file's bytes after the write
    bool systemDiffers;
};

// Names the case in test listings instead of dumping its bytes.
inline void PrintTo(const IniCase& c, std::ostream* os) {
    *os << c.name;
}

inline IniCase Read(const char* n, std::string before, std::string s, std::string k,
                    std::string expected, bool systemDiffers = false) {
    return {n, before, s, k, false, "", expected, systemDiffers};
}
inline IniCase Write(const char* n, std::string before, std::string s, std::string k, std::string v,
                     std::string after, bool systemDiffers = false) {
    return {n, before, s, k, true, v, after, systemDiffers};
}

inline std::vector<IniCase> IniCases() {
    const std::string v300(300, 'v'), ab = "[A]\r\nx=1\r\n[B]\r\nz=3\r\n";
    const bool differs = true;
    return {
        Read("EmptyQuotes", "[A]\r\nP=\"\"\r\n", "A", "P", ""),
        Read("DoubleQuotes", "[A]\r\nP=\"-a -b\"\r\n", "A", "P", "-a -b"),
        Read("SingleQuotes", "[A]\r\nP='q'\r\n", "A", "P", "q"),
        Read("MismatchedQuotes", "[A]\r\nP=\"q'\r\n", "A", "P", "\"q'"),
        Read("BlanksOutsideQuotes", "[A]\r\nP=\t \" q \"  \r\n", "A", "P", " q "),
        Read("NamesIgnoreCase", "[Application7]\r\nNAME=x\r\n", "application7", "name", "x"),
        Read("NamesTrimmed", "  [ A ]  \r\n\t k \t=\tv\x1a\r\n", "A", "k", "v"),
        Read("FirstDuplicateKey", "[A]\r\nx=1\r\nx=2\r\n", "A", "x", "1"),
        Read("OnlyFirstSection", "[A]\r\ny=1\r\n[A]\r\nx=2\r\n", "A", "x", ""),
        Read("LineWithoutEquals", "[A]\r\nx\r\n", "A", "x", ""),
        Read("CrFile", "[A]\rx=1\ry=2\r", "A", "y", "2"),
        Read("BomSkipped", "\xEF\xBB\xBF[A]\r\nx=1\r\n", "A", "x", "1"),
        Read("BomNoConversion", "\xEF\xBB\xBF[A]\r\nx=\xC3\xA9\r\n", "A", "x", "\xC3\xA9", differs),
        Read("AnsiBytes", "[\xC9]\r\nx=\xE9\xFF\x80\xA0\x1c\r\n", "\xC9", "x",
             "\xE9\xFF\x80\xA0\x1c"),
        Read("NonAsciiNotFolded", "[A]\r\n\xC9=1\r\n", "A", "\xE9", ""),
        Read("NoClosingBracket", "[A]\r\n[B\r\nx=1\r\n", "B", "x", ""),
        Read("MissingFile", kNoFile, "A", "x", ""),
        Read("ValueEndsAtNul", "[A]\r\nx=1\0zz\r\ny=2\r\n"s, "A", "x", "1"),
        Read("CutTo254", "[A]\r\nx=" + v300 + "\r\n", "A", "x", v300.substr(0, 254)),
        Read("Quoted253", "[A]\r\nx=\"" + v300.substr(0, 253) + "\"\r\n", "A", "x",
             v300.substr(0, 253)),
        Read("Quoted254", "[A]\r\nx=\"" + v300.substr(0, 254) + "\"\r\n", "A", "x",
             v300.substr(0, 254),
             differs),  // the system drops the last character
        Write("NewFile", kNoFile, "Sec", "Key", "Val", "[Sec]\r\nKey=Val\r\n"),
        Write("KeyAtEndOfSection", ab, "A", "y", "2", "[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n"),
        Write("SectionAtEnd", ab, "C", "y", "2", ab + "[C]\r\ny=2\r\n"),
        Write("NoFinalLineBreak", "[A]\r\nx=1", "A", "y", "2", "[A]\r\nx=1\r\ny=2\r\n"),
        Write("ReplacedKeepsStoredNames", "[A]\r\n  x  =  1  \r\n[B]\r\n", "a", "X", "5",
              "[A]\r\nx=5\r\n[B]\r\n"),
        Write("LineWithoutEqualsGetsValue", "[A]\r\nx\r\n", "A", "x", "2", "[A]\r\nx=2\r\n"),
        Write("LeadingBlanksOfValue", "[A]\r\n", "A", "x", " \tv \t", "[A]\r\nx=v \t\r\n"),
        Write("AnsiValue", "[A]\r\n", "A", "x", "\"\xE9\xFF\x80\"",
              "[A]\r\nx=\"\xE9\xFF\x80\"\r\n"),
        Write("ValueAfterNulIgnored", "[A]\r\n", "A", "x", "a\0b"s, "[A]\r\nx=a\r\n"),
        Write("KeyAfterComment", "[A]\r\nx=1\r\n; c\r\n[B]\r\n", "A", "y", "2",
              "[A]\r\nx=1\r\n; c\r\ny=2\r\n[B]\r\n"),
        Write("KeyIntoEmptySection", "[A]\r\n[B]\r\n", "A", "x", "1", "[A]\r\nx=1\r\n[B]\r\n"),
        Write("FirstOfDuplicateSections", "[A]\r\nx=1\r\n[A]\r\nw=7\r\n", "A", "w", "2",
              "[A]\r\nx=1\r\nw=2\r\n[A]\r\nw=7\r\n"),
        Write("BomKept", "\xEF\xBB\xBF[A]\r\n", "A", "x", "1", "\xEF\xBB\xBF[A]\r\nx=1\r\n"),
        Write("NoClosingBracketLine", "[A]\r\n[B\r\n", "A", "y", "2", "[A]\r\n[B\r\ny=2\r\n"),
        // The system rewrites the whole file; we keep every other line as it was.
        Write("KeyBeforeTrailingBlankLines", "[A]\r\nx=1\r\n\r\n \r\n[B]\r\n", "A", "y", "2",
              "[A]\r\nx=1\r\ny=2\r\n\r\n \r\n[B]\r\n", differs),
        Write("LfFileStaysLf", "[A]\nx=1\n", "A", "y", "2", "[A]\nx=1\ny=2\n", differs),
        Write("NewLineEndsLikeItsNeighbour", "[A]\r\nx=1\n[B]\r\n", "A", "y", "2",
              "[A]\r\nx=1\ny=2\n[B]\r\n", differs),
        Write("CrFileStaysCr", "[A]\rx=1\r", "B", "y", "2", "[A]\rx=1\r[B]\ry=2\r", differs),
        Write("NulLinesKept", "[A]\r\nx=1\0z\r\n"s, "A", "y", "2", "[A]\r\nx=1\0z\r\ny=2\r\n"s,
              differs),
        // The system writes the line breaks, so the value adds a section and a key.
        Write("LineBreaksBecomeSpaces", ab, "A", "x", "a\r\n[C]\r\nq=1\nb\rc",
              "[A]\r\nx=a [C] q=1 b c\r\n[B]\r\nz=3\r\n", differs),
    };
}

}  // namespace quopa::testing
