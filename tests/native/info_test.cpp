// The update checker's reading of what the server sends and the window it shows; the about
// box and its way to the system information tool, over a registry in memory.
#include <gtest/gtest.h>

#include "info/frmAbout.h"
#include "info/frmUpdate.h"
#include "info/sys_info.h"
#include "tests/native/dialog_fixture.h"

namespace quopa::testing {
namespace {

using platform::HeadlessHttp;
using platform::RegistryRoot;
constexpr char kUnavailable[] = "System Information Is Unavailable At This Time";

// An error page or a redirect still counts when its body is the answer itself; 65537 is 1
// once cut to 16 bits.
TEST(UpdateReplyTest, OnlyAOneOrAZeroIsAnAnswer) {
    const auto read = [](const char* body, int status = 200) {
        return ReadUpdateReply(HeadlessHttp::Answer(body, status));
    };
    for (const char* body : {"1", " 1 ", "+1"})
        EXPECT_EQ(read(body), UpdateAnswer::Current) << body;
    for (const char* body : {"0", "0\r\n"}) EXPECT_EQ(read(body), UpdateAnswer::Outdated) << body;
    for (const char* body : {"2", "-1", "", "   ", "yes", "1 0", "1.5", "70000", "65537"})
        EXPECT_EQ(read(body), UpdateAnswer::Failed) << body;
    EXPECT_EQ(read("1", 404), UpdateAnswer::Current);
    EXPECT_EQ(read("0", 302), UpdateAnswer::Outdated);
    EXPECT_EQ(ReadUpdateReply({true, 200, false, "1", true}), UpdateAnswer::Failed) << "cut";
    EXPECT_EQ(ReadUpdateReply(HeadlessHttp::NoAnswer()), UpdateAnswer::Failed);

    EXPECT_EQ(ReadShort("32767"), 32767);
    EXPECT_EQ(ReadShort("\t-32768 "), -32768);
    for (const char* bad : {"32768", "-32769", "99999999999999999999999", "-", "1-", "--1", "0x1"})
        EXPECT_FALSE(ReadShort(bad).has_value()) << bad;
}

// A server that hangs up early must not pass off the start of its body as all of it; with
// no length stated, the body ends with the connection.
TEST(HttpBodyTest, OnlyABodyOfTheStatedLengthIsWhole) {
    for (const char* length : {"", "1", " 1 "}) EXPECT_TRUE(platform::WholeBody(length, 1));
    EXPECT_TRUE(platform::WholeBody("0", 0));
    // 2^64 + 1 must not wrap round to 1.
    for (const char* length : {"5", "0", "-1", "18446744073709551617", "1x"})
        EXPECT_FALSE(platform::WholeBody(length, 1)) << length;
}

// It asks once, with the fixed request, before it shows; an answer too long is no answer.
TEST_F(DialogTest, TheUpdateWindowShowsEachOutcomeAndClosesOnEnter) {
    const struct {
        platform::HttpReply reply;
        std::string text;
        int checking;
    } cases[] = {
        {HeadlessHttp::Answer("1"), "This version of quopa is up to date.", 2},
        {HeadlessHttp::Answer("0"),
         std::string("This version of quopa is outdated! Please get a new version at ") + kWebsite,
         2},
        {HeadlessHttp::Answer(std::string(1 << 20, '1')), "Connection failed!", 0}};
    for (const auto& c : cases) {
        http_.replies.push_back(c.reply);
        frmUpdate d(ctx_);
        d.Create();
        EXPECT_FALSE(d.form.Visible());
        EXPECT_EQ(d.Label1.Text(), c.text);
        EXPECT_EQ(
            std::tuple(d.Check1.Value(), d.Check2.Value(), d.Check1.Enabled(), d.Check2.Enabled()),
            std::tuple(2, c.checking, false, false));
        backend_.modalActions.push_back([](ui::Form& f) { EXPECT_TRUE(f.PressEnter()); });
        d.ShowModal(owner_);
        EXPECT_FALSE(d.form.Loaded());
    }
    ASSERT_EQ(http_.calls.size(), 3u);
    EXPECT_EQ(http_.calls[0].url, std::string("http://") + kUpdateHost +
                                      "/infusions/license_system/update_check.php?app=2&version=1");
    EXPECT_EQ(http_.calls[0].timeoutMs, 60000u);
    EXPECT_LE(http_.calls[0].maxBody, 4096u);
}

// Text and numbers come back as text; other types are found but leave the text as it was;
// what is missing or longer than the buffer empties it.
TEST(GetKeyValueTest, ReadsTextAndNumbersAsTextAndEmptiesTheTextOnFailure) {
    platform::HeadlessRegistry reg;
    const auto root = RegistryRoot::LocalMachine;
    reg.SetText(root, "K", "WithNul", "C:\\Tools\\x.exe");
    reg.Set(root, "K", "NoNul", {platform::kRegSz, "abc"});
    reg.SetDword(root, "K", "AllOnes", 0xFFFFFFFF);
    reg.Set(root, "K", "Short", {platform::kRegDword, "\x05"});
    reg.SetText(root, "K", "Fits", std::string(1023, 'a'));  // 1024 bytes with its NUL
    reg.Set(root, "K", "Binary", {platform::kRegBinary, "\x01\x02"});
    reg.SetText(root, "K", "Long", std::string(1024, 'a'));  // 1025 bytes
    std::string got;
    for (const char* name :
         {"WithNul", "NoNul", "AllOnes", "Short", "Fits", "Binary", "Long", "-"}) {
        std::string value = "keep";
        const bool found = GetKeyValue(reg, root, "K", name, value);
        got += (found ? "+" : "-") + value.substr(0, 14) + "|";
    }
    EXPECT_EQ(got, "+C:\\Tools\\x.exe|+abc|+-1|+5|+aaaaaaaaaaaaaa|+keep|-|-|");
}

// The tool's own path is started as it stands, without looking further; else the folder,
// only when it holds the tool; else, or when the start fails, the one message.
TEST_F(DialogTest, SystemInformationStartsTheToolFoundOrSaysItIsUnavailable) {
    const auto set = [&](const char* key, const char* name, const char* value) {
        registry_.SetText(RegistryRoot::LocalMachine, key, name, value);
    };
    EXPECT_FALSE(StartSysInfo(sys_, 0));
    set("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", "E:\\Tools");
    std::filesystem::create_directory(Host("Tools"));
    EXPECT_FALSE(StartSysInfo(sys_, 0));
    Put("Tools/MSINFO32.EXE", "MZ");
    EXPECT_TRUE(StartSysInfo(sys_, 0));
    set("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
        "\"C:\\Program Files\\Tool\\msinfo32.exe\" /x");
    registry_.reads.clear();
    EXPECT_TRUE(StartSysInfo(sys_, 0));
    EXPECT_EQ(registry_.reads.size(), 1u);
    shell_.startResult = false;
    EXPECT_FALSE(StartSysInfo(sys_, 0));
    ASSERT_EQ(shell_.started.size(), 3u);
    EXPECT_EQ(shell_.started[0].commandLine, "E:\\Tools\\MSINFO32.EXE");
    EXPECT_EQ(shell_.started[1].commandLine, "\"C:\\Program Files\\Tool\\msinfo32.exe\" /x");
    EXPECT_EQ(Told(), Boxes(3, {kUnavailable, platform::kMbOk}));
}

TEST_F(DialogTest, TheAboutBoxShowsTitleAndVersionAndClosesOnEnterOrEsc) {
    for (bool enter : {true, false}) {
        frmAbout about(ctx_);
        about.Create();
        EXPECT_EQ(about.lblVersion.Text() + " " + about.lblTitle.Text(),
                  std::string("Version 1.0.0 ") + kAppTitle);
        backend_.modalActions.push_back([&](ui::Form& f) {
            about.cmdSysInfo.Click();
            EXPECT_TRUE(enter ? f.PressEnter() : f.PressEscape());
        });
        about.ShowModal(owner_);
        EXPECT_FALSE(about.form.Loaded());
    }
    EXPECT_EQ(Told(), Boxes(2, {kUnavailable, platform::kMbOk}));
}

}  // namespace
}  // namespace quopa::testing
