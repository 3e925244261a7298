// Things dropped on the main window's tree: what each becomes, where it lands, and several
// added at once.
#include "editor/dropped_item.h"
#include "tests/native/main_window_commands_fixture.h"

namespace quopa::testing {
namespace {

class DropTest : public CommandsTest {
  protected:
    std::optional<DroppedItem> ItemOf(const std::string& path) {
        return ReadDroppedItem(path, sys_, ini_, "E:");
    }
    // Lets the paths, or a browser's link, go over the row of `key`.
    void Drop(ui::DropEvent e, const std::string& key) {
        const auto rows = ui::DisplayedRows(w_->TreeView1);
        int row = 0;
        while (rows[row]->Key() != key) ++row;
        e.x = 600;
        e.y = row * ui::HeadlessTreeViewPeer::kRowTwips + 100;
        w_->TreeView1.UserDropped(e);
        backend_.DoEvents();
    }
    void Drop(const std::vector<std::string>& paths, const std::string& key) {
        Drop(ui::DropEvent{.paths = paths}, key);
    }
};

TEST_F(DropTest, EachKindOfThingGetsItsTitleTypeAndPath) {
    std::filesystem::create_directories(Host("Tools/Portable Kit"));
    Put("Tools/editor.exe", "MZ");
    Put("Tools/player.exe", "MZ");
    Put("Tools/plain.exe", "MZ");
    Put("Mail.lnk", "L");
    Put("News site.url", "[InternetShortcut]\r\nURL=https://news.example/\r\n");
    Put("Empty.url", "[InternetShortcut]\r\n");
    services_.versions.names["E:\\Tools\\editor.exe"] = {"Text Editor", "Office Kit"};
    services_.versions.names["E:\\Tools\\player.exe"] = {"  ", "Media Player"};
    struct Case {
        const char* path;
        std::int16_t type;
        const char* title;
        const char* stored;
    };
    for (const Case& c : {
             Case{"E:\\Tools\\editor.exe", 0, "Text Editor", "%drive%\\Tools\\editor.exe"},
             Case{"E:\\Tools\\player.exe", 0, "Media Player", "%drive%\\Tools\\player.exe"},
             Case{"E:\\Tools\\plain.exe", 0, "plain", "%drive%\\Tools\\plain.exe"},
             Case{"E:\\Mail.lnk", 0, "Mail", "%drive%\\Mail.lnk"},
             Case{"E:\\News site.url", 1, "News site", "https://news.example/"},
             Case{"E:\\Tools\\Portable Kit", 0, "Portable Kit", "%drive%\\Tools\\Portable Kit"},
         }) {
        const auto item = ItemOf(c.path);
        ASSERT_TRUE(item) << c.path;
        EXPECT_EQ(item->type, c.type) << c.path;
        EXPECT_EQ(item->title, c.title) << c.path;
        EXPECT_EQ(item->path, c.stored) << c.path;
    }
    EXPECT_FALSE(ItemOf("E:\\Empty.url")) << "an address is all a web link has";
    EXPECT_FALSE(ItemOf("E:\\gone.exe"));
    EXPECT_EQ(ItemOf("E:\\Tools\\plain.exe")->fileTitle, "plain.exe") << "start-in as if browsed";
    EXPECT_TRUE(ItemOf("E:\\Mail.lnk")->fileName.empty()) << "a shortcut knows its own folder";
}

TEST_F(DropTest, OnlyTheLauncherDriveBecomesTheToken) {
    files_.MapDrive('F', root_);
    Put("tool.exe", "MZ");
    EXPECT_EQ(ItemOf("F:\\tool.exe")->path, "F:\\tool.exe");
    EXPECT_EQ(ItemOf("e:\\tool.exe")->path, "%drive%\\tool.exe") << "any letter case";
}

TEST_F(DropTest, TheCategoryIsTheOneUnderTheDropPoint) {
    EXPECT_EQ(CategoryUnderDrop(&Node("Games")), "Games");
    EXPECT_EQ(CategoryUnderDrop(&Node("application1")), "Tools") << "an item's category";
    EXPECT_EQ(CategoryUnderDrop(&Node("Quopa")), "Quopa");
    EXPECT_EQ(CategoryUnderDrop(nullptr), "Quopa") << "below the last row";
}

TEST_F(DropTest, SeveralAreAddedTogetherToTheCategoryAndNamed) {
    Put("a.exe", "MZ");
    Put("b.exe", "MZ");
    Put("Site.url", "[InternetShortcut]\r\nURL=http://site.example/\r\n");
    Drop({"E:\\a.exe", "E:\\nothing.exe", "E:\\b.exe", "E:\\Site.url"}, "application2");
    EXPECT_TRUE(backend_.modalForms.empty()) << "no wizard for several";
    for (int n : {7, 8, 9}) {
        const std::string section = "Application" + std::to_string(n);
        EXPECT_EQ(Read(section, "Category"), "Games") << section;
        EXPECT_TRUE(w_->TreeView1.Find("application" + std::to_string(n))) << section;
    }
    EXPECT_EQ(Read("Application7", "Path"), "%drive%\\a.exe");
    EXPECT_EQ(Read("Application7", "StartIn"), "%drive%\\");
    EXPECT_EQ(Read("Application9", "Type"), "1");
    EXPECT_EQ(Read("Application9", "Path"), "http://site.example/");
    EXPECT_EQ(Read("Application10", "Path"), "");
    EXPECT_EQ(LastMessage(), "3 items were added to Games:\r\na\r\nb\r\nSite");
    EXPECT_TRUE(shell_.executed.empty()) << "nothing dropped is started";
}

TEST_F(DropTest, OneOpensTheWizardFilledForFinishAndNothingUsableIsIgnored) {
    Drop({"E:\\gone.exe"}, "Games");
    EXPECT_TRUE(backend_.modalForms.empty());
    EXPECT_TRUE(desktop_.messages.empty());

    Put("Games.url", "[InternetShortcut]\r\nURL=http://games.example/\r\n");
    backend_.modalActions.push_back([](ui::Form& wizard) { wizard.PressEnter(); });  // Finish
    Drop({"E:\\Games.url"}, "application5");
    ASSERT_EQ(backend_.modalForms, std::vector<std::string>{"Add new item"});
    EXPECT_EQ(Read("Application7", "Name"), "Games");
    EXPECT_EQ(Read("Application7", "Type"), "1");
    EXPECT_EQ(Read("Application7", "Path"), "http://games.example/");
    EXPECT_EQ(Read("Application7", "Category"), "Games");
}

TEST_F(DropTest, ABrowsersLinkIsTitledByItsShortcutElseByItsHostAndPath) {
    struct Case {
        const char *address, *text, *linkFile;
        const char *title, *stored;  // null: nothing to take
    };
    for (const Case& c : {
             Case{"https://news.example/today/", "", "Today's news.url", "Today's news",
                  "https://news.example/today/"},
             Case{" https://me@www.example.org:8080/docs/page.html?q=1#top\r\n", "", "photo.jpg",
                  "www.example.org/docs/page.html",
                  "https://me@www.example.org:8080/docs/page.html?q=1#top"},
             Case{"https://example.org/caf\xC3\xA9", "", ".url", "example.org/caf%C3%A9",
                  "https://example.org/caf%C3%A9"},
             Case{"", "  FTP://files.example/pub/\r\n", "", "files.example/pub",
                  "FTP://files.example/pub/"},
             Case{"", "see http://site.example", "", nullptr, nullptr},
             Case{"", "http://a.example/x y", "", nullptr, nullptr},
             Case{"", "http://a.example\r\nhttp://b.example", "", nullptr, nullptr},
             Case{"", "mailto:someone@example.org", "", nullptr, nullptr},
         }) {
        const auto item = WebLinkItem(c.address, c.text, c.linkFile);
        ASSERT_EQ(item.has_value(), c.title != nullptr) << c.address << c.text;
        if (!item) continue;
        EXPECT_EQ(item->type, 1);
        EXPECT_EQ(item->title, c.title);
        EXPECT_EQ(item->path, c.stored);
    }
}

TEST_F(DropTest, ALinkFromABrowserOpensTheWizardFilledAndTextIsRefusedOnTheWay) {
    EXPECT_FALSE(w_->TreeView1.WouldTake({.text = "Lunch at noon"}));
    EXPECT_TRUE(w_->TreeView1.WouldTake({.text = "https://news.example/"}));
    backend_.modalActions.push_back([](ui::Form& wizard) { wizard.PressEnter(); });  // Finish
    Drop(ui::DropEvent{.address = "https://news.example/", .linkFile = "News.url"}, "application5");
    ASSERT_EQ(backend_.modalForms, std::vector<std::string>{"Add new item"});
    EXPECT_EQ(Read("Application7", "Name"), "News");
    EXPECT_EQ(Read("Application7", "Type"), "1");
    EXPECT_EQ(Read("Application7", "Path"), "https://news.example/");
    EXPECT_EQ(Read("Application7", "Category"), "Games");
    EXPECT_TRUE(shell_.executed.empty()) << "nothing dropped is opened";
}

}  // namespace
}  // namespace quopa::testing
