// Things dropped on the main window's tree: what each becomes, where it lands, and several
// added at once.
#include "editor/dropped_item.h"
#include "context/messages.h"
#include "tests/native/main_window_commands_fixture.h"

namespace quopa::testing {
namespace {

constexpr unsigned kWarnYesNo = platform::kMbIconExclamation | platform::kMbYesNo;

class DropTest : public CommandsTest {
  protected:
    std::optional<DroppedItem> ItemOf(const std::string& path) {
        return ReadDroppedItem(path, sys_, ini_, "E:");
    }
    // Lets the paths, or a browser's link, go over the row of `key`.
    void Drop(ui::DropEvent e, const std::string& key) {
        e.x = 600;
        e.y = RowY(w_->TreeView1, key);
        w_->TreeView1.UserDropped(e);
        backend_.DoEvents();
    }
    void Drop(const Strings& paths, const std::string& key) {
        Drop(ui::DropEvent{.paths = paths}, key);
    }
    Strings Stored(const std::string& section) {
        return Reads({section + ".Name", section + ".Type", section + ".Path", section + ".StartIn",
                      section + ".Category"});
    }
};

TEST_F(DropTest, EachKindOfThingAndABrowsersLinkGetsItsTitleTypeAndPath) {
    std::filesystem::create_directories(Host("Tools/Portable Kit"));
    for (const char* file : {"Tools/editor.exe", "Tools/player.exe"}) Put(file, "MZ");
    for (const char* file : {"Mail.lnk", "Kit.lnk"}) Put(file, "L");
    Put("News site.url", "[InternetShortcut]\r\nURL=https://news.example/\r\n");
    Put("Empty.url", "[InternetShortcut]\r\n");
    services_.versions.names["E:\\Tools\\editor.exe"] = {"Text Editor", "Office Kit"};
    services_.versions.names["E:\\Tools\\player.exe"] = {"  ", "Media Player"};
    shell_.shortcuts["E:\\Kit.lnk"] = {"E:\\Tools\\Portable Kit", "", ""};
    // Path, then type, title and stored path; Mail.lnk cannot be read.
    for (const auto& [path, item] : std::initializer_list<std::pair<const char*, Strings>>{
             {"E:\\Tools\\editor.exe", {"0", "Text Editor", "%drive%\\Tools\\editor.exe"}},
             {"E:\\Tools\\player.exe", {"0", "Media Player", "%drive%\\Tools\\player.exe"}},
             {"E:\\Mail.lnk", {"0", "Mail", "%drive%\\Mail.lnk"}},
             {"E:\\Kit.lnk", {"2", "Kit", "%drive%\\Tools\\Portable Kit"}},
             {"E:\\News site.url", {"1", "News site", "https://news.example/"}},
             {"E:\\Tools\\Portable Kit", {"2", "Portable Kit", "%drive%\\Tools\\Portable Kit"}}}) {
        const auto got = ItemOf(path);
        ASSERT_TRUE(got) << path;
        EXPECT_EQ((Strings{std::to_string(got->type), got->title, got->path}), item);
    }
    EXPECT_FALSE(ItemOf("E:\\Empty.url")) << "an address is all a web link has";
    // A browser's link is titled by its shortcut, else by its host and path.
    // Address, text and link file, then the title and the stored address; none for text
    // that is not one address alone.
    const Strings cases[][2] = {
        {{"https://news.example/today/", "", "Today's news.url"},
         {"Today's news", "https://news.example/today/"}},
        {{" https://me@www.example.org:8080/docs/page.html?q=1#top\r\n", "", "photo.jpg"},
         {"www.example.org/docs/page.html",
          "https://me@www.example.org:8080/docs/page.html?q=1#top"}},
        {{"https://example.org/caf\xC3\xA9", "", ".url"},
         {"example.org/caf%C3%A9", "https://example.org/caf%C3%A9"}},
        {{"", "  FTP://files.example/pub/\r\n", ""},
         {"files.example/pub", "FTP://files.example/pub/"}},
        {{"", "see http://site.example", ""}, {}},
        {{"", "http://a.example/x y", ""}, {}},
        {{"", "http://a.example\r\nhttp://b.example", ""}, {}},
        {{"", "mailto:someone@example.org", ""}, {}}};
    for (const auto& [in, out] : cases) {
        const auto item = WebLinkItem(in[0], in[1], in[2]);
        EXPECT_EQ((item ? Strings{item->title, item->path} : Strings{}), out) << in[0] << in[1];
    }
}

// Several go in one write, so a stick pulled meanwhile adds none of them and says so.
TEST_F(DropTest, SeveralAreAddedTogetherToTheCategoryAndNamedOrNoneIsAdded) {
    for (const char* file : {"a.exe", "b.exe", "c.exe", "NP.exe", "Editor.lnk", "Long.lnk"})
        Put(file, "MZ");
    Put("Site.url", "[InternetShortcut]\r\nURL=http://site.example/\r\n");
    const std::string before = Get("quopa_apps.dat");
    files_.refuseReplaces = true;
    Drop({"E:\\a.exe", "E:\\b.exe"}, "Games");
    EXPECT_EQ(Told(), (Boxes{{CouldNotSave("items", w_->AppsFile()), kCritical}}));
    EXPECT_EQ(Get("quopa_apps.dat"), before);
    files_.refuseReplaces = false;
    // Left out: what the user keeps off the list, a twin (letter case and drive aside) and
    // a shortcut whose arguments the file would cut.
    files_.MapDrive('F', root_);
    shell_.shortcuts["E:\\Editor.lnk"] = {"E:\\Tools\\ed.exe", "-new", "E:\\Tools"};
    shell_.shortcuts["E:\\Long.lnk"] = {"E:\\b.exe", std::string(300, 'x'), ""};
    desktop_.answers.push_back(platform::kIdNo);
    Drop({"E:\\a.exe", "E:\\nothing.exe", "E:\\b.exe", "E:\\Site.url", "E:\\Editor.lnk",
          "F:\\c.exe", "E:\\NP.exe", "E:\\Long.lnk"},
         "application2");
    EXPECT_EQ(Stored("Application7"), (Strings{"a", "0", "%drive%\\a.exe", "%drive%\\", "Games"}));
    EXPECT_EQ(Stored("Application9"), (Strings{"Site", "1", "http://site.example/", "", "Games"}));
    EXPECT_EQ(Reads({"Application10.Path", "Application10.Parameters", "Application10.StartIn"}),
              (Strings{"%drive%\\Tools\\ed.exe", "-new", "%drive%\\Tools"}));
    EXPECT_EQ(Read("Application11", "Path"), "");
    EXPECT_EQ(Told(), (Boxes{{NotOnDriveQuestion({"c"}), kWarnYesNo},
                             {"4 items were added to Games:\r\na\r\nb\r\nSite\r\nEditor\r\n\r\n"
                              "Already in the list, so not added again:\r\nNP\r\n\r\n"
                              "Too long to be kept (254 characters at most), so not added:\r\nLong",
                              platform::kMbIconInformation | platform::kMbOk}}));
}

// What cannot become an item is ignored, text that is no address refused on the way; one
// file, folder or browser's link opens the wizard filled in for Finish, unless the user
// keeps a file off the drive out.
TEST_F(DropTest, OneOpensTheWizardFilledForFinishAndNothingUsableIsIgnored) {
    Drop({"E:\\gone.exe"}, "Games");
    EXPECT_TRUE(backend_.modalForms.empty() && desktop_.messages.empty());
    EXPECT_FALSE(w_->TreeView1.WouldTake({.text = "Lunch at noon"}));
    EXPECT_TRUE(w_->TreeView1.WouldTake({.text = "https://news.example/"}));
    EXPECT_EQ(CategoryUnderDrop(nullptr), "Quopa") << "below the last row";
    Put("Games.url", "[InternetShortcut]\r\nURL=http://games.example/\r\n");
    std::filesystem::create_directories(Host("Docs"));
    files_.MapDrive('F', root_);
    for (int n = 0; n < 3; ++n)
        backend_.modalActions.push_back([](ui::Form& f) { f.PressEnter(); });
    Drop({"E:\\Games.url"}, "application5");
    Drop(ui::DropEvent{.address = "https://news.example/", .linkFile = "News.url"}, "Games");
    Drop({"E:\\Docs"}, "Games");
    desktop_.answers.push_back(platform::kIdNo);
    Drop({"F:\\Docs"}, "Games");
    EXPECT_EQ(backend_.modalForms, Strings(3, "Add new item"));
    EXPECT_EQ(Stored("Application7"),
              (Strings{"Games", "1", "http://games.example/", "", "Games"}));
    EXPECT_EQ(Stored("Application8"), (Strings{"News", "1", "https://news.example/", "", "Games"}));
    EXPECT_EQ(Stored("Application9"), (Strings{"Docs", "2", "%drive%\\Docs", "", "Games"}));
    EXPECT_EQ(Told(), (Boxes{{NotOnDriveQuestion(), kWarnYesNo}}));
    EXPECT_TRUE(shell_.executed.empty()) << "nothing dropped is opened";
}

}  // namespace
}  // namespace quopa::testing
