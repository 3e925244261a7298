// Features used together: found apps with the search keys, the tray, drops and the filter;
// typed names read back by a fresh load. Each feature alone is tested beside its code; the
// faults live where they meet.
#include <filesystem>
#include <set>

#include "app/command_ids.h"
#include "context/messages.h"
#include "editor/frmAddItem.h"
#include "editor/frmNewCategory.h"
#include "tests/native/main_window_commands_fixture.h"

namespace quopa::testing {
namespace {

class TogetherTest : public CommandsTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();  // each scenario lays out its own drive, then starts
        Put("quopa_settings.dat", "[Settings]\r\nLoadPortableApps=1\r\n");
    }
    // A package in the drive's PortableApps folder, its appinfo.ini as given.
    void Package(const std::string& folder, const std::string& info) {
        const std::string dir = "PortableApps/" + folder + "/App/AppInfo";
        std::filesystem::create_directories(Host(dir));
        Put(dir + "/appinfo.ini", info);
    }
    frmMain& StartWith(const std::string& apps) {
        Put("quopa_apps.dat", apps);
        w_ = &Start();
        return *w_;
    }
    void Look() {
        while (w_->Found().Looking()) w_->Found().Continue();
    }
    ui::TreeNode* Found(const std::string& folder) const {
        return w_->TreeView1.Find("portableapps:" + folder);
    }
};

// ---- Found apps with the search box's keys and the hot key

// Down, Up and Enter take found apps as rows; Enter starts the pick, else the first row left.
TEST_F(TogetherTest, TheSearchKeysPickAndRunFoundApps) {
    constexpr int kEnter = 0x0D, kUp = 0x26, kDown = 0x28;
    Package("FirefoxPortable", "[Details]\r\nName=Firefox Portable\r\n[Control]\r\nStart=ff.exe");
    Package("EditorPortable",
            "[Details]\r\nName=Editor\r\nCategory=Tools\r\n[Control]\r\nStart=ed.exe");
    StartWith("[Category1]\r\nName=Tools\r\n" +
              App(1, "Firewall settings", "%drive%\\fw.exe", "Tools") +
              App(2, "Editor notes", "%drive%\\ed.txt", "Tools"));
    Look();
    auto keys = [&](std::initializer_list<int> keys) {
        for (int key : keys) w_->txtSearch.UserPressedKey(key);
    };
    Click("portableapps:editorportable");
    w_->txtSearch.RaiseGotFocus();
    keys({kEnter});  // the pick, not the first item
    w_->txtSearch.UserTyped("fire");
    keys({kEnter});  // the found app is the first row left
    w_->txtSearch.UserTyped("");
    w_->txtSearch.RaiseLostFocus();
    w_->txtSearch.RaiseGotFocus();
    w_->txtSearch.UserTyped("editor");
    keys({kDown, kDown, kDown, kUp, kDown});  // the last row stays
    EXPECT_EQ(Panel(*w_), "+-- Editor: From the PortableApps folder.");
    keys({kEnter});
    EXPECT_EQ(Executed(), (Strings{"E:\\PortableApps\\EditorPortable\\ed.exe",
                                   "E:\\PortableApps\\FirefoxPortable\\ff.exe",
                                   "E:\\PortableApps\\EditorPortable\\ed.exe"}));
}

// The quick box finds found apps beside items, whatever the search box left in the tree,
// starts them in their folder and learns them by a path that outlives the drive letter.
TEST_F(TogetherTest, TheQuickBoxFindsFoundAppsWhateverTheSearchLeftAndLearnsTheirStarts) {
    constexpr int kEnter = 0x0D;
    Package("FirefoxPortable", "[Details]\r\nName=Firefox Portable\r\n[Control]\r\nStart=ff.exe");
    Package("EditorPortable",
            "[Details]\r\nName=Editor\r\nCategory=Tools\r\nDescription=Edits "
            "fire\r\n[Control]\r\nStart=ed.exe");
    StartWith("[Category1]\r\nName=Tools\r\n" +
              App(1, "Firewall settings", "%drive%\\fw.exe", "Tools"));
    Look();
    w_->txtSearch.RaiseGotFocus();
    w_->txtSearch.UserTyped("wall");
    services_.hotkey.Press();
    frmQuick& box = w_->Quick();
    box.txtQuick.UserTyped("FIRE");
    EXPECT_EQ(
        Each(box.lstQuick.Rows(), [](const ui::ListRow& r) { return r.text + "|" + r.image; }),
        (Strings{"Firefox Portable|portableapps:firefoxportable", "Firewall settings|Application1",
                 "Editor|portableapps:editorportable"}));
    box.txtQuick.UserPressedKey(kEnter);
    EXPECT_EQ(shell_.executed.back().directory, "E:\\PortableApps\\FirefoxPortable");
    EXPECT_GT(w_->Learned().Weight("portableapps:firefoxportable", "Firefox Portable",
                                   "%drive%\\PortableApps\\FirefoxPortable\\ff.exe", Usage::Now()),
              0);
    EXPECT_EQ(w_->txtSearch.Text(), "wall");
    EXPECT_EQ(Found("firefoxportable"), nullptr) << "the tree stays as the search left it";
}

// ---- Found apps in the tray, in the filter and in the item-file pass

// A tray entry keeps naming its app when a look changes the list under an open menu; with
// found apps only, no placeholder shows above them.
TEST_F(TogetherTest, ATrayEntryRunsTheAppItWasShownForAndNoPlaceholderShows) {
    Package("BeePortable", "[Details]\r\nName=Bee\r\n[Control]\r\nStart=bee.exe");
    Package("CeePortable", "[Details]\r\nName=Cee\r\n[Control]\r\nStart=cee.exe");
    StartWith("");
    Look();
    EXPECT_EQ(TrayRun(), (Strings{"Bee", "Cee"}));
    Package("APortable", "[Details]\r\nName=A\r\n[Control]\r\nStart=a.exe");
    w_->IntList();
    Look();
    w_->form.RunCommand(cmd::kPopupFoundBase);  // Bee's in the menu opened
    w_->form.RunCommand(cmd::kPopupApplicationBase + 1);
    EXPECT_EQ(Executed(), Strings{"E:\\PortableApps\\BeePortable\\bee.exe"});
}

// Hidden from its menu, kept in the settings file by folder, shown again from a category's.
TEST_F(TogetherTest, AHiddenFoundAppStaysHiddenUntilShownAgain) {
    Package("EditorPortable",
            "[Details]\r\nName=Editor\r\nCategory=Tools\r\n[Control]\r\nStart=ed.exe");
    Package("GamePortable", "[Details]\r\nName=Game\r\n[Control]\r\nStart=game.exe");
    StartWith("[Category1]\r\nName=Tools\r\n");
    Look();
    RightClick("portableapps:editorportable");
    w_->mnuFoundHide->Click();
    EXPECT_EQ(Found("editorportable"), nullptr);
    EXPECT_NE(Get("quopa_settings.dat").find("[PortableApps]\r\nHidden1=editorportable"),
              std::string::npos);
    w_ = &Start();  // the next start
    Look();
    EXPECT_EQ(TrayRun(), Strings{"Game"});
    RightClick("Tools");
    ASSERT_TRUE(w_->mnuCatShowHidden->Visible());
    w_->mnuCatShowHidden->Click();
    EXPECT_NE(Found("editorportable"), nullptr);
    EXPECT_EQ(TrayRun(), (Strings{"Editor", "Game"}));
}

// ---- Packages as their format writes them: keys, icons, the grey mark, text encodings

// A list from a Russian PC travels: read in that PC's code page, searched with Cyrillic and
// Greek capitals folded for items and found apps alike (a look ending during the search keeps
// its narrowing), its program in a Cyrillic folder run, written whole as UTF-8 at its first
// change, and read the same on a Western PC.
TEST_F(TogetherTest, AListFromAnotherCodePageIsSearchedRunAndReadTheSameOnTheNextPc) {
    const std::string games = "\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B",
                      diary = "\xE6\x97\xA5\xE8\xA8\x98";
    Package(
        "DeltaPortable",
        "[Details]\r\nName=\xCE\x94\xCE\xAD\xCE\xBB\xCF\x84\xCE\xB1\r\n[Control]\r\nStart=d.exe");
    Package("GamePortable", "[Details]\r\nName=Game\r\n[Control]\r\nStart=game.exe");
    services_.codePage.page = 1251;
    StartWith("[Category1]\r\nName=\xC8\xE3\xF0\xFB\r\n" + App(1, "\xC4\xED\xE5\xE2\xED\xE8\xEA",
                                                               "%drive%\\\xC8\xE3\xF0\xFB\\n.exe",
                                                               "\xC8\xE3\xF0\xFB"));
    w_->txtSearch.RaiseGotFocus();
    w_->txtSearch.UserTyped("\xCE\x94\xCE\x88\xCE\x9B");
    Look();
    EXPECT_TRUE(Found("deltaportable") && !Found("gameportable") && !Shown("application1"));
    w_->txtSearch.UserTyped("");
    w_->txtSearch.RaiseLostFocus();
    EXPECT_TRUE(Found("gameportable")) << "the whole tree back";
    w_->txtSearch.RaiseGotFocus();
    w_->txtSearch.UserTyped("\xD0\x94\xD0\x9D\xD0\x95\xD0\x92");
    EXPECT_TRUE(Shown("application1") && !Found("deltaportable"));
    w_->txtSearch.UserPressedKey(0x0D);  // runs the one item left
    EXPECT_EQ(Executed(), Strings{"E:\\" + games + "\\n.exe"});
    ASSERT_TRUE(Rename("application1", diary));
    EXPECT_EQ(Get("quopa_apps.dat").substr(0, 3), "\xEF\xBB\xBF");
    services_.codePage.page = 1252;
    w_ = &Start();
    EXPECT_EQ(Node("application1").Parent()->Text() + "/" + Node("application1").Text(),
              games + "/" + diary);
}

// The grey mark follows the program and the picture the package's icon, whichever is there.
TEST_F(TogetherTest, AFoundAppIsGreyWhenItsProgramIsGoneThoughItsIconIsThere) {
    for (const std::string folder : {"Gone", "Here"})
        Package(folder, "[Control]\r\nStart=" + folder + ".exe\r\n");
    Put("PortableApps/Gone/App/AppInfo/appicon.ico", "ico");
    Put("PortableApps/Here/Here.exe", "MZ");
    shell_.ownIcons["E:\\PortableApps\\Gone\\App\\AppInfo\\appicon.ico"] = 0x50;
    StartWith("");
    Look();
    while (w_->tmrItemPass.Enabled()) w_->tmrItemPass.Tick();
    EXPECT_TRUE(Found("gone")->Greyed() && !Found("here")->Greyed());
    EXPECT_EQ(w_->ilIcons.IndexOf("portableapps:gone"),
              w_->ilIcons.IndexOf("file:e:\\portableapps\\gone\\app\\appinfo\\appicon.ico"));
}

// A folder named like an entry of another package, or like a category shown for found apps,
// still has a node of its own, and the tree and the tray each run the one picked.
TEST_F(TogetherTest, FoundAppsNamedAlikeKeepTheirOwnNodesAndRunTheirOwnPrograms) {
    Package("Category",
            "[Control]\r\nIcons=2\r\nStart=c.exe\r\nStart1=one.exe\r\nName1=One\r\n"
            "Start2=two.exe\r\nName2=Two\r\n");
    Package("Category#2", "[Details]\r\nName=Other\r\nCategory=2\r\n[Control]\r\nStart=o.exe\r\n");
    StartWith(App(1, "Notes", "%drive%\\notes.txt"));
    Look();
    const ui::TreeNode* other = Found("category#2");
    ASSERT_TRUE(other && Found("category|2"));
    EXPECT_EQ(other->Parent()->Text() + "/" + other->Text(), "2/Other");
    w_->TreeView1.UserSelected(Found("category|2"));
    w_->cmdRun.Click();
    EXPECT_EQ(TrayRun(), (Strings{"Notes", "One", "Two", "Other"}));
    w_->mnuPopupRun->Items().back()->Click();
    EXPECT_EQ(Executed(), (Strings{"E:\\PortableApps\\Category\\two.exe",
                                   "E:\\PortableApps\\Category#2\\o.exe"}));
}

// ---- Drops on found apps and on categories shown only for them

// Found nodes are not categories of the list: what is dropped on them goes to the found
// app's user category, else to the main one, and shows once the tree is built again. The
// open wizard takes one thing dropped, "Add to my list" says why it waits, and a found app
// taken into the list is not added again when its program is dropped.
TEST_F(TogetherTest, DropsOnFoundNodesLandInAUserCategoryOrTheWizardAndSkipTwins) {
    Package("EditorPortable",
            "[Details]\r\nName=Editor\r\nCategory=Tools\r\n"
            "[Control]\r\nStart=Editor.exe\r\n");
    Package("WriterPortable",
            "[Details]\r\nName=Writer\r\nCategory=Office\r\n"
            "[Control]\r\nStart=Writer.exe\r\n");
    for (const char* file : {"e.exe", "f.exe", "g.exe", "h.exe"}) Put(file, "MZ");
    Put("PortableApps/EditorPortable/Editor.exe", "MZ");
    StartWith("[Category1]\r\nName=Tools\r\n" + App(1, "Notepad", "%drive%\\np.exe", "Tools"));
    Look();
    auto drop = [&](Strings paths, const std::string& key) {
        w_->TreeView1.UserDropped({.paths = paths, .x = 600, .y = RowY(w_->TreeView1, key)});
        backend_.DoEvents();
    };
    drop({"E:\\e.exe", "E:\\f.exe"}, "portableapps:category:office");
    EXPECT_EQ(LastMessage(), "2 items were added to Quopa Drive:\r\ne\r\nf");
    for (int n = 0; n < 2; ++n)
        backend_.modalActions.push_back([](ui::Form& f) { f.PressEnter(); });
    drop({"E:\\g.exe"}, "portableapps:editorportable");
    w_->OpenAddFound("portableapps:editorportable");
    w_->IntList();
    Look();
    EXPECT_EQ(Node("application3").Parent()->Key(), "Quopa");
    EXPECT_EQ(Node("application4").Parent()->Key(), "Tools");
    drop({"E:\\PortableApps\\EditorPortable\\Editor.exe"}, "Tools");
    EXPECT_EQ(LastMessage(), "Already in the list, so not added again:\r\nEditor");
    w_->OpenAddItem("Tools", true);
    drop({"E:\\h.exe"}, "portableapps:writerportable");
    frmAddItem& wizard = *w_->ModelessWizard();
    EXPECT_EQ((Strings{wizard.txtAppPath.Text(), wizard.Combo1.Text()}),
              (Strings{"%drive%\\h.exe", "Quopa"}));
    w_->OpenAddFound("portableapps:writerportable");
    EXPECT_EQ(LastMessage(), "An item is being added already. Finish or cancel it first.");
}

// ---- Typed names and values as the next load reads them back

// Whatever is typed, a command refuses it (in its dialog's own words, or the edit put back) or
// leaves the tree as a fresh start shows it, an untouched edit after that included: nothing
// vanishes, merges or reads otherwise.
TEST_F(TogetherTest, WhatACommandTakesIsWhatTheNextStartShows) {
    const std::string kPlain = "Board games", kLong(254, 'x'), kNul("\0Cards", 6),
                      kGames = "\xD0\x98\xD0\x93\xD0\xA0\xD0\xAB";  // Cyrillic capitals
    std::string kWide;  // 254 characters the next load must not cut, then two it must
    for (int i = 0; i < 254; ++i) kWide += "\xD0\xB6";
    const Strings names = {kGames,       kWide,      kWide + "yz", "\"  \"",      "\" \"",
                           "'\"\"'",     "\"\"\"\"", "\" Tools\"", "'\"Tools\"'", "\"\tMusic\"",
                           "\"Games \"", kPlain,     "Deleted",    "tools",       "Quopa",
                           kLong + "yz", kNul,       "\r\n"};
    enum Path { kRenameCategory, kAddCategory, kRenameItem, kNewItem, kEditTitle, kEditPath };
    const std::set<std::string> dialogsOwn = {
        "That category name is not unique!", "You did not enter a title!",
        "You did not fill the title field!", "You did not fill the path field!"};
    const std::string apps =
        "\xEF\xBB\xBF[Category1]\r\nName=Games\r\n[Category2]\r\nName=Tools\r\n" +
        App(1, "Chess", "%drive%\\chess.exe", "Games") +
        "[Category3]\r\nName=Music\r\n[Category4]\r\nName=" + kLong +
        "\r\n[Category5]\r\nName=\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B\r\n";
    // Each node's text and place and, for an item, the path its wizard shows.
    const auto shown = [&] {
        return Each(InShownOrder(w_->TreeView1), [&](const ui::TreeNode* n) {
            return n->Key() + "|" + n->Text() + "|" + (n->Parent() ? n->Parent()->Key() : "") +
                   "|" + Read(n->Key(), "Path");
        });
    };
    // An empty text leaves its box as the wizard filled it.
    const auto wizard = [&](const char* key, const std::string& title, const std::string& path) {
        frmAddItem wz(ctx_, w_->TreeView1, [&] { w_->IntList(); });
        wz.Create();
        key ? (void)wz.LoadItem(key, Node(key).Text()) : wz.cmdNext.Click();
        if (!title.empty()) wz.txtAppTitle.UserTyped(title);
        if (!path.empty()) wz.txtAppPath.UserTyped(path);
        wz.cmdFinish.Click();
    };
    for (Path path : {kRenameCategory, kAddCategory, kRenameItem, kNewItem, kEditTitle, kEditPath})
        for (const std::string& typed :
             path == kEditPath ? Strings{"\"  \"", "\" E:\\x.exe\""} : names) {
            const std::string at = std::to_string(path) + " " + typed;
            StartWith(apps);
            const Strings before = shown();
            if (path == kRenameCategory || path == kRenameItem)
                Rename(path == kRenameItem ? "application1" : "Games", typed);
            frmNewCategory add(ctx_, w_->TreeView1, [&] { w_->IntList(); });
            if (path == kAddCategory) {
                add.Create();
                backend_.modalActions.push_back([&](ui::Form&) {
                    add.txtCategoryTitle.UserTyped(typed);
                    add.cmdFinish.Click();
                });
                add.form.ShowModal(w_->form);
            }
            if (path == kNewItem) wizard(nullptr, typed, "new.exe");
            if (path == kEditTitle || path == kEditPath)
                wizard("application1", path == kEditTitle ? typed : "",
                       path == kEditPath ? typed : "");
            const Strings after = shown();
            const Boxes told = Told();
            for (const auto& box : told) EXPECT_EQ(dialogsOwn.count(box.first), 1u) << at;
            EXPECT_TRUE(told.empty() || after == before) << at << ": told, yet changed";
            EXPECT_TRUE(!told.empty() || after != before ||
                        (path != kAddCategory && path != kNewItem))
                << at << ": silently not added";
            EXPECT_TRUE(typed != kPlain || after != before) << at << ": a plain name refused";
            EXPECT_TRUE(typed != kGames || path != kAddCategory || !told.empty()) << "not unique";
            w_ = &Start();
            if (Shown("application1")) wizard("application1", "", "");
            EXPECT_EQ(shown(), after) << at;
        }
}

// What the file would give back cut is refused, or left out and named, never stored cut: a
// long link dropped alone, a package's long description, a long link dropped with a file.
TEST_F(TogetherTest, AValueTheFileWouldCutIsRefusedOrLeftOutNeverStoredCut) {
    Package("LongPortable",
            "[Details]\r\nDescription=" + std::string(300, 'd') + "\r\n[Control]\r\nStart=L.exe");
    Put("short.exe", "");
    StartWith("[Category1]\r\nName=Tools\r\n");
    Look();
    const std::string link = "http://shop.example/" + std::string(260, 'a'),
                      before = Get("quopa_apps.dat");
    for (int n = 0; n < 2; ++n)
        backend_.modalActions.push_back([](ui::Form& f) { f.PressEnter(); });  // Finish
    const auto drop = [&](const ui::DropEvent& e) {
        w_->TreeView1.UserDropped(e);
        backend_.DoEvents();
    };
    drop({.address = link, .linkFile = "Shop.url"});
    w_->TreeView1.UserSelected(Found("longportable"));
    w_->mnuFoundAdd->Click();
    EXPECT_EQ(Told(), (Boxes{{TooLongToKeep("address"), kExclaim},
                             {TooLongToKeep("description"), kExclaim}}));
    EXPECT_EQ(Get("quopa_apps.dat"), before);
    drop({.paths = {"E:\\short.exe"}, .address = link, .linkFile = "Shop.url"});
    EXPECT_EQ(LastMessage(),
              "1 item was added to Quopa Drive:\r\nshort\r\n\r\nToo long to be kept (254 "
              "characters at most), so not added:\r\nShop");
    EXPECT_EQ(Node("application1").Text(), "short");
}

// ---- Rebuilds

// After each command that changes the list, the tree is what a fresh start on the same drive
// shows: the same rows in the same places, opened alike, with the same pictures and grey
// marks, and nothing selected (leaving the search box puts its hint back, which filters
// every item out first). The quick box, told of each change rather than reading the file
// again, searches what a fresh start's box searches.
TEST_F(TogetherTest, AfterEachCommandTheTreeIsWhatAFreshStartShows) {
    Package("EditorPortable",
            "[Details]\r\nName=Editor\r\nCategory=Tools\r\n"
            "[Control]\r\nStart=Editor.exe\r\n");
    for (const char* file : {"a.exe", "e.exe", "f.txt", "g.exe"}) Put(file, "MZ");
    Put("PortableApps/EditorPortable/Editor.exe", "MZ");
    const auto wizard = [&](const char* key, const std::string& title, const char* category) {
        frmAddItem wz(ctx_, w_->TreeView1, [&] { w_->IntList(); });
        wz.Create();
        key ? (void)wz.LoadItem(key, Node(key).Text()) : wz.cmdNext.Click();
        wz.txtAppTitle.UserTyped(title);
        if (!key) wz.txtAppPath.UserTyped("%drive%\\g.exe");
        wz.Combo1.SetText(category), wz.cmdFinish.Click();
    };
    const std::vector<std::pair<const char*, std::function<void()>>> commands = {
        {"Finish new", [&] { wizard(nullptr, "Golf", "Games"); }},
        {"Finish edited", [&] { wizard("application5", "Pool", "Tools"); }},
        {"Add Category",
         [&] {
             frmNewCategory add(ctx_, w_->TreeView1, [&] { w_->IntList(); });
             add.Create();
             backend_.modalActions.push_back([&](ui::Form&) {
                 add.txtCategoryTitle.UserTyped("Office");
                 add.cmdFinish.Click();
             });
             add.form.ShowModal(w_->form);
         }},
        {"category delete", [&] { Click("Games"), w_->mnuCatDelete->Click(); }},
        {"item delete", [&] { Click("application1"), w_->cmdDelete.Click(); }},
        {"item rename",
         [&] { w_->TreeView1.UserEditedLabel(Node("application4"), "Memo"), backend_.DoEvents(); }},
        {"item delete undone",
         [&] { Click("application1"), w_->cmdDelete.Click(), w_->mnuUndo->Click(); }},
        {"item rename undone",
         [&] {
             w_->TreeView1.UserEditedLabel(Node("application4"), "Memo"), backend_.DoEvents();
             w_->mnuUndo->Click();
         }},
        {"category rename",
         [&] { w_->TreeView1.UserEditedLabel(Node("Games"), "Sport"), backend_.DoEvents(); }},
        {"drop of several files",
         [&] {
             w_->TreeView1.UserDropped({.paths = {"E:\\e.exe", "E:\\f.txt", "E:\\g.exe"},
                                        .y = RowY(w_->TreeView1, "Games")});
             backend_.DoEvents();
         }},
        {"Add to my list",
         [&] {
             backend_.modalActions.push_back([](ui::Form& f) { f.PressEnter(); });
             w_->OpenAddFound("portableapps:editorportable");
         }},
        {"search restore",
         [&] {
             Click("application5"), w_->txtSearch.UserTyped("dar");
             w_->txtSearch.UserTyped(""), w_->txtSearch_LostFocus();
         }},
    };
    const auto picture = [&](const std::string& key) -> std::string {
        for (const char* shared : {"default", "browser", "filetype.exe", "filetype.txt"})
            if (w_->ilIcons.IndexOf(key) == w_->ilIcons.IndexOf(shared)) return shared;
        return w_->ilIcons.IndexOf(key) < 0 ? "none" : "own";
    };
    const auto tree = [&] {
        Look(), w_->tmrQuickRead.Tick();
        for (int n = 0; n < 100 && w_->tmrItemPass.Enabled(); ++n) w_->tmrItemPass.Tick();
        Strings rows = Each(InShownOrder(w_->TreeView1), [&](const ui::TreeNode* n) {
            return n->Key() + "|" + n->Text() + "|" + (n->Parent() ? n->Parent()->Key() : "") +
                   "|" + n->Image() + "|" + picture(n->Image()) + (n->Expanded() ? "|open" : "") +
                   (n->Greyed() ? "|grey" : "");
        });
        w_->Quick().Index().ForEach([&](const QuickIndex::Listed& e) {
            rows.push_back(std::string(e.key) + "|" + std::string(e.name) + "|" +
                           std::string(e.category) + "|" + std::string(e.image));
        });
        return rows;
    };
    for (const auto& [command, run] : commands) {
        StartWith(
            "[Category1]\r\nName=Games\r\n[Category2]\r\nName=Tools\r\n[Category3]\r\n"
            "Name=Empty\r\n" +
            App(1, "Chess", "%drive%\\a.exe", "Games") +
            App(2, "Gone", "%drive%\\gone.exe", "Tools") +
            App(3, "Web", "http://example.org", "Games", 1) + App(4, "Notes", "%drive%\\f.txt") +
            App(5, "Darts", "%drive%\\a.exe", "Games"));
        tree(), run();  // found apps and the pass settled first
        EXPECT_EQ(w_->TreeView1.SelectedItem(), nullptr) << command;
        const Strings after = tree();
        w_ = &Start();
        EXPECT_EQ(after, tree()) << command;
    }
}

}  // namespace
}  // namespace quopa::testing
