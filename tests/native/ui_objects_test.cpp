// The control objects and forms without a window system: the state they keep, the events
// the windows rely on (each change raises its event exactly once, whoever made it), and
// dialogs over the main window as the user meets them.
#include <gtest/gtest.h>

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
}

// A shown owner and a dialog whose OK closes it and whose Cancel unloads it; `clicks` notes
// who fired.
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
    std::function<void()> Note(const std::string& who) {
        return [this, who] { clicks.push_back(who); };
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
    EXPECT_EQ((Strings{"cancel", "unload"}), clicks);
    EXPECT_EQ((std::pair{dialog.GetBounds().left, dialog.GetBounds().top}),
              (std::pair{7500, 4000}));
}

// Only the selected one clicks; the user cannot choose a disabled button, the program can.
// A frame holds a group of its own, which may outlive it.
TEST_F(Forms, OptionButtonsClearTheOthersOfTheirGroupOnly) {
    ui::OptionButton application, web, folder, first, second;
    application.Create(dialog, {.text = "Application"});
    web.Create(dialog, {.text = "Web Link"});
    folder.Create(dialog, {.text = "Link to a folder", .enabled = false});
    {
        ui::Frame frame;
        frame.Create(dialog, {});
        first.Create(frame, {.text = "First"});
        second.Create(frame, {.text = "Second"});
    }
    const auto all = {&application, &web, &folder, &first, &second};
    for (auto* option : all) option->onClick = Note(option->Text());
    const auto selected = [&] {
        Strings on;
        for (auto* option : all)
            if (option->Value()) on.push_back(option->Text());
        return on;
    };
    application.SetValue(true);
    first.SetValue(true);
    second.SetValue(true);
    web.UserClicked();
    web.UserClicked();  // already selected: no change
    folder.UserClicked();
    EXPECT_EQ((Strings{"Web Link", "Second"}), selected());
    folder.SetValue(true);
    web.SetValue(false);  // clearing raises nothing
    EXPECT_EQ((Strings{"Application", "First", "Second", "Web Link", "Link to a folder"}), clicks);
}

// The length limit cuts the user's typing, not the program's text, which may be a stored
// name longer than the box lets one type. Index changes raise a click once; what is outside
// the list changes nothing, and Clear leaves nothing picked without a click.
TEST_F(Forms, TextBoxAndDropDownRaiseTheirEventOnceForEachChange) {
    ui::TextBox box;
    box.Create(dialog, {.text = "Search...", .maxLength = 5});
    box.onChange = Note("change");
    box.SetText("");
    box.SetText("");
    box.UserTyped("Johnny");
    EXPECT_EQ("Johnn", box.Text());
    box.SetText("John Doe");
    EXPECT_EQ("John Doe", box.Text());
    EXPECT_EQ(Strings(3, "change"), clicks);
    clicks.clear();
    ui::ComboBox list;
    list.Create(dialog, {.text = "ignored"});
    for (const char* style : {"Normal", "Maximized", "Minimized"}) list.AddItem(style);
    const auto state = [&] { return std::to_string(list.ListIndex()) + list.Text(); };
    list.onClick = [&] { clicks.push_back(state()); };
    EXPECT_EQ(state(), "-1");
    EXPECT_TRUE(list.SetListIndex(1));
    list.SetText("Maximized");
    list.SetText("maximized");  // exact text only
    EXPECT_FALSE(list.SetListIndex(3));
    EXPECT_FALSE(list.SetListIndex(-2));
    list.UserPicked(-1);  // the user cannot pick nothing
    EXPECT_EQ(state(), "1Maximized");
    list.UserPicked(2);
    list.SetListIndex(0);
    list.Clear();
    list.AddItem("English");
    list.SetEnabled(false);
    list.UserPicked(0);
    EXPECT_EQ(state(), "-1");
    EXPECT_EQ((Strings{"1Maximized", "2Minimized", "0Normal"}), clicks);
}

}  // namespace
