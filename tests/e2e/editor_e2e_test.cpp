// The item wizard and the category dialog on the real quopa.exe: opened from the menus,
// typed into, picked from and pressed through, with the apps file read back after each.
#include "tests/e2e/launcher_fixture.h"

namespace e2e {
namespace {

constexpr char kTools[] = "[Category1]\r\nName=Tools\r\n";

std::string ToolItem(const std::string& name) {
    return "[Application1]\r\nName=" + name +
           "\r\nDescription=Runs things\r\nPath=%drive%\\tools\\t.exe\r\nCategory=Tools\r\n"
           "Autorun=0\r\nType=0\r\nParameters=\"-window\"\r\nStartIn=\r\n"
           "WindowStyle=Minimized\r\n";
}

class EditorE2E : public TreeE2E {
  protected:
    HWND WaitForm(const std::string& caption) const {
        return launcher_.WaitWindow("QuopaForm", 10000, caption);
    }
    std::string ParentOf(const std::string& text) const {
        for (const RemoteNode& node : Nodes())
            if (node.text == text) return node.parentText;
        return "(no node " + text + ")";
    }
    // The wizard's second page, where an item's fields are.
    static HWND ItemPage(HWND wizard) {
        const std::vector<HWND> pages = Children(wizard, "QuopaPage");
        return pages.size() == 2 ? pages[1] : nullptr;
    }
    // Presses Finish and waits for the wizard to close, as it does once the item is stored.
    static void Finish(HWND wizard) {
        Click(FindChild(wizard, "Button", "&Finish"));
        EXPECT_TRUE(WaitGone(wizard)) << "Finish left the wizard open";
    }
};

TEST_F(EditorE2E, AddsEditsAnItemThroughTheWizardThenAddsAndDeletesACategory) {
    StartWith(kTools, 2);

    Command(quopa::cmd::kNew);
    HWND wizard = WaitForm("Add new item");
    ASSERT_NE(wizard, nullptr);
    HWND page = ItemPage(wizard);
    ASSERT_NE(page, nullptr);
    Click(FindChild(wizard, "Button", "Web Link"));
    Click(FindChild(wizard, "Button", "Application"));
    Click(FindChild(wizard, "Button", "&Next"));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(page); })) << "Next showed no fields";
    EXPECT_NE(FindChild(page, "Static", "Executable:"), nullptr) << "not laid out for a program";
    const std::vector<HWND> boxes = Children(page, "Edit");
    const std::vector<HWND> lists = Children(page, "ComboBox");
    ASSERT_EQ(boxes.size(), 5u);
    ASSERT_EQ(lists.size(), 2u);
    Type(boxes[0], "Tool");
    Type(boxes[1], "Runs things");
    Type(boxes[2], "%drive%\\tools\\t.exe");
    Type(boxes[3], "-window");
    EXPECT_TRUE(Pick(lists[0], "Tools"));
    EXPECT_TRUE(Pick(lists[1], "Minimized"));
    Finish(wizard);
    ASSERT_TRUE(WaitUntil([&] { return Item("Tool") != nullptr; })) << "no new node";
    EXPECT_EQ(ParentOf("Tool"), "Tools");
    EXPECT_EQ(AppsFile(), kTools + ToolItem("Tool"));

    ClickItem("Tool");
    HWND edit = FindChild(main_, "Button", "&Edit");
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(edit) != FALSE; }));
    Click(edit);
    wizard = WaitForm("Edit existing item");
    ASSERT_NE(wizard, nullptr);
    page = ItemPage(wizard);
    ASSERT_TRUE(IsWindowVisible(page)) << "editing opens on the fields";
    HWND title = Children(page, "Edit")[0];
    EXPECT_EQ(WindowText(title), "Tool");
    Retype(title, "Toolbox");
    Finish(wizard);
    ASSERT_TRUE(WaitUntil([&] { return Item("Toolbox") != nullptr; })) << "the node kept its name";
    EXPECT_EQ(ParentOf("Toolbox"), "Tools");
    EXPECT_EQ(AppsFile(), kTools + ToolItem("Toolbox")) << "an edit changes the title only";

    Command(quopa::cmd::kNewCategory);
    HWND dialog = WaitForm("Add Category");
    ASSERT_NE(dialog, nullptr);
    Type(FindChild(dialog, "Edit"), "Games");
    Click(FindChild(dialog, "Button", "&Finish"));
    EXPECT_TRUE(WaitGone(dialog));
    ASSERT_TRUE(WaitUntil([&] { return Item("Games") != nullptr; })) << "no category node";
    EXPECT_EQ(ParentOf("Games"), "");
    const std::string withGames = AppsFile();
    EXPECT_NE(withGames.find("[Category2]\r\nName=Games\r\n"), std::string::npos) << withGames;

    ClickItem("Games");
    Command(quopa::cmd::kCatDelete);
    HWND question = launcher_.WaitWindow("#32770", 10000);
    ASSERT_NE(question, nullptr);
    EXPECT_NE(FindChild(question, "Static", "Are you sure you want to delete the Games category?"),
              nullptr);
    PostMessageA(question, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
    EXPECT_TRUE(WaitUntil([&] { return Item("Games") == nullptr; })) << "the node stayed";
    EXPECT_NE(AppsFile().find("[Category2]\r\nName=Deleted\r\n"), std::string::npos) << AppsFile();
    EXPECT_NE(Item("Toolbox"), nullptr);
}

}  // namespace
}  // namespace e2e
