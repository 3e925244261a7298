// The dialog controls without a window system: each change raises its event exactly once,
// whoever made it, and the objects keep the rules that the dialogs rely on.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/headless/headless_backend.h"

namespace {

using Strings = std::vector<std::string>;

class Controls : public ::testing::Test {
  protected:
    void SetUp() override {
        form.Create({.caption = "Dialog", .clientWidth = 6255, .clientHeight = 5715});
    }
    // An event handler that writes down who fired.
    std::function<void()> Note(const std::string& who) {
        return [this, who] { events.push_back(who); };
    }

    ui::HeadlessBackend backend;
    ui::Form form{backend};
    Strings events;
};

TEST_F(Controls, TextBoxRaisesChangeOnceForTheProgramsTextAndTheUsersButNotForNoChange) {
    ui::TextBox box;
    box.Create(form, {.text = "Search..."});
    box.onChange = Note("change");
    box.SetText("");
    box.SetText("");
    box.UserTyped("m");
    box.UserTyped("m");
    EXPECT_EQ((Strings{"change", "change"}), events);
    EXPECT_EQ("m", box.Text());
}

TEST_F(Controls, TextBoxLengthLimitCutsTheUsersTypingButNotTheProgramsText) {
    ui::TextBox name;
    name.Create(form, {.maxLength = 5});
    name.onChange = Note("change");
    name.UserTyped("Johnny");
    EXPECT_EQ("Johnn", name.Text());
    name.UserTyped("Johnny Doe");  // the cut leaves the text as it was: no change
    EXPECT_EQ(Strings{"change"}, events);
    name.SetText("John Doe");
    EXPECT_EQ("John Doe", name.Text());

    ui::TextBox path;
    path.Create(form, {.maxLength = -1});  // no limit
    path.UserTyped(std::string(300, 'x'));
    EXPECT_EQ(300u, path.Text().size());
}

TEST_F(Controls, CheckBoxRaisesClickOnceForEachChangeAndADisabledOneIgnoresOnlyTheUser) {
    ui::CheckBox autorun;
    autorun.Create(form, {.text = "Start when Quopa starts"});
    autorun.onClick = Note("click");
    autorun.SetValue(1);
    autorun.SetValue(7);  // still ticked: no change
    EXPECT_EQ(1, autorun.Value());
    autorun.UserClicked();
    EXPECT_EQ(0, autorun.Value());
    EXPECT_EQ((Strings{"click", "click"}), events);

    autorun.SetEnabled(false);
    autorun.UserClicked();
    EXPECT_EQ(0, autorun.Value());
    autorun.SetValue(1);
    EXPECT_EQ(3u, events.size());
}

// Three types on one page, the third disabled; a second group beside them; a third group
// in a frame of its own.
class OptionGroups : public Controls {
  protected:
    void SetUp() override {
        Controls::SetUp();
        application.Create(form, {.text = "Application"});
        web.Create(form, {.text = "Web Link"});
        folder.Create(form, {.text = "Link to a folder", .enabled = false});
        small.Create(form, {.text = "Small", .groupStart = true});
        large.Create(form, {.text = "Large"});
        frame.Create(form, {.text = "Frame"});
        inFrame.Create(frame, {.text = "Inside"});
        for (auto* option : {&application, &web, &folder, &small, &large, &inFrame}) {
            option->onClick = Note(option->Text());
        }
    }
    Strings Selected() {
        Strings on;
        for (auto* option : {&application, &web, &folder, &small, &large, &inFrame}) {
            if (option->Value()) on.push_back(option->Text());
        }
        return on;
    }
    ui::OptionButton application, web, folder, small, large;
    ui::Frame frame;
    ui::OptionButton inFrame;
};

TEST_F(OptionGroups, SelectingOneClearsTheOthersOfItsGroupOnlyAndOnlyTheSelectedOneClicks) {
    application.SetValue(true);
    large.SetValue(true);
    inFrame.SetValue(true);
    web.UserClicked();
    web.UserClicked();  // already selected: no change
    EXPECT_EQ((Strings{"Web Link", "Large", "Inside"}), Selected());
    EXPECT_EQ((Strings{"Application", "Large", "Inside", "Web Link"}), events);
    EXPECT_TRUE(application.StartsGroup());
    EXPECT_FALSE(web.StartsGroup());
    EXPECT_TRUE(inFrame.StartsGroup());  // the first in its container
    EXPECT_EQ(3u, application.Group()->members.size());
}

TEST_F(OptionGroups, TheUserCannotChooseADisabledButtonButTheProgramCan) {
    application.SetValue(true);
    folder.UserClicked();
    EXPECT_EQ((Strings{"Application"}), Selected());
    folder.SetValue(true);
    EXPECT_EQ((Strings{"Link to a folder"}), Selected());
    application.SetValue(false);  // clearing raises nothing
    EXPECT_EQ((Strings{"Application", "Link to a folder"}), events);
}

TEST_F(OptionGroups, AButtonGoneFromItsGroupIsNeverTouchedAgain) {
    auto extra = std::make_unique<ui::OptionButton>();
    extra->Create(form, {.text = "Extra"});  // joins Small and Large
    extra->SetValue(true);
    extra.reset();
    small.SetValue(true);
    EXPECT_EQ(2u, small.Group()->members.size());
    EXPECT_EQ((Strings{"Small"}), Selected());
}

TEST_F(Controls, OptionButtonsMayOutliveTheirContainer) {
    ui::OptionButton first, second;
    {
        ui::Frame frame;
        frame.Create(form, {});
        first.Create(frame, {.text = "First"});
        second.Create(frame, {.text = "Second"});
    }
    first.SetValue(true);
    second.SetValue(true);
    EXPECT_FALSE(first.Value());
}

class DropDown : public Controls {
  protected:
    void SetUp() override {
        Controls::SetUp();
        list.Create(form, {.text = "ignored"});
        for (const char* style : {"Normal", "Maximized", "Minimized"}) list.AddItem(style);
        list.onClick = Note("click");
    }
    ui::ComboBox list;
};

TEST_F(DropDown, IndexChangesRaiseClickOnceAndWhatIsOutsideTheListChangesNothing) {
    EXPECT_EQ(-1, list.ListIndex());
    EXPECT_TRUE(list.SetListIndex(1));
    list.SetText("Maximized");
    EXPECT_EQ("Maximized", list.Text());
    list.SetText("maximized");  // exact text only
    list.SetText("Hidden");
    EXPECT_FALSE(list.SetListIndex(3));
    EXPECT_FALSE(list.SetListIndex(-2));
    list.UserPicked(-1);  // the user cannot pick nothing
    EXPECT_EQ(1, list.ListIndex());
    EXPECT_EQ(Strings{"click"}, events);
    list.UserPicked(2);
    EXPECT_EQ("Minimized", list.Text());
    EXPECT_EQ("", list.List(3));
    EXPECT_TRUE(list.SetListIndex(-1));
    EXPECT_EQ("", list.Text());
    EXPECT_EQ(3u, events.size());
}

TEST_F(DropDown, ClearLeavesNothingPickedWithoutAClickAndADisabledListIgnoresTheUser) {
    list.SetListIndex(0);
    list.Clear();
    EXPECT_EQ(0, list.ListCount());
    EXPECT_EQ(-1, list.ListIndex());
    EXPECT_EQ("", list.Text());
    list.AddItem("English");
    list.SetEnabled(false);
    list.UserPicked(0);
    EXPECT_EQ(-1, list.ListIndex());
    EXPECT_EQ(Strings{"click"}, events);
}

TEST_F(Controls, OnlyTheCurrentPageShowsAndEachPageCoversTheControl) {
    ui::PageControl pages;
    pages.Create(form, {.bounds = {-120, -120, 5895, 5415}});
    ui::Page& chooseType = pages.AddPage("ChooseType");
    ui::Page& typeApp = pages.AddPage("TypeApp");
    ui::Button next;
    next.Create(chooseType, {.text = "&Next"});
    EXPECT_EQ(0, pages.CurrentPage());
    EXPECT_TRUE(chooseType.Visible());
    EXPECT_FALSE(typeApp.Visible());
    EXPECT_EQ(5415, typeApp.GetBounds().height);
    EXPECT_EQ(0, typeApp.GetBounds().left);

    EXPECT_TRUE(pages.SetCurrentPage(1));
    EXPECT_FALSE(chooseType.Visible());
    EXPECT_TRUE(typeApp.Visible());
    EXPECT_TRUE(next.Visible());  // the control keeps its own state; its page hides it
    EXPECT_FALSE(pages.SetCurrentPage(2));
    EXPECT_FALSE(pages.SetCurrentPage(-1));
    EXPECT_EQ(1, pages.CurrentPage());
    EXPECT_TRUE(typeApp.Visible());
}

}  // namespace
