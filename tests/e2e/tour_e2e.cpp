#include "tests/e2e/tour_e2e.h"

#include <cstdint>

namespace e2e {

HWND TourSteps::AddCategory(const std::string& title, bool refused) {
    Command(quopa::cmd::kNewCategory);
    HWND dialog = WaitDialog("Add Category");
    EXPECT_NE(dialog, nullptr);
    if (!dialog) return nullptr;
    SetText(FindChild(dialog, "Edit"), title);
    Press(FindChild(dialog, "Button", "&Finish"));
    if (refused) return dialog;
    EXPECT_TRUE(Gone(dialog));
    return nullptr;
}

HWND TourSteps::AddItem(const Entry& entry, bool refused) {
    Command(quopa::cmd::kNew);
    HWND wizard = WaitDialog("Add new item");
    EXPECT_NE(wizard, nullptr);
    if (!wizard) return nullptr;
    if (entry.web) {
        PostMessageA(FindChild(wizard, "Button", "Web Link"), BM_CLICK, 0, 0);
        Settle();
    }
    Press(FindChild(wizard, "Button", "&Next"));
    HWND finish = FindChild(wizard, "Button", "&Finish");
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(finish); })) << "no field page";
    // The field page's boxes in their order: title, description, path, parameters, start in.
    const std::vector<HWND> boxes = Children(wizard, "Edit");
    EXPECT_EQ(boxes.size(), 5u);
    if (boxes.size() != 5) return wizard;
    SetText(boxes[0], entry.title);
    SetText(boxes[1], entry.description);
    if (!entry.web) {
        SetText(boxes[2], entry.path);
        SetText(boxes[3], entry.parameters);
        SetText(boxes[4], entry.startIn);
    } else {
        EXPECT_EQ(WindowText(boxes[2]), "http://");
        SetText(boxes[2], "http://localhost/");
    }
    HWND category = Children(wizard, "ComboBox").front();
    Pick(category, entry.category);
    if (entry.autorun) Press(FindChild(wizard, "Button", "Start when Quopa starts"));
    Press(finish);
    if (refused) return wizard;
    EXPECT_TRUE(Gone(wizard));
    return nullptr;
}

HWND TourSteps::SetOptions(const Owner& owner, int language, bool refused) {
    Command(quopa::cmd::kOptions);
    HWND dialog = WaitDialog("Options");
    EXPECT_NE(dialog, nullptr);
    if (!dialog) return nullptr;
    // Name, address, city, phone, e-mail, avatar.
    const std::vector<HWND> boxes = Children(dialog, "Edit");
    EXPECT_EQ(boxes.size(), 6u);
    if (boxes.size() != 6) return dialog;
    if (!owner.name.empty()) {
        const std::string* values[] = {&owner.name,  &owner.address, &owner.city,
                                       &owner.phone, &owner.email,   &owner.avatar};
        for (std::size_t i = 0; i < boxes.size(); ++i) SetText(boxes[i], *values[i]);
    }
    if (language >= 0) Pick(Children(dialog, "ComboBox").front(), language);
    Press(FindChild(dialog, "Button", "&OK"));
    if (refused) return dialog;
    EXPECT_TRUE(Gone(dialog));
    return nullptr;
}

void TourSteps::ClickOn(HWND window) const {
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Settle();
}

std::string TourSteps::SmallBitmap() {
    const std::uint32_t side = 8, row = side * 3, pixels = row * side;
    auto le = [](std::uint32_t v, int bytes) {
        std::string out;
        for (int i = 0; i < bytes; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
        return out;
    };
    std::string bmp = "BM" + le(54 + pixels, 4) + le(0, 4) + le(54, 4);
    bmp += le(40, 4) + le(side, 4) + le(side, 4) + le(1, 2) + le(24, 2) + le(0, 4) + le(pixels, 4) +
           le(2835, 4) + le(2835, 4) + le(0, 4) + le(0, 4);
    for (std::uint32_t i = 0; i < side * side; ++i) bmp += std::string("\x20\x80\xE0", 3);
    return bmp;
}

}  // namespace e2e
