#include "platform/headless/headless_desktop.h"

#include "platform/text.h"

namespace platform {

namespace {

// The small letter of Latin-1, Latin Extended-A, Greek and Cyrillic capitals, the scripts
// the tests name; the system's own table covers the rest.
char32_t Lower(char32_t c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ||
        (c >= 0x391 && c <= 0x3AB && c != 0x3A2) || (c >= 0x410 && c <= 0x42F))
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;
    if (c >= 0x388 && c <= 0x38A) return c + 0x25;
    switch (c) {
        case 0x130:
            return 'i';
        case 0x178:
            return 0xFF;
        case 0x386:
            return 0x3AC;
        case 0x38C:
            return 0x3CC;
        case 0x38E:
        case 0x38F:
            return c + 0x3F;
        case 0x4C0:
            return 0x4CF;
    }
    // Pairs of capital and small letter, the capital first.
    const bool evenFirst = (c >= 0x100 && c <= 0x137 && c != 0x130 && c != 0x131) ||
                           (c >= 0x14A && c <= 0x177) || (c >= 0x460 && c <= 0x481) ||
                           (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x4FF);
    const bool oddFirst =
        (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E) || (c >= 0x4C1 && c <= 0x4CE);
    return (evenFirst && c % 2 == 0) || (oddFirst && c % 2 == 1) ? c + 1 : c;
}

}  // namespace

int HeadlessDesktop::MsgBox(WindowId owner, const std::string& text, const std::string& title,
                            unsigned style) {
    if (whileShown) whileShown();
    Record(log, "message " + text);
    messages.push_back({owner, text, title, style});
    if (!answers.empty()) {
        int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return (style & 0xF) == kMbYesNo ? kIdYes : kIdOk;
}

bool HeadlessDesktop::TaskbarRect(PixelRect& rect) {
    rect = hasTaskbar ? taskbar : PixelRect{};
    return hasTaskbar;
}

DiskSpace HeadlessDesktop::DiskFreeSpace(const std::string& root) {
    Record(log, "disk " + root);
    diskQueries.push_back(root);
    return disk;
}

Picture HeadlessDesktop::LoadPicture(const std::string& path) {
    std::string bytes;
    if (files_.Query(path).kind != PathKind::File || !files_.ReadAll(path, bytes) ||
        bytes.compare(0, 2, "BM") != 0)
        return {};
    loadedPictures.push_back(path);
    return Picture(Picture::Kind::Bitmap, nextBitmap_++, nullptr);
}

std::string HeadlessDesktop::LowerCase(std::string_view text) {
    if (IsAscii(text)) return AsciiLower(text);
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) AppendUtf8(out, Lower(NextChar(text, at)));
    return out;
}

// The accented letters of Latin-1 in UTF-8 (0xC3 and a byte of 0x80 to 0xBF), as the system
// takes their accents off; '-' for those it leaves.
std::string HeadlessDesktop::WithoutAccents(std::string_view text) {
    static constexpr char kBase[] =
        "AAAAAA-CEEEEIIII-NOOOOO--UUUUY--aaaaaa-ceeeeiiii-nooooo--uuuuy-y";
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        const char base = next >= 0x80 && next <= 0xBF ? kBase[next - 0x80] : '-';
        if (static_cast<unsigned char>(text[i]) != 0xC3 || base == '-') {
            out += text[i];
            continue;
        }
        out += base;
        ++i;
    }
    return out;
}

}  // namespace platform
