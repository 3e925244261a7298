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

}  // namespace platform
