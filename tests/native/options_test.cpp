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
    // Applies a 3 x 2 picture as the avatar and reads back the file made of it.
    platform::Image ApplyPicture() {
        Put("wide.bmp", Rgb24Sample().Bytes());
        frmOptions& d = Open();
        d.txtAvatarPath.UserTyped("E:\\wide.bmp");
        d.cmdApply.Click();
        platform::Image saved;
        EXPECT_TRUE(platform::DecodeBmp(Avatar(), saved));
        return saved;
    }

    std::unique_ptr<frmOptions> dlg_;
    int applied_ = 0;
};

TEST_F(OptionsTest, OpeningShowsTheStoredDetailsAndAddsNothingToTheFile) {
    Put("quopa_settings.dat", kAllKeys);
    frmOptions& d = Open();
    EXPECT_EQ(d.txtUserName.Text(), "Ann");
    EXPECT_EQ(d.txtAddress.Text(), "1 Main St");
    EXPECT_EQ(d.txtCity.Text(), "Ghent");
    EXPECT_EQ(d.txtPhone.Text(), "555");
    EXPECT_EQ(d.txtEmail.Text(), "ann@example.org");
    EXPECT_EQ(d.txtAvatarPath.Text(), "");
    EXPECT_EQ(d.cmbLanguage.Text(), "Dutch");
    EXPECT_EQ(d.cmbLanguage.ListCount(), 2);
    EXPECT_TRUE(d.cmdApply.Enabled());
    EXPECT_TRUE(d.chkPortableApps.Enabled());
    EXPECT_EQ(d.chkPortableApps.Value(), 0);
    EXPECT_EQ(d.txtUserName.MaxLength(), 20);
    EXPECT_EQ(d.txtPhone.MaxLength(), 25);
    EXPECT_EQ(Settings(), kAllKeys);
}

TEST_F(OptionsTest, AFileWithoutTheSectionsStaysUntouched) {
    Put("quopa_settings.dat", "[Other]\r\nx=1\r\n");
    frmOptions& d = Open();
    EXPECT_EQ(d.txtUserName.Text(), "");
    EXPECT_EQ(d.cmbLanguage.Text(), "English");
    EXPECT_EQ(Settings(), "[Other]\r\nx=1\r\n");
}

TEST_F(OptionsTest, AnUnknownOrLowerCaseLanguageShowsEnglishAndOkStoresIt) {
    for (const char* stored : {"French", "dutch", ""}) {
        SCOPED_TRACE(stored);
        Put("quopa_settings.dat", std::string("[Settings]\r\nLanguage=") + stored + "\r\n");
        frmOptions& d = Open();
        EXPECT_EQ(d.cmbLanguage.Text(), "English");
        d.cmdOK.Click();
        EXPECT_NE(Settings().find("Language=English\r\n"), std::string::npos);
        EXPECT_FALSE(d.form.Loaded());
    }
}

TEST_F(OptionsTest, ApplyWritesTheKeysInOrderAsTyped) {
    frmOptions& d = Open();
    d.txtUserName.UserTyped("Ann");
    d.txtAddress.UserTyped("1 Main St");
    d.txtCity.UserTyped("Ghent");
    d.txtPhone.UserTyped("555");
    d.txtEmail.UserTyped("ann@example.org");
    d.cmbLanguage.UserPicked(1);
    d.cmdApply.Click();
    EXPECT_EQ(Settings(), kAllKeys);
    EXPECT_EQ(applied_, 1);
    EXPECT_TRUE(desktop_.messages.empty()) << "an empty avatar path is silent";
    EXPECT_TRUE(d.form.Loaded());
}

TEST_F(OptionsTest, ApplyIsEnabledByEditsAndPicksButNotByTheLanguage) {
    fileDialog_.answers.push_back(platform::HeadlessFileDialog::Chosen("E:\\me.bmp"));
    frmOptions& d = Open();
    d.cmdApply.Click();
    EXPECT_FALSE(d.cmdApply.Enabled());
    d.cmbLanguage.UserPicked(1);
    EXPECT_FALSE(d.cmdApply.Enabled());
    d.txtCity.UserTyped("Ghent");
    EXPECT_TRUE(d.cmdApply.Enabled());
    d.cmdApply.Click();
    d.cmdSelectAvatar.Click();
    EXPECT_EQ(d.txtAvatarPath.Text(), "E:\\me.bmp");
    EXPECT_TRUE(d.cmdApply.Enabled());

    // OK saves the language even with Apply disabled.
    d.cmdApply.Click();
    d.cmbLanguage.UserPicked(0);
    d.cmdOK.Click();
    EXPECT_NE(Settings().find("Language=English"), std::string::npos);
    EXPECT_EQ(applied_, 4);
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
    EXPECT_TRUE(owner_.Enabled());
    EXPECT_NE(Settings().find("UserName=Bob\r\n"), std::string::npos);
    EXPECT_EQ(applied_, 1);
}

// A locked stick must not look saved: the dialog says so and keeps what was typed.
TEST_F(OptionsTest, ARefusedWriteIsToldAndOkKeepsTheDialogOpen) {
    Put("quopa_settings.dat", kAllKeys);
    chmod(Host("quopa_settings.dat").c_str(), 0444);
    frmOptions& d = Open();
    d.txtUserName.UserTyped("Bob");
    d.cmdOK.Click();
    ASSERT_EQ(desktop_.messages.size(), 1u);
    EXPECT_EQ(desktop_.messages[0].text,
              CouldNotSave("settings", SettingsFile(ctx_.programFolder)));
    EXPECT_TRUE(d.form.Loaded());
    EXPECT_TRUE(d.cmdApply.Enabled());
    EXPECT_EQ(d.txtUserName.Text(), "Bob");
    EXPECT_EQ(Settings(), kAllKeys);
}

// The picture was fine; the drive refused the file, as it may refuse the details.
TEST_F(OptionsTest, AnAvatarTheDriveRefusesIsToldAsNotSavedAndOkKeepsTheDialogOpen) {
    Put("wide.bmp", Rgb24Sample().Bytes());
    Put("quopa_ava.bmp", "old");
    chmod(Host("quopa_ava.bmp").c_str(), 0444);
    frmOptions& d = Open();
    d.txtAvatarPath.UserTyped("E:\\wide.bmp");
    d.cmdOK.Click();
    ASSERT_EQ(desktop_.messages.size(), 1u);
    EXPECT_EQ(desktop_.messages[0].text, CouldNotSave("avatar", AvatarFile(ctx_.programFolder)));
    EXPECT_EQ(desktop_.messages[0].style, platform::kMbIconCritical | platform::kMbOk);
    EXPECT_TRUE(d.form.Loaded());
    EXPECT_TRUE(d.cmdApply.Enabled());
    EXPECT_EQ(Avatar(), "old");
}

TEST_F(OptionsTest, AChosenPictureBecomesASquareBmpOfThePictureBoxInside) {
    const platform::Image saved = ApplyPicture();
    EXPECT_EQ(saved.width, 37);
    EXPECT_EQ(saved.height, 37);
    EXPECT_EQ(saved.At(0, 0), 0xFF0000u);
    EXPECT_EQ(saved.At(36, 36), 0x808080u);
    EXPECT_TRUE(desktop_.messages.empty());
    EXPECT_EQ(applied_, 1);
    // At the drive root the name has one separator.
    EXPECT_EQ(AvatarFile("E:\\"), "E:\\quopa_ava.bmp");
}

TEST_F(OptionsTest, TheSquareFollowsTheScreensPixelSize) {
    desktop_.screen.dpiX = desktop_.screen.dpiY = 192;
    EXPECT_EQ(ApplyPicture().width, 78);
}

TEST_F(OptionsTest, WhatIsNoPictureIsToldAndLeavesTheOldAvatar) {
    Put("quopa_ava.bmp", "old");
    Put("notes.txt", "not a picture");
    Put("wide.bmp", Rgb24Sample().Bytes());
    frmOptions& d = Open();
    // The last is a picture too large for what the process has left.
    for (const char* path : {"E:\\notes.txt", "E:\\missing.bmp", "E:\\wide.bmp"}) {
        desktop_.messages.clear();
        pictures_.outOfMemory = std::string(path) == "E:\\wide.bmp";
        d.txtUserName.UserTyped(path);
        d.txtAvatarPath.UserTyped(path);
        d.cmdApply.Click();
        ASSERT_EQ(desktop_.messages.size(), 1u) << path;
        EXPECT_EQ(desktop_.messages[0].text, "You have selected an invalid picture!");
        EXPECT_EQ(desktop_.messages[0].title, kAppTitle);
        EXPECT_EQ(desktop_.messages[0].style, platform::kMbIconExclamation | platform::kMbOk);
        EXPECT_NE(Settings().find(std::string("UserName=") + path), std::string::npos);
    }
    EXPECT_EQ(Avatar(), "old");
    EXPECT_EQ(applied_, 3) << "the main window is refreshed all the same";
}

TEST_F(OptionsTest, TheFileDialogIsAskedForPicturesAndItsFailuresAreTold) {
    fileDialog_.answers = {platform::HeadlessFileDialog::Cancelled(),
                           platform::HeadlessFileDialog::Failed(12290, "Buffer too small")};
    frmOptions& d = Open();
    d.cmdApply.Click();
    d.cmdSelectAvatar.Click();
    EXPECT_TRUE(desktop_.messages.empty());
    EXPECT_FALSE(d.cmdApply.Enabled());
    d.cmdSelectAvatar.Click();
    ASSERT_EQ(desktop_.messages.size(), 1u);
    EXPECT_EQ(desktop_.messages[0].text, "Error 12290 selecting file.\r\nBuffer too small");
    EXPECT_EQ(desktop_.messages[0].style, platform::kMbOk);
    EXPECT_EQ(d.txtAvatarPath.Text(), "");

    const platform::OpenFileArgs& asked = fileDialog_.calls.at(0);
    EXPECT_EQ(asked.title, "Select an image");
    EXPECT_EQ(asked.filter, "Pictures (*.bmp;*.gif;*.jpg)|*.bmp;*.gif;*.jpg");
    EXPECT_EQ(asked.filterIndex, 1);
    EXPECT_EQ(asked.flags, 0x281004u);
    EXPECT_EQ(asked.initialFolder, "E:\\");
}

TEST_F(OptionsTest, TheLanguageRuleSetsTheCaptionBothWays) {
    EXPECT_EQ(ApplicationCaption("Dutch"), "Applicatie");
    for (const char* other : {"English", "dutch", "DUTCH", "", "French"})
        EXPECT_EQ(ApplicationCaption(other), "Application") << other;

    const std::string file = SettingsFile("E:\\");
    EXPECT_EQ(StoredLanguage(ini_, file), "");
    EXPECT_FALSE(Exists("quopa_settings.dat")) << "reading adds nothing";
    frmOptions& d = Open();
    d.cmbLanguage.UserPicked(1);
    d.cmdApply.Click();
    EXPECT_EQ(ApplicationCaption(StoredLanguage(ini_, file)), "Applicatie");
    d.cmbLanguage.UserPicked(0);
    d.cmdOK.Click();
    EXPECT_EQ(ApplicationCaption(StoredLanguage(ini_, file)), "Application");
}

}  // namespace
}  // namespace quopa::testing
