// The small dialogs on the headless backend: the options on real settings files (what they
// read, what Apply writes and in which order, the avatar file), the update checker's reading
// of the server and its window, and the about box's way to the system information tool.
#include <sys/stat.h>

#include "context/messages.h"
#include "info/frmAbout.h"
#include "info/frmUpdate.h"
#include "info/sys_info.h"
#include "settings/frmOptions.h"
#include "settings/language.h"
#include "store/data_files.h"
#include "tests/native/main_window_fixture.h"
#include "tests/native/picture_samples.h"

namespace quopa::testing {
namespace {

using namespace std::string_literals;

// A shown owner window to run over, and the program folder on E:.
class DialogTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        ctx_.programFolder = process_.ProgramFolder();
        owner_.Create({.caption = "Owner", .bounds = {0, 0, 6000, 4000}});
        owner_.Show();
    }
    std::string Settings() const { return Get("quopa_settings.dat"); }
    std::string Avatar() const { return Get("quopa_ava.bmp"); }
    frmOptions& Open() {
        dlg_ = std::make_unique<frmOptions>(ctx_, [this] { ++applied_; });
        dlg_->Create();
        return *dlg_;
    }

    ui::Form owner_{backend_};
    std::unique_ptr<frmOptions> dlg_;
    int applied_ = 0;
};

constexpr char kAllKeys[] =
    "[UserInfo]\r\nUserName=Ann\r\nUserAddress=1 Main St\r\nUserCity=Ghent\r\n"
    "UserPhone=555\r\nUserEmail=ann@example.org\r\n[Settings]\r\nLanguage=Dutch\r\n";

// What Apply writes, in its order (an untouched found-apps box adds no key), is what the dialog
// shows when it opens again, and opening adds nothing to the file; Esc leaves what Apply wrote.
TEST_F(DialogTest, ApplyWritesTheKeysInOrderAndOpeningShowsThem) {
    const Strings typed = {"Ann", "1 Main St", "Ghent", "555", "ann@example.org"};
    const auto boxes = [](frmOptions& d) {
        return std::vector<ui::TextBox*>{&d.txtUserName, &d.txtAddress, &d.txtCity, &d.txtPhone,
                                         &d.txtEmail};
    };
    frmOptions& d = Open();
    for (std::size_t i = 0; i < typed.size(); ++i) boxes(d)[i]->UserTyped(typed[i]);
    d.cmbLanguage.UserPicked(1);
    d.cmdApply.Click();
    EXPECT_EQ(Settings(), kAllKeys);
    EXPECT_TRUE(desktop_.messages.empty() && d.form.Loaded()) << "an empty avatar path is silent";
    frmOptions& again = Open();
    for (std::size_t i = 0; i < typed.size(); ++i) EXPECT_EQ(boxes(again)[i]->Text(), typed[i]);
    EXPECT_EQ(std::tuple(again.cmbLanguage.Text(), again.chkPortableApps.Value(),
                         again.txtUserName.MaxLength(), again.txtPhone.MaxLength()),
              std::tuple("Dutch", 0, 20, 25));
    EXPECT_EQ(Settings(), kAllKeys);
    EXPECT_EQ(ApplicationCaption("Dutch") + ApplicationCaption("dutch"), "ApplicatieApplication");
    // Esc, as Cancel, keeps only what Apply wrote.
    backend_.modalActions.push_back([&](ui::Form& f) {
        again.txtUserName.UserTyped("Bob");
        again.cmdApply.Click();
        again.txtUserName.UserTyped("Carl");
        EXPECT_TRUE(f.PressEscape());
    });
    again.ShowModal(owner_);
    EXPECT_FALSE(again.form.Loaded());
    EXPECT_NE(Settings().find("UserName=Bob\r\n"), std::string::npos);
}

// Only Dutch as stored is Dutch, and found apps are off unless stored on; OK stores what the
// dialog shows.
TEST_F(DialogTest, AnUnknownLowerCaseOrMissingLanguageShowsEnglishAndOkStoresIt) {
    EXPECT_EQ(StoredLanguage(ini_, SettingsFile("E:\\")), "");
    EXPECT_FALSE(Exists("quopa_settings.dat")) << "reading adds nothing";
    for (const std::string stored : {"[Settings]\r\nLanguage=dutch\r\n", "[Other]\r\nx=1\r\n"}) {
        Put("quopa_settings.dat", stored);
        frmOptions& d = Open();
        EXPECT_EQ(d.cmbLanguage.Text() + std::to_string(d.chkPortableApps.Value()), "English0");
        d.cmdOK.Click();
        EXPECT_TRUE(Settings().find("Language=English\r\n") != std::string::npos &&
                    !d.form.Loaded())
            << stored;
    }
}

// Edits and pictures picked turn Apply on, the language does not; the file dialog is asked
// for pictures, and a cancel there is silent.
TEST_F(DialogTest, ApplyIsOnlyForEditsAndPicksAndTheFileDialogIsAskedForPictures) {
    fileDialog_.answers = {platform::HeadlessFileDialog::Cancelled(),
                           platform::HeadlessFileDialog::Chosen("E:\\me.bmp")};
    frmOptions& d = Open();
    d.cmdApply.Click();
    d.cmbLanguage.UserPicked(1);
    d.cmdSelectAvatar.Click();
    EXPECT_FALSE(d.cmdApply.Enabled());
    EXPECT_TRUE(desktop_.messages.empty());
    d.txtCity.UserTyped("Ghent");
    EXPECT_TRUE(d.cmdApply.Enabled());
    d.cmdApply.Click();
    d.cmdSelectAvatar.Click();
    EXPECT_TRUE(d.cmdApply.Enabled() && d.txtAvatarPath.Text() == "E:\\me.bmp");
    const platform::OpenFileArgs& asked = fileDialog_.calls.at(0);
    EXPECT_EQ(asked.title + "|" + asked.filter + "|" + asked.initialFolder,
              "Select an image|Pictures (*.bmp;*.gif;*.jpg)|*.bmp;*.gif;*.jpg|E:\\");
}

// A locked stick must not look saved: the dialog says so and keeps what was typed; the
// picture may be fine and the drive refuse its file all the same.
TEST_F(DialogTest, ARefusedWriteIsToldAndOkKeepsTheDialogOpen) {
    Put("wide.bmp", Rgb24Sample().Bytes());
    for (const std::string file : {"quopa_settings.dat", "quopa_ava.bmp"}) {
        const bool avatar = file == "quopa_ava.bmp";
        Put("quopa_settings.dat", kAllKeys);
        Put("quopa_ava.bmp", "old");
        chmod(Host(file).c_str(), 0444);
        frmOptions& d = Open();
        const std::string name = avatar ? "Ann" : "Bob";  // settings go first
        d.txtUserName.UserTyped(name);
        if (avatar) d.txtAvatarPath.UserTyped("E:\\wide.bmp");
        d.cmdOK.Click();
        EXPECT_EQ(Told(),
                  (Boxes{{avatar ? CouldNotSave("avatar", AvatarFile(ctx_.programFolder))
                                 : CouldNotSave("settings", SettingsFile(ctx_.programFolder)),
                          kCritical}}));
        EXPECT_TRUE(d.form.Loaded() && d.cmdApply.Enabled() && d.txtUserName.Text() == name);
        EXPECT_EQ(Settings() + Avatar(), kAllKeys + std::string("old"));
        chmod(Host(file).c_str(), 0644);
    }
}

// A 3 x 2 picture becomes a square 24-bit BMP the size of the picture box's inside in pixels,
// each row padded as other programs expect. What is no picture is told as invalid; one too
// large (the file, the size its header states, the room the process has left) says so. Both
// leave the old avatar, and the main window is refreshed all the same.
TEST_F(DialogTest, AChosenPictureBecomesASquareBmpAndWhatIsNoPictureIsTold) {
    Put("quopa_ava.bmp", "old");
    Put("notes.txt", "not a picture");
    Put("wide.bmp", Rgb24Sample().Bytes());
    Put("huge.bmp", BmpSample{8193, 8192, 1}.Bytes());
    Put("long.bmp", "BM");
    std::filesystem::resize_file(Host("long.bmp"), platform::kMaxPictureBytes + 1);
    constexpr char kInvalid[] = "You have selected an invalid picture!";
    frmOptions& d = Open();
    for (const auto& [path, told] : {std::pair{"E:\\notes.txt", kInvalid},
                                     {"E:\\missing.bmp", kInvalid},
                                     {"E:\\huge.bmp", kPictureTooLarge},
                                     {"E:\\long.bmp", kPictureTooLarge},
                                     {"E:\\wide.bmp", kPictureTooLarge}}) {
        pictures_.outOfMemory = path == "E:\\wide.bmp"s;
        d.txtUserName.UserTyped(path);
        d.txtAvatarPath.UserTyped(path);
        d.cmdApply.Click();
        EXPECT_EQ(Told(), (Boxes{{told, kExclaim}})) << path;
        EXPECT_NE(Settings().find("UserName="s + path), std::string::npos);
    }
    EXPECT_EQ(Avatar(), "old");
    EXPECT_EQ(applied_, 5);
    pictures_.outOfMemory = false;
    for (const auto& [dpi, side] : {std::pair{96, 37}, {192, 78}}) {
        desktop_.screen.dpiX = desktop_.screen.dpiY = dpi;
        Open().txtAvatarPath.UserTyped("E:\\wide.bmp");
        dlg_->cmdApply.Click();
        platform::Image saved;
        ASSERT_TRUE(platform::DecodeBmp(Avatar(), saved));
        EXPECT_EQ(Avatar().size(), 54u + (side * 3 + 3) / 4 * 4 * side) << "rows padded to 4";
        EXPECT_EQ(
            std::tuple(saved.width, saved.height, saved.At(0, 0), saved.At(side - 1, side - 1)),
            std::tuple(side, side, 0xFF0000u, 0x808080u));
    }
    EXPECT_TRUE(desktop_.messages.empty());
    EXPECT_EQ(AvatarFile("E:\\"), "E:\\quopa_ava.bmp") << "one separator at the drive root";
}

using platform::HeadlessHttp;
using platform::RegistryRoot;
constexpr char kUnavailable[] = "System Information Is Unavailable At This Time";

// An error page or a redirect still counts when its body is the answer itself; 65537 is 1
// once cut to 16 bits.
TEST(UpdateReplyTest, OnlyAOneOrAZeroInAWholeBodyIsAnAnswer) {
    const auto read = [](const char* body, int status = 200) {
        return ReadUpdateReply(HeadlessHttp::Answer(body, status));
    };
    for (const char* body : {"1", " 1 ", "+1"})
        EXPECT_EQ(read(body), UpdateAnswer::Current) << body;
    for (const char* body : {"0", "0\r\n"}) EXPECT_EQ(read(body), UpdateAnswer::Outdated) << body;
    for (const char* body : {"2", "-1", "", "   ", "yes", "1 0", "1.5", "70000", "65537"})
        EXPECT_EQ(read(body), UpdateAnswer::Failed) << body;
    EXPECT_EQ(std::pair(read("1", 404), read("0", 302)),
              std::pair(UpdateAnswer::Current, UpdateAnswer::Outdated));
    EXPECT_EQ(ReadUpdateReply({true, 200, false, "1", true}), UpdateAnswer::Failed) << "cut";
    EXPECT_EQ(ReadUpdateReply(HeadlessHttp::NoAnswer()), UpdateAnswer::Failed);

    EXPECT_EQ(ReadShort("32767").value() + ReadShort("\t-32768 ").value(), -1);
    for (const char* bad : {"32768", "-32769", "99999999999999999999999", "-", "1-", "--1", "0x1"})
        EXPECT_FALSE(ReadShort(bad).has_value()) << bad;
    // A server that hangs up early must not pass off the start of its body as all of it;
    // with no length stated, the body ends with the connection.
    for (const char* length : {"", "1", " 1 "}) EXPECT_TRUE(platform::WholeBody(length, 1));
    EXPECT_TRUE(platform::WholeBody("0", 0));
    // 2^64 + 1 must not wrap round to 1.
    for (const char* length : {"5", "0", "-1", "18446744073709551617", "1x"})
        EXPECT_FALSE(platform::WholeBody(length, 1)) << length;
}

// It asks once, with the fixed request, before it shows; an answer too long is no answer.
TEST_F(DialogTest, TheUpdateWindowShowsEachOutcomeAndClosesOnEnter) {
    const std::string failed = "Connection failed!";
    for (const auto& [reply, text] : std::vector<std::pair<platform::HttpReply, std::string>>{
             {HeadlessHttp::Answer("1"), "This version of quopa is up to date."},
             {HeadlessHttp::Answer("0"),
              "This version of quopa is outdated! Please get a new version at "s + kWebsite},
             {HeadlessHttp::Answer(std::string(1 << 20, '1')), failed}}) {
        http_.replies.push_back(reply);
        frmUpdate d(ctx_);
        d.Create();
        EXPECT_EQ(d.Label1.Text(), text);
        backend_.modalActions.push_back([](ui::Form& f) { EXPECT_TRUE(f.PressEnter()); });
        d.ShowModal(owner_);
    }
    EXPECT_EQ(http_.calls.size(), 3u);
    EXPECT_EQ(http_.calls[0].url, "http://"s + kUpdateHost +
                                      "/infusions/license_system/update_check.php?app=2&version=1");
    EXPECT_EQ(http_.calls[0].timeoutMs, 60000u);
    EXPECT_LE(http_.calls[0].maxBody, 4096u);
}

// The tool's own path is started as it stands, without looking further; else the folder,
// only when it holds the tool; else, or when the start fails, the one message, which the
// about box's button gives too. Registry text comes back whole, with or without its NUL, and
// a number as text; other types are found but leave the text as it was; what is longer than
// the buffer empties it.
TEST_F(DialogTest, SystemInformationStartsTheToolFoundOrSaysItIsUnavailable) {
    const auto root = RegistryRoot::LocalMachine;
    registry_.Set(root, "K", "NoNul", {platform::kRegSz, "abc"});
    registry_.Set(root, "K", "Number", {platform::kRegDword, "\x05"});
    registry_.Set(root, "K", "Binary", {platform::kRegBinary, "\x01\x02"});
    registry_.SetText(root, "K", "Long", std::string(1024, 'a'));  // 1025 bytes with its NUL
    std::string got;
    for (const char* name : {"NoNul", "Number", "Binary", "Long"}) {
        std::string v = "keep";
        got += GetKeyValue(registry_, root, "K", name, v) ? "+" + v + "|" : "-" + v + "|";
    }
    EXPECT_EQ(got, "+abc|+5|+keep|-|");
    frmAbout about(ctx_);
    about.Create();
    EXPECT_EQ(about.lblVersion.Text() + " " + about.lblTitle.Text(), "Version 1.0.0 "s + kAppTitle);
    backend_.modalActions.push_back([&](ui::Form& f) {
        about.cmdSysInfo.Click();
        EXPECT_TRUE(f.PressEscape());
    });
    about.ShowModal(owner_);
    registry_.SetText(root, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", "E:\\Tools");
    std::filesystem::create_directory(Host("Tools"));
    EXPECT_FALSE(StartSysInfo(sys_, 0));
    Put("Tools/MSINFO32.EXE", "MZ");
    EXPECT_TRUE(StartSysInfo(sys_, 0));
    registry_.SetText(root, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                      "\"C:\\Program Files\\Tool\\msinfo32.exe\" /x");
    EXPECT_TRUE(StartSysInfo(sys_, 0));
    shell_.startResult = false;
    EXPECT_FALSE(StartSysInfo(sys_, 0));
    ASSERT_EQ(shell_.started.size(), 3u);
    EXPECT_EQ(shell_.started[0].commandLine, "E:\\Tools\\MSINFO32.EXE");
    EXPECT_EQ(shell_.started[1].commandLine, "\"C:\\Program Files\\Tool\\msinfo32.exe\" /x");
    EXPECT_EQ(Told(), Boxes(3, {kUnavailable, platform::kMbOk}));
}

}  // namespace
}  // namespace quopa::testing
