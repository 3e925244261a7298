// A user's day with quopa.exe, from a fresh drive to File, Exit, through the real windows;
// after every step the data files hold exactly what that step must have written.
#include "tests/e2e/tour_e2e.h"

namespace e2e {
namespace {

class Tour : public TourSteps {
  protected:
    // The files as they must stand now; each step changes them first, then acts.
    void ExpectFiles(const char* step) {
        EXPECT_TRUE(WaitFor([&] { return Apps() == apps_ && Settings() == settings_; }, 5000))
            << step << "\napps:\n"
            << Apps() << "\nsettings:\n"
            << Settings();
    }
    std::string ItemSection(int n, const std::string& name, const std::string& description,
                            const std::string& path, const std::string& category,
                            const std::string& autorun, int type, const std::string& parameters,
                            const std::string& startIn) const {
        return "[Application" + std::to_string(n) + "]\r\nName=" + name +
               "\r\nDescription=" + description + "\r\nPath=" + path + "\r\nCategory=" + category +
               "\r\nAutorun=" + autorun + "\r\nType=" + std::to_string(type) + "\r\nParameters=\"" +
               parameters + "\"\r\nStartIn=" + startIn + "\r\nWindowStyle=Normal\r\n";
    }
    std::string Ran() const { return ReadFile(drive_.root() + "ran.txt"); }

    std::string apps_;
    std::string settings_;
};

TEST_F(Tour, AUsersDayFromAFreshDriveToExit) {
    Start();
    EXPECT_EQ(NodeTexts(), std::vector<std::string>{"Quopa Drive"});
    EXPECT_NE(FindChild(main_, "Static", "John Doe's Portable Device"), nullptr);
    EXPECT_FALSE(FileThere(DataFile("quopa_apps.dat")));
    EXPECT_FALSE(FileThere(DataFile("quopa_settings.dat")));

    apps_ = "[Category1]\r\nName=Tools\r\n";
    AddCategory("Tools");
    ExpectFiles("first category");
    apps_ += "[Category2]\r\nName=Web\r\n";
    AddCategory("Web");
    ExpectFiles("second category");

    const std::string marker = "/c echo ran>> " + drive_.root() + "ran.txt";
    const Entry entries[] = {
        {"Editor", "Edits text", "%drive%\\tools\\editor.exe", 1, false, false, "",
         "%drive%\\tools\\"},
        {"Readme", "", "%drive%\\readme.txt", 0, false, false, "", ""},
        {"Site", "Our site", "http://localhost/", 2, true, false, "", ""},
        {"Marker", "", "C:\\windows\\system32\\cmd.exe", 1, false, true, marker, ""},
    };
    const char* categories[] = {"Quopa", "Tools", "Web"};
    int n = 0;
    for (const Entry& e : entries) {
        ++n;
        apps_ += ItemSection(n, e.title, e.description, e.web ? "http://localhost/" : e.path,
                             categories[e.category], e.autorun ? "1" : "0", e.web ? 1 : 0,
                             e.parameters, e.startIn);
        AddItem(e);
        ExpectFiles(e.title.c_str());
    }
    EXPECT_EQ(NodeTexts(),
              (std::vector<std::string>{"Quopa Drive", "Quopa Drive/Readme", "Tools",
                                        "Tools/Editor", "Tools/Marker", "Web", "Web/Site"}));
    EXPECT_FALSE(FileThere(drive_.root() + "ran.txt")) << "autorun ran before a restart";

    Exit();
    Start(7);
    ASSERT_TRUE(WaitFor([&] { return Ran() == "ran\r\n"; }, 15000)) << Ran();
    ExpectFiles("restart");

    HWND search = FindChild(main_, "Edit");
    ClickOn(search);
    for (char c : std::string("mar")) PostMessageA(search, WM_CHAR, c, 1);
    Settle();
    EXPECT_EQ(NodeTexts(),
              (std::vector<std::string>{"Quopa Drive", "Tools", "Tools/Marker", "Web"}));
    SetText(search, "");
    ClickItem("Tools");
    EXPECT_EQ(Nodes().size(), 7u) << "leaving the empty search box brings the items back";
    ExpectFiles("search");

    ASSERT_TRUE(Renamed("Readme", "Read me first"));
    apps_.replace(apps_.find("Name=Readme"), 11, "Name=Read me first");
    ExpectFiles("rename");
    ASSERT_TRUE(Renamed("Tools", "Kit"));  // its two items move along, in one write
    for (std::size_t at; (at = apps_.find("=Tools\r\n")) != std::string::npos;)
        apps_.replace(at, 8, "=Kit\r\n");
    ExpectFiles("category rename");
    ASSERT_TRUE(Renamed("Kit", "Tools"));
    for (std::size_t at; (at = apps_.find("=Kit\r\n")) != std::string::npos;)
        apps_.replace(at, 6, "=Tools\r\n");
    ExpectFiles("category rename back");

    ClickItem("Editor");
    Command(quopa::cmd::kFileEdit);
    HWND wizard = WaitDialog("Edit existing item");
    ASSERT_NE(wizard, nullptr);
    SetText(Children(wizard, "Edit")[1], "Edits any text");
    Press(FindChild(wizard, "Button", "&Finish"));
    ASSERT_TRUE(Gone(wizard));
    apps_.replace(apps_.find("Edits text"), 10, "Edits any text");
    ExpectFiles("edit");

    ClickItem("Site");
    PostMessageA(tree_, WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_EQ(Answer(IDYES), "Are you sure you want to delete Site?");
    apps_.replace(apps_.find("Name=Site"), 9, "Name=");
    ExpectFiles("delete item");
    ClickItem("Web");
    PostMessageA(tree_, WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_EQ(Answer(IDYES), "Are you sure you want to delete the Web category?");
    apps_.replace(apps_.find("Name=Web"), 8, "Name=Deleted");
    ExpectFiles("delete category");
    EXPECT_EQ(NodeTexts(), (std::vector<std::string>{"Quopa Drive", "Quopa Drive/Read me first",
                                                     "Tools", "Tools/Editor", "Tools/Marker"}));

    WriteFile(drive_.root() + "face.bmp", SmallBitmap());
    settings_ =
        "[UserInfo]\r\nUserName=Ann Smith\r\nUserAddress=1 High Street\r\nUserCity=Leeds\r\n"
        "UserPhone=0113 496 "
        "0000\r\nUserEmail=ann@example.org\r\n[Settings]\r\nLanguage=English\r\n"
        "LoadPortableApps=0\r\n";
    SetOptions({"Ann Smith", "1 High Street", "Leeds", "0113 496 0000", "ann@example.org",
                drive_.root() + "face.bmp"},
               -1);
    ExpectFiles("owner's details");
    EXPECT_EQ(ReadFile(DataFile("quopa_ava.bmp")).substr(0, 2), "BM") << "no avatar written";
    EXPECT_TRUE(WaitFor([&] { return FindChild(main_, "Static", "Ann Smith's Portable Device"); }));

    HWND frame2 = FindChild(main_, "QuopaFrame", "Application");
    ASSERT_NE(frame2, nullptr);
    settings_.replace(settings_.find("English"), 7, "Dutch");
    SetOptions({}, 1);
    ExpectFiles("Dutch");
    EXPECT_EQ(WindowText(frame2), "Applicatie");
    settings_.replace(settings_.find("Dutch"), 5, "English");
    SetOptions({}, 0);
    ExpectFiles("English");
    EXPECT_EQ(WindowText(frame2), "Application");

    Command(quopa::cmd::kPopupApplicationBase + 4);
    EXPECT_TRUE(WaitFor([&] { return Ran() == "ran\r\nran\r\n"; }, 15000))
        << "the tray's Run entry; autorun only once: " << Ran();

    Command(quopa::cmd::kAbout);
    HWND about = WaitDialog("About Quopa Application Launcher");
    ASSERT_NE(about, nullptr);
    EXPECT_NE(FindChild(about, "Static", "Quopa Application Launcher"), nullptr);
    Press(FindChild(about, "Button", "OK"));
    EXPECT_TRUE(Gone(about));

    Exit();
    ExpectFiles("exit");
    EXPECT_EQ(Ran(), "ran\r\nran\r\n");
}

}  // namespace
}  // namespace e2e
