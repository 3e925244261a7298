#include "platform/headless/headless_desktop.h"

#include "platform/text.h"

namespace platform {

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
    std::string out(text);
    for (char& c : out) c = Windows1252Lower(c);
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
