// The about box and its way to the system information tool, over a registry in memory.
#include <gtest/gtest.h>

#include "info/frmAbout.h"
#include "info/sys_info.h"
#include "tests/native/dialog_fixture.h"

namespace quopa::testing {
namespace {

using platform::RegistryRoot;

constexpr char kToolKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr char kFolderKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr char kUnavailable[] = "System Information Is Unavailable At This Time";

// Text and numbers come back as text; other types are found but leave the text as it was;
// what is missing or longer than the buffer empties it.
TEST(GetKeyValueTest, ReadsTextAndNumbersAsTextAndEmptiesTheTextOnFailure) {
    platform::HeadlessRegistry reg;
    const auto root = RegistryRoot::LocalMachine;
    reg.SetText(root, "K", "WithNul", "C:\\Tools\\x.exe");
    reg.Set(root, "K", "NoNul", {platform::kRegSz, "abc"});
    reg.SetDword(root, "K", "Small", 261);
    reg.SetDword(root, "K", "AllOnes", 0xFFFFFFFF);
    reg.Set(root, "K", "Short", {platform::kRegDword, "\x05"});
    reg.SetText(root, "K", "Fits", std::string(1023, 'a'));  // 1024 bytes with its NUL
    reg.Set(root, "K", "Binary", {platform::kRegBinary, "\x01\x02"});
    reg.Set(root, "K", "Expand", {platform::kRegExpandSz, std::string("%X%\0", 4)});
    reg.SetText(root, "K", "Long", std::string(1024, 'a'));  // 1025 bytes
    const struct {
        const char *key, *name;
        bool found;
        std::string expected;
    } cases[] = {{"K", "WithNul", true, "C:\\Tools\\x.exe"},
                 {"K", "NoNul", true, "abc"},
                 {"K", "Small", true, "261"},
                 {"K", "AllOnes", true, "-1"},
                 {"K", "Short", true, "5"},
                 {"K", "Fits", true, std::string(1023, 'a')},
                 {"K", "Binary", true, "keep"},
                 {"K", "Expand", true, "keep"},
                 {"K", "Long", false, ""},
                 {"K", "Absent", false, ""},
                 {"Nowhere", "Binary", false, ""}};
    for (const auto& c : cases) {
        std::string value = "keep";
        EXPECT_EQ(GetKeyValue(reg, root, c.key, c.name, value), c.found) << c.name;
        EXPECT_EQ(value, c.expected) << c.name;
    }
}

class SysInfoTest : public DialogTest {};

TEST_F(SysInfoTest, TheToolsOwnPathIsStartedAsItStandsWithoutLookingFurther) {
    registry_.SetText(RegistryRoot::LocalMachine, kToolKey, "PATH",
                      "\"C:\\Program Files\\Tool\\msinfo32.exe\" /x");
    registry_.SetText(RegistryRoot::LocalMachine, kFolderKey, "MSINFO", "E:\\");
    EXPECT_TRUE(StartSysInfo(sys_, 0));
    ASSERT_EQ(shell_.started.size(), 1u);
    EXPECT_EQ(shell_.started[0].commandLine, "\"C:\\Program Files\\Tool\\msinfo32.exe\" /x");
    EXPECT_EQ(shell_.started[0].showCommand, platform::kSwShowNormal);
    ASSERT_EQ(registry_.reads.size(), 1u);
    EXPECT_EQ(registry_.reads[0].keyPath, kToolKey);
    EXPECT_TRUE(desktop_.messages.empty());
}

TEST_F(SysInfoTest, TheFolderIsUsedOnlyWhenItHoldsTheTool) {
    registry_.SetText(RegistryRoot::LocalMachine, kFolderKey, "MSINFO", "E:\\Tools");
    std::filesystem::create_directory(Host("Tools"));
    EXPECT_FALSE(StartSysInfo(sys_, 0));
    EXPECT_TRUE(shell_.started.empty());
    ASSERT_EQ(desktop_.messages.size(), 1u);
    EXPECT_EQ(desktop_.messages[0].text, kUnavailable);
    EXPECT_EQ(desktop_.messages[0].title, kAppTitle);
    EXPECT_EQ(desktop_.messages[0].style, platform::kMbOk);

    Put("Tools/MSINFO32.EXE", "MZ");
    EXPECT_TRUE(StartSysInfo(sys_, 0));
    ASSERT_EQ(shell_.started.size(), 1u);
    EXPECT_EQ(shell_.started[0].commandLine, "E:\\Tools\\MSINFO32.EXE");
}

TEST_F(SysInfoTest, NothingFoundOrAFailedStartIsTheOneMessage) {
    EXPECT_FALSE(StartSysInfo(sys_, 0));
    registry_.SetText(RegistryRoot::LocalMachine, kToolKey, "PATH", "C:\\gone.exe");
    shell_.startResult = false;
    EXPECT_FALSE(StartSysInfo(sys_, 0));
    ASSERT_EQ(desktop_.messages.size(), 2u);
    EXPECT_EQ(desktop_.messages[1].text, kUnavailable);
}

TEST_F(SysInfoTest, TheAboutBoxShowsTitleAndVersionAndClosesOnEnterOrEsc) {
    for (bool enter : {true, false}) {
        frmAbout about(ctx_);
        about.Create();
        EXPECT_EQ(about.form.Text(), "About Quopa Application Launcher");
        EXPECT_EQ(about.lblVersion.Text(), "Version 1.0.0");
        EXPECT_EQ(about.lblTitle.Text(), kAppTitle);
        backend_.modalActions.push_back([&](ui::Form& f) {
            about.cmdSysInfo.Click();
            EXPECT_TRUE(enter ? f.PressEnter() : f.PressEscape());
        });
        about.ShowModal(owner_);
        EXPECT_FALSE(about.form.Loaded());
    }
    ASSERT_EQ(desktop_.messages.size(), 2u);
    EXPECT_EQ(desktop_.messages[0].text, kUnavailable);
}

}  // namespace
}  // namespace quopa::testing
