// Dialogs over the main window as the user meets them: the owner waits, the dialog's own
// buttons answer Enter and Esc, and a closed dialog leaves its fields to be read.
#include <gtest/gtest.h>

#include <memory>

#include "ui/button.h"
#include "ui/form.h"
#include "ui/headless/headless_backend.h"

namespace {

class ModalFormTest : public ::testing::Test {
  protected:
    void SetUp() override {
        owner.Create({.caption = "Owner", .bounds = {0, 0, 6000, 4000}});
        owner.Show();
        dialog.Create({.caption = "Dialog", .bounds = {0, 0, 3000, 2000}, .dialog = true});
        ok.Create(dialog, {.text = "OK", .isDefault = true});
        cancel.Create(dialog, {.text = "Cancel", .isCancel = true});
        ok.onClick = [this] {
            ++okClicks;
            dialog.Close();
        };
        cancel.onClick = [this] {
            ++cancelClicks;
            dialog.Unload();
        };
        dialog.onUnload = [this] { ++unloads; };
    }

    ui::HeadlessBackend backend;
    ui::Form owner{backend}, dialog{backend};
    ui::Button ok, cancel;
    int okClicks = 0, cancelClicks = 0, unloads = 0;
};

TEST_F(ModalFormTest, OwnerIsDisabledWhileTheCentredDialogRunsAndComesBackAfter) {
    owner.Move(6000, 3000);
    bool ownerEnabledInside = true, shownInside = false;
    backend.modalActions.push_back([&](ui::Form& f) {
        ownerEnabledInside = owner.Enabled();
        shownInside = f.Visible();
        EXPECT_TRUE(f.PressEnter());
    });
    dialog.ShowModal(owner);
    EXPECT_FALSE(ownerEnabledInside);
    EXPECT_TRUE(shownInside);
    EXPECT_TRUE(owner.Enabled());
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(unloads, 1);
    EXPECT_EQ(backend.modalForms, std::vector<std::string>{"Dialog"});
    EXPECT_EQ(dialog.GetBounds().left, 6000 + (6000 - 3000) / 2);
    EXPECT_EQ(dialog.GetBounds().top, 3000 + (4000 - 2000) / 2);
}

TEST_F(ModalFormTest, EscPressesTheCancelButtonAndADisabledButtonIgnoresItsKey) {
    backend.modalActions.push_back([&](ui::Form& f) {
        ok.SetEnabled(false);
        EXPECT_FALSE(f.PressEnter());
        EXPECT_TRUE(f.PressEscape());
    });
    dialog.ShowModal(owner);
    EXPECT_EQ(okClicks, 0);
    EXPECT_EQ(cancelClicks, 1);
    EXPECT_EQ(unloads, 1);
}

TEST_F(ModalFormTest, QueryUnloadCanKeepTheDialogOpenUntilTheUserClosesIt) {
    bool keep = true;
    dialog.onQueryUnload = [&](ui::QueryUnloadEvent& e) { e.cancel = keep; };
    backend.modalActions.push_back([&](ui::Form& f) {
        EXPECT_FALSE(f.Close());
        EXPECT_TRUE(f.Loaded());
        keep = false;
        EXPECT_TRUE(f.Close());
    });
    dialog.ShowModal(owner);
    EXPECT_EQ(unloads, 1);
    dialog.Unload();  // once only
    EXPECT_EQ(unloads, 1);
}

TEST_F(ModalFormTest, ADialogOverADialogLeavesTheFirstOwnerDisabled) {
    ui::Form inner{backend};
    inner.Create({.caption = "Inner", .bounds = {0, 0, 1000, 1000}, .dialog = true});
    backend.modalActions.push_back([&](ui::Form& f) { inner.ShowModal(f); });
    bool outerEnabledInside = true, ownerEnabledInside = true;
    backend.modalActions.push_back([&](ui::Form&) {
        outerEnabledInside = dialog.Enabled();
        ownerEnabledInside = owner.Enabled();
    });
    dialog.ShowModal(owner);
    EXPECT_FALSE(outerEnabledInside);
    EXPECT_FALSE(ownerEnabledInside);
    EXPECT_TRUE(owner.Enabled());
    EXPECT_EQ(backend.modalForms, (std::vector<std::string>{"Dialog", "Inner"}));
}

// A window shown without waiting is destroyed by its holder after it unloads, from a posted
// task, never inside its own handler.
TEST(OwnedFormTest, IsDestroyedAfterItsUnloadFromAPostedTask) {
    ui::HeadlessBackend backend;
    ui::Form owner{backend};
    owner.Create({.caption = "Owner"});
    auto wizard = std::make_unique<ui::Form>(backend);
    wizard->Create({.caption = "Wizard", .bounds = {0, 0, 100, 100}, .dialog = true});
    ui::Button finish;
    finish.Create(*wizard, {.text = "Finish"});
    finish.onClick = [&] { wizard->Unload(); };
    wizard->onUnload = [&] { backend.Post([&] { wizard.reset(); }); };
    wizard->ShowOwned(owner);
    EXPECT_TRUE(owner.Enabled());
    finish.Click();
    EXPECT_NE(wizard, nullptr);  // still alive inside its own handler
    backend.DoEvents();
    EXPECT_EQ(wizard, nullptr);
}

}  // namespace
