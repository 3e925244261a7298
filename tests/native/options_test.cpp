// The options dialog on real settings files: what it reads, what Apply writes and in
// which order, the Apply button's state, the avatar file and the language rule.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "context/messages.h"
#include "platform/image.h"
#include "settings/frmOptions.h"
#include "settings/language.h"
#include "store/data_files.h"
#include "tests/native/dialog_fixture.h"
#include "tests/native/picture_samples.h"

namespace quopa::testing {
namespace {

using Dialog = platform::HeadlessFileDialog;

constexpr char kAllKeys[] =
    "[UserInfo]\r\nUserName=Ann\r\nUserAddress=1 Main St\r\nUserCity=Ghent\r\n"
    "UserPhone=555\r\nUserEmail=ann@example.org\r\n[Settings]\r\nLanguage=Dutch\r\n"
    "LoadPortableApps=0\r\n";

class OptionsTest : public DialogTest {
  protected:
    frmOptions& Open() {
        dlg_ = std::make_unique<frmOptions>(ctx_, [this] { ++applied_; });
        dlg_->Create();
        return *dlg_;
    }
    std::string Avatar() const { return Get("quopa_ava.bmp"); }

    std::unique_ptr<frmOptions> dlg_;
    int applied_ = 0;
};

// What Apply writes, in its order, is what the dialog shows when it opens again, and opening
// adds nothing to the file.
TEST_F(OptionsTest, ApplyWritesTheKeysInOrderAndOpeningShowsThem) {
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
    EXPECT_EQ(applied_, 1);
    EXPECT_TRUE(desktop_.messages.empty() && d.form.Loaded()) << "an empty avatar path is silent";

    frmOptions& again = Open();
    for (std::size_t i = 0; i < typed.size(); ++i) EXPECT_EQ(boxes(again)[i]->Text(), typed[i]);
    EXPECT_EQ(std::tuple(again.cmbLanguage.Text(), again.cmbLanguage.ListCount(),
                         again.chkPortableApps.Value(), again.txtUserName.MaxLength(),
                         again.txtPhone.MaxLength()),
              std::tuple("Dutch", 2, 0, 20, 25));
    EXPECT_EQ(Settings(), kAllKeys);
}

TEST_F(OptionsTest, AnUnknownLowerCaseOrMissingLanguageShowsEnglishAndOkStoresIt) {
    for (const std::string stored : {"[Settings]\r\nLanguage=French\r\n",
                                     "[Settings]\r\nLanguage=dutch\r\n", "[Other]\r\nx=1\r\n"}) {
        Put("quopa_settings.dat", stored);
        frmOptions& d = Open();
        EXPECT_EQ(d.cmbLanguage.Text(), "English") << stored;
        EXPECT_EQ(Settings(), stored);
        d.cmdOK.Click();
        EXPECT_NE(Settings().find("Language=English\r\n"), std::string::npos) << stored;
        EXPECT_FALSE(d.form.Loaded());
    }
}

// Edits and pictures picked turn Apply on, the language does not, yet OK stores it; the file
// dialog is asked for pictures, a cancel there is silent and a failure told.
TEST_F(OptionsTest, ApplyIsOnlyForEditsAndPicksAndTheFileDialogIsAskedForPictures) {
    fileDialog_.answers = {Dialog::Cancelled(), Dialog::Failed(12290, "Buffer too small"),
                           Dialog::Chosen("E:\\me.bmp")};
    frmOptions& d = Open();
    std::vector<bool> apply;
    auto step = [&](const std::function<void()>& act) {
        act();
        apply.push_back(d.cmdApply.Enabled());
    };
    step([&] { d.cmdApply.Click(); });
    step([&] { d.cmbLanguage.UserPicked(1); });
    step([&] { d.txtCity.UserTyped("Ghent"); });
    step([&] { d.cmdApply.Click(); });
    step([&] { d.cmdSelectAvatar.Click(); });
    step([&] { d.cmdSelectAvatar.Click(); });
    EXPECT_EQ(Told(),
              (Boxes{{"Error 12290 selecting file.\r\nBuffer too small", platform::kMbOk}}));
    step([&] { d.cmdSelectAvatar.Click(); });
    EXPECT_EQ(d.txtAvatarPath.Text(), "E:\\me.bmp");
    EXPECT_EQ(apply, (std::vector<bool>{false, false, true, false, false, false, true}));
    d.cmdApply.Click();
    d.cmbLanguage.UserPicked(0);
    d.cmdOK.Click();
    EXPECT_NE(Settings().find("Language=English"), std::string::npos);
    EXPECT_EQ(applied_, 4);
    const platform::OpenFileArgs& asked = fileDialog_.calls.at(0);
    EXPECT_EQ(asked.title + "|" + asked.filter + "|" + asked.initialFolder,
              "Select an image|Pictures (*.bmp;*.gif;*.jpg)|*.bmp;*.gif;*.jpg|E:\\");
}

TEST_F(OptionsTest, CancelAndEscKeepOnlyWhatApplyWrote) {
    Put("quopa_settings.dat", kAllKeys);
    frmOptions& d = Open();
    backend_.modalActions.push_back([&](ui::Form& f) {
        d.txtUserName.UserTyped("Bob");
        d.cmdApply.Click();
        d.txtUserName.UserTyped("Carl");
        EXPECT_TRUE(f.PressEscape());
        EXPECT_FALSE(f.PressEnter()) << "no default button";
    });
    d.ShowModal(owner_);
    EXPECT_FALSE(d.form.Loaded());
    EXPECT_NE(Settings().find("UserName=Bob\r\n"), std::string::npos);
    EXPECT_EQ(applied_, 1);
}

// A locked stick must not look saved: the dialog says so and keeps what was typed; the
// picture may be fine and the drive refuse its file all the same.
TEST_F(OptionsTest, ARefusedWriteIsToldAndOkKeepsTheDialogOpen) {
    Put("wide.bmp", Rgb24Sample().Bytes());
    for (const char* file : {"quopa_settings.dat", "quopa_ava.bmp"}) {
        const bool avatar = std::string(file) == "quopa_ava.bmp";
        Put("quopa_settings.dat", kAllKeys);
        Put("quopa_ava.bmp", "old");
        chmod(Host(file).c_str(), 0444);
        frmOptions& d = Open();
        d.txtUserName.UserTyped(avatar ? "Ann" : "Bob");
        if (avatar) d.txtAvatarPath.UserTyped("E:\\wide.bmp");
        d.cmdOK.Click();
        EXPECT_EQ(Told(),
                  (Boxes{{avatar ? CouldNotSave("avatar", AvatarFile(ctx_.programFolder))
                                 : CouldNotSave("settings", SettingsFile(ctx_.programFolder)),
                          kCritical}}));
        EXPECT_TRUE(d.form.Loaded() && d.cmdApply.Enabled());
        EXPECT_EQ(d.txtUserName.Text(), avatar ? "Ann" : "Bob");
        EXPECT_EQ(Settings() + Avatar(), kAllKeys + std::string("old"));
        chmod(Host(file).c_str(), 0644);
    }
}

// A 3 x 2 picture becomes a square BMP the size of the picture box's inside in pixels.
TEST_F(OptionsTest, AChosenPictureBecomesASquareBmpOfThePictureBoxInside) {
    Put("wide.bmp", Rgb24Sample().Bytes());
    for (const auto& [dpi, side] : {std::pair{96, 37}, {192, 78}}) {
        desktop_.screen.dpiX = desktop_.screen.dpiY = dpi;
        frmOptions& d = Open();
        d.txtAvatarPath.UserTyped("E:\\wide.bmp");
        d.cmdApply.Click();
        platform::Image saved;
        ASSERT_TRUE(platform::DecodeBmp(Avatar(), saved));
        EXPECT_EQ(
            std::tuple(saved.width, saved.height, saved.At(0, 0), saved.At(side - 1, side - 1)),
            std::tuple(side, side, 0xFF0000u, 0x808080u));
    }
    EXPECT_TRUE(desktop_.messages.empty());
    EXPECT_EQ(AvatarFile("E:\\"), "E:\\quopa_ava.bmp") << "one separator at the drive root";
}

TEST_F(OptionsTest, WhatIsNoPictureIsToldAndLeavesTheOldAvatar) {
    Put("quopa_ava.bmp", "old");
    Put("notes.txt", "not a picture");
    Put("wide.bmp", Rgb24Sample().Bytes());
    frmOptions& d = Open();
    // The last is a picture too large for what the process has left.
    for (const std::string path : {"E:\\notes.txt", "E:\\missing.bmp", "E:\\wide.bmp"}) {
        pictures_.outOfMemory = path == "E:\\wide.bmp";
        d.txtUserName.UserTyped(path);
        d.txtAvatarPath.UserTyped(path);
        d.cmdApply.Click();
        EXPECT_EQ(Told(), (Boxes{{"You have selected an invalid picture!", kExclaim}})) << path;
        EXPECT_NE(Settings().find("UserName=" + path), std::string::npos);
    }
    EXPECT_EQ(Avatar(), "old");
    EXPECT_EQ(applied_, 3) << "the main window is refreshed all the same";
}

TEST_F(OptionsTest, TheLanguageRuleSetsTheCaption) {
    EXPECT_EQ(ApplicationCaption("Dutch"), "Applicatie");
    for (const char* other : {"English", "dutch", "DUTCH", "", "French"})
        EXPECT_EQ(ApplicationCaption(other), "Application") << other;
    EXPECT_EQ(StoredLanguage(ini_, SettingsFile("E:\\")), "");
    EXPECT_FALSE(Exists("quopa_settings.dat")) << "reading adds nothing";
}

}  // namespace
}  // namespace quopa::testing
