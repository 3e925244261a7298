// The drive's PortableApps folder as the launcher reads it: which subfolders make apps, with
// which names, programs and icons, and when a folder is read again.

#include "tree/portable_apps.h"
#include "platform/headless/headless_code_page.h"
#include "tests/native/ini_fixture.h"

namespace quopa::testing {
namespace {

using namespace std::string_literals;

std::string Info(const std::string& details, const std::string& control) {
    return "[Format]\r\nType=PortableApps.comFormat\r\n[Details]\r\n" + details + "[Control]\r\n" +
           control;
}

class PortableAppsTest : public TempDriveTest {
  protected:
    void PutApp(const std::string& folder, const std::string& info, bool icon = false) const {
        const std::string at = "PortableApps/" + folder + "/App/AppInfo/";
        std::filesystem::create_directories(Host(at));
        Put(at + "appinfo.ini", info);
        if (icon) Put(at + "appicon.ico", "ico");
    }
    // Looks until done, with `slice` for each step; how many steps it took.
    int Look(std::chrono::milliseconds slice = std::chrono::milliseconds(30)) {
        scan_.Start("E:\\PortableApps");
        int slices = 1;
        while (!scan_.Slice(slice)) ++slices;
        return slices;
    }
    Strings Of(std::string FoundApp::*field) const {
        return Each(scan_.Apps(), [&](const FoundApp& app) { return app.*field; });
    }

    PortableAppsScan scan_{files_, codePage_};
};

// One entry is the package's Start. Each numbered start is an app of its own, one without a
// name taking the app's; folders that describe no safe program are skipped. An entry's own
// icon comes first, the one [Control] names before the appicon file, then the app's in the
// same order; none from outside the app's folder.
TEST_F(PortableAppsTest, NumberedStartsAreAppsOfTheirOwnAndUnsafeFoldersAreSkipped) {
    PutApp("Suite",
           Info("Name=Suite\r\n",
                "Icons=4\r\nStart=s.exe\r\nStart1=a.exe\r\nName1=Writer\r\n"
                "Start2=bin/b.exe\r\nStart3=c.exe\r\nStart4=..\\Evil.exe\r\n"
                "ExtractIcon=s.exe\r\nExtractIcon2=bin\\b.exe\r\n"),
           true);
    PutApp("Plain", Info("Name=Plain\r\n", "Start=p.exe\r\nExtractIcon=gone.exe\r\n"), true);
    PutApp("Bare",
           Info("", "Icons=1\r\nStart=b.exe\r\nStart1=c.exe\r\nExtractIcon=..\\Plain\\p.exe\r\n"));
    std::filesystem::create_directories(Host("PortableApps/Suite/bin"));
    for (const char* file : {"Suite/App/AppInfo/appicon1.ico", "Suite/App/AppInfo/appicon2.ico",
                             "Suite/s.exe", "Suite/bin/b.exe", "Plain/p.exe"})
        Put(std::string("PortableApps/") + file, "MZ");
    // Up and out of the folder, or to another drive, root or share, is no safe program.
    int bad = 0;
    for (const char* control :
         {"Icons=1", "Start=", "Start=..\\Other\\x.exe", "Start=bin\\..\\..\\x.exe",
          "Start=... \\x.exe", "Start=C:\\Windows\\x.exe", "Start=\\x.exe",
          "Start=\\\\server\\x.exe"})
        PutApp("Bad" + std::to_string(++bad), Info("Name=A\r\n", control + std::string("\r\n")));
    PutApp("Broken", "\x01\x02 not an ini at all \xff");
    PutApp("Huge", Info("Name=Huge\r\n", "Start=huge.exe\r\n") + std::string(64 * 1024, ';'));
    std::filesystem::create_directories(Host("PortableApps/NoInfo/App"));
    Put("PortableApps/loose.txt", "x");
    PutApp("Good", Info("Name=Good\r\n", "Start=Good.exe\r\n"));
    Look();
    const std::string at = "E:\\PortableApps\\";
    EXPECT_EQ(Of(&FoundApp::name), (Strings{"Bare", "Good", "Plain", "Writer", "Suite", "Suite"}));
    EXPECT_EQ(Of(&FoundApp::program)[0] + Of(&FoundApp::program)[4],
              at + "Bare\\b.exe" + at + "Suite\\bin\\b.exe");
    EXPECT_EQ(Of(&FoundApp::icon), (Strings{"", "", at + "Plain\\App\\AppInfo\\appicon.ico",
                                            at + "Suite\\App\\AppInfo\\appicon1.ico",
                                            at + "Suite\\bin\\b.exe", at + "Suite\\s.exe"}));
}

// UTF-16 with its mark, UTF-8 with the mark or without and ANSI all come whole, half of a
// surrogate pair alone as the replacement character. One folder a slice when time is short;
// the next look sees a changed name and a folder gone.
TEST_F(PortableAppsTest, NamesComeWholeInEveryEncodingAndALookSeesWhatChanged) {
    PutApp("A", "\xEF\xBB\xBF" + Info("Name=Caf\xC3\xA9 \xE6\x97\xA5\r\n", "Start=a.exe\r\n"));
    PutApp("B", Info("Name=Caf\xC3\xA9\r\n", "Start=b.exe\r\n"));
    PutApp("C", Info("Name=Caf\xE9\r\n", "Start=c.exe\r\n"));
    std::string wide = "\xFF\xFE";  // '@': a character beyond the page, then half of one
    for (const char c : Info("Name=Caf\xE9 @\r\n", "Start=d.exe\r\n"))
        wide += c == '@' ? "\x3D\xD8\x00\xDE\x00\xD8"s : std::string{c, '\0'};
    PutApp("D", wide);
    PutApp("E", Info("Name=E\r\n", "Start=\xE6\x97\xA5.exe\r\n"));
    EXPECT_EQ(Look(std::chrono::milliseconds(0)), 5);
    const std::string cafe = "Caf\xC3\xA9", odd = cafe + " \xF0\x9F\x98\x80\xEF\xBF\xBD";
    EXPECT_EQ(Of(&FoundApp::name), (Strings{cafe + " \xE6\x97\xA5", cafe, cafe, odd, "E"}));
    PutApp("A", Info("Name=Second\r\n", "Start=a.exe\r\n"));
    std::filesystem::remove_all(Host("PortableApps/B"));
    Look();
    EXPECT_EQ(Of(&FoundApp::name), (Strings{"Second", cafe, odd, "E"}));
}

}  // namespace
}  // namespace quopa::testing
