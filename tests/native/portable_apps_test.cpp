// The drive's PortableApps folder as the launcher reads it: which subfolders make apps, with
// which names, programs and icons, and when a folder is read again.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/headless/headless_code_page.h"
#include "tests/native/ini_fixture.h"
#include "tree/portable_apps.h"

namespace quopa::testing {
namespace {

// Counts the files read, so a look that should reuse what it read can be told apart.
class CountingFiles : public platform::HostFiles {
  public:
    bool ReadAll(const std::string& path, std::string& bytes) override {
        ++reads;
        return HostFiles::ReadAll(path, bytes);
    }
    int reads = 0;
};

class PortableAppsTest : public TempDriveTest {
  protected:
    void SetUp() override {
        TempDriveTest::SetUp();
        counting_.MapDrive('E', root_);
    }
    void PutApp(const std::string& folder, const std::string& info, bool icon = false) const {
        std::filesystem::create_directories(Host("PortableApps/" + folder + "/App/AppInfo"));
        Put("PortableApps/" + folder + "/App/AppInfo/appinfo.ini", info);
        if (icon) Put("PortableApps/" + folder + "/App/AppInfo/appicon.ico", "ico");
    }
    std::vector<FoundApp> Scan() {
        PortableAppsScan scan(counting_, codePage_);
        scan.Start("E:\\PortableApps");
        while (!scan.Slice(std::chrono::milliseconds(30))) {
        }
        return scan.Apps();
    }

    CountingFiles counting_;
    platform::HeadlessCodePage codePage_;
};

std::string Info(const std::string& details, const std::string& control) {
    return "[Format]\r\nType=PortableApps.comFormat\r\n[Details]\r\n" + details + "[Control]\r\n" +
           control;
}

TEST_F(PortableAppsTest, OneAppTakesItsDetailsAndStartsInItsOwnFolder) {
    PutApp("EditorPortable",
           Info("Name=Editor Portable\r\nCategory=Office\r\nDescription=Edits text\r\n",
                "Icons=1\r\nStart=EditorPortable.exe\r\n"));
    const std::vector<FoundApp> apps = Scan();
    ASSERT_EQ(apps.size(), 1u);
    EXPECT_EQ(apps[0].name, "Editor Portable");
    EXPECT_EQ(apps[0].category, "Office");
    EXPECT_EQ(apps[0].description, "Edits text");
    EXPECT_EQ(apps[0].folder, "E:\\PortableApps\\EditorPortable");
    EXPECT_EQ(apps[0].program, "E:\\PortableApps\\EditorPortable\\EditorPortable.exe");
    EXPECT_EQ(apps[0].icon, apps[0].program) << "without the format's icon, the program's own";
    EXPECT_EQ(apps[0].key, "portableapps:editorportable");
}

TEST_F(PortableAppsTest, EachNumberedStartIsAnAppOfItsOwnWithTheFormatsIcon) {
    PutApp("Suite",
           Info("Name=Suite\r\nCategory=Office\r\n",
                "Icons=3\r\nStart=Suite.exe\r\nStart1=Writer.exe\r\nName1=Suite Writer\r\n"
                "Start2=..\\Evil.exe\r\nName2=Evil\r\nStart3=bin/Calc.exe\r\n"),
           true);
    const std::vector<FoundApp> apps = Scan();
    ASSERT_EQ(apps.size(), 2u);
    EXPECT_EQ(apps[0].name, "Suite Writer");
    EXPECT_EQ(apps[0].program, "E:\\PortableApps\\Suite\\Writer.exe");
    EXPECT_EQ(apps[1].name, "Suite") << "an entry without a name takes the app's";
    EXPECT_EQ(apps[1].program, "E:\\PortableApps\\Suite\\bin\\Calc.exe");
    EXPECT_NE(apps[0].key, apps[1].key);
    for (const FoundApp& app : apps)
        EXPECT_EQ(app.icon, "E:\\PortableApps\\Suite\\App\\AppInfo\\appicon.ico");
}

TEST_F(PortableAppsTest, FoldersThatDescribeNoSafeProgramAreSkipped) {
    const std::pair<const char*, std::string> cases[] = {
        {"NoStart", Info("Name=A\r\n", "Icons=1\r\n")},
        {"EmptyStart", Info("Name=A\r\n", "Start=\r\n")},
        {"Broken", "\x01\x02 not an ini at all \xff"},
        {"UpFolder", Info("Name=A\r\n", "Start=..\\Other\\x.exe\r\n")},
        {"UpInside", Info("Name=A\r\n", "Start=bin\\..\\..\\x.exe\r\n")},
        {"UpByDots", Info("Name=A\r\n", "Start=... \\x.exe\r\n")},
        {"DriveLetter", Info("Name=A\r\n", "Start=C:\\Windows\\x.exe\r\n")},
        {"Rooted", Info("Name=A\r\n", "Start=\\x.exe\r\n")},
        {"Share", Info("Name=A\r\n", "Start=\\\\server\\x.exe\r\n")},
    };
    for (const auto& [folder, info] : cases) PutApp(folder, info);
    std::filesystem::create_directories(Host("PortableApps/NoInfo/App"));
    Put("PortableApps/loose.txt", "x");
    PutApp("Good", Info("Name=Good\r\n", "Start=Good.exe\r\n"));
    const std::vector<FoundApp> apps = Scan();
    ASSERT_EQ(apps.size(), 1u);
    EXPECT_EQ(apps[0].name, "Good");
}

TEST_F(PortableAppsTest, NamesComeInTheAnsiCodePageWhateverTheFilesEncoding) {
    PutApp("A", "\xEF\xBB\xBF" + Info("Name=Caf\xC3\xA9 \xE6\x97\xA5\r\n", "Start=a.exe\r\n"));
    PutApp("B", Info("Name=Caf\xC3\xA9\r\n", "Start=b.exe\r\n"));
    PutApp("C", Info("Name=Caf\xE9\r\n", "Start=c.exe\r\n"));
    const std::vector<FoundApp> apps = Scan();
    ASSERT_EQ(apps.size(), 3u);
    EXPECT_EQ(apps[0].name, "Caf\xE9 ?") << "with the mark; a character the page lacks is replaced";
    EXPECT_EQ(apps[1].name, "Caf\xE9") << "UTF-8 without the mark";
    EXPECT_EQ(apps[2].name, "Caf\xE9") << "ANSI as stored";
}

TEST_F(PortableAppsTest, ALookReadsOnlyTheInfoFilesThatChanged) {
    PutApp("A", Info("Name=First\r\n", "Start=a.exe\r\n"));
    PutApp("B", Info("Name=Other\r\n", "Start=b.exe\r\n"));
    PortableAppsScan scan(counting_, codePage_);
    auto look = [&] {
        scan.Start("E:\\PortableApps");
        int slices = 1;
        while (!scan.Slice(std::chrono::seconds(0))) ++slices;
        return slices;
    };
    EXPECT_EQ(look(), 2) << "one folder a slice when time is short";
    // Files written within the clock's step are read again; these are settled.
    for (const char* folder : {"A", "B"})
        std::filesystem::last_write_time(
            Host(std::string("PortableApps/") + folder + "/App/AppInfo/appinfo.ini"),
            std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    look();
    const int before = counting_.reads;
    look();
    EXPECT_EQ(counting_.reads, before) << "nothing changed, nothing read";
    PutApp("A", Info("Name=Second\r\n", "Start=a.exe\r\n"));
    std::filesystem::remove_all(Host("PortableApps/B"));
    look();
    EXPECT_EQ(counting_.reads, before + 1);
    ASSERT_EQ(scan.Apps().size(), 1u);
    EXPECT_EQ(scan.Apps()[0].name, "Second");
}

TEST_F(PortableAppsTest, TheFolderIsAtTheDriveOrShareRootAndTheSettingIsOffUnlessStored) {
    EXPECT_EQ(PortableAppsFolder("E:"), "E:\\PortableApps");
    EXPECT_EQ(PortableAppsFolder("\\\\server\\share"), "\\\\server\\share\\PortableApps");
    modINI ini(files_);
    Put("quopa_settings.dat", "[Settings]\r\nLanguage=English\r\n");
    EXPECT_FALSE(PortableAppsWanted(ini, "E:\\quopa_settings.dat"));
    EXPECT_EQ(Get("quopa_settings.dat"), "[Settings]\r\nLanguage=English\r\n");
    Put("quopa_settings.dat", "[Settings]\r\nLoadPortableApps=1\r\n");
    EXPECT_TRUE(PortableAppsWanted(ini, "E:\\quopa_settings.dat"));
}

}  // namespace
}  // namespace quopa::testing
