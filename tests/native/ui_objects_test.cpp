// The control objects and forms without a window system: the state they keep, the events
// the windows rely on, and dialogs over the main window as the user meets them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/button.h"
#include "ui/headless/headless_backend.h"

namespace {

using platform::Picture;
using Strings = std::vector<std::string>;

// An item's key may point at a type's picture; the picture stays while one key uses it, and a
// freed slot takes no alias but the next picture.
TEST(ImageListObject, KeysAliasesAndRemovalShareAndReuseSlots) {
    const auto some = [] { return Picture(Picture::Kind::Icon, 1, nullptr); };
    ui::ImageList images;
    EXPECT_EQ(0, images.Add("browser", some()));
    EXPECT_EQ(-1, images.Add("browser", some()));
    EXPECT_EQ(-1, images.Add("Application1", Picture()));
    EXPECT_EQ(1, images.Add("Application1", some()));
    EXPECT_TRUE(images.AddAlias("Application2", 0));
    EXPECT_FALSE(images.AddAlias("Application2", 1) || images.AddAlias("Application3", 7));
    EXPECT_TRUE(images.Remove("browser") && images.Remove("Application1"));
    EXPECT_EQ(0, images.IndexOf("Application2"));
    EXPECT_FALSE(images.AddAlias("Application5", 1));
    EXPECT_EQ(1, images.Add("Application4", some()));
    images.Clear();
    EXPECT_EQ(-1, images.IndexOf("Application2"));
    EXPECT_EQ(0, images.Add("browser", some()));
}

// A shown owner and a dialog whose OK closes it and whose Cancel unloads it.
class Forms : public ::testing::Test {
  protected:
    void SetUp() override {
        owner.Create({.caption = "Owner", .bounds = {6000, 3000, 6000, 4000}});
        owner.Show();
        dialog.Create({.caption = "Dialog", .bounds = {0, 0, 3000, 2000}, .dialog = true});
        ok.Create(dialog, {.text = "OK", .isDefault = true});
        cancel.Create(dialog, {.text = "Cancel", .isCancel = true});
        ok.onClick = [this] { clicks.push_back("ok"), dialog.Close(); };
        cancel.onClick = [this] { clicks.push_back("cancel"), dialog.Unload(); };
        dialog.onUnload = [this] { clicks.push_back("unload"); };
    }

    ui::HeadlessBackend backend;
    ui::Form owner{backend}, dialog{backend};
    ui::Button ok, cancel;
    Strings clicks;
};

// The owner waits disabled, under a dialog over the dialog too (a new category from the
// wizard), and comes back after; a disabled default button ignores Enter.
TEST_F(Forms, AModalDialogIsCentredOverItsDisabledOwnerAndTheKeysPressItsButtons) {
    ui::Form inner{backend};
    inner.Create({.caption = "Inner", .bounds = {0, 0, 1000, 1000}, .dialog = true});
    bool ownerEnabledInside = true, shownInside = false, outerEnabledInside = true;
    backend.modalActions.push_back([&](ui::Form& f) {
        ownerEnabledInside = owner.Enabled();
        shownInside = f.Visible();
        inner.ShowModal(f);
        ok.SetEnabled(false);
        EXPECT_FALSE(f.PressEnter());
        EXPECT_TRUE(f.PressEscape());
    });
    backend.modalActions.push_back(
        [&](ui::Form&) { outerEnabledInside = dialog.Enabled() || owner.Enabled(); });
    dialog.ShowModal(owner);
    EXPECT_TRUE(!ownerEnabledInside && shownInside && !outerEnabledInside);
    EXPECT_TRUE(owner.Enabled());
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_EQ((Strings{"cancel", "unload"}), clicks);
    EXPECT_EQ((std::pair{dialog.GetBounds().left, dialog.GetBounds().top}),
              (std::pair{7500, 4000}));
}

}  // namespace
