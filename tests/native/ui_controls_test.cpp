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

// The length limit cuts the user's typing, not the program's text; a cut that leaves the
// text as it was is no change.
TEST_F(Controls, TextBoxRaisesChangeOnceForEachChangeAndLimitsOnlyTheUser) {
    ui::TextBox box, path;
    box.Create(form, {.text = "Search...", .maxLength = 5});
    box.onChange = Note("change");
    box.SetText("");
    box.SetText("");
    box.UserTyped("Johnny");
    box.UserTyped("Johnny Doe");
    EXPECT_EQ("Johnn", box.Text());
    EXPECT_EQ((Strings{"change", "change"}), events);
    box.SetText("John Doe");
    EXPECT_EQ("John Doe", box.Text());
    path.Create(form, {.maxLength = -1});  // no limit
    path.UserTyped(std::string(300, 'x'));
    EXPECT_EQ(300u, path.Text().size());
}

TEST_F(Controls, CheckBoxRaisesClickOnceForEachChangeAndADisabledOneIgnoresOnlyTheUser) {
    ui::CheckBox box;
    box.Create(form, {.text = "Start when Quopa starts"});
    box.onClick = [&] { events.push_back(std::to_string(box.Value())); };
    box.SetValue(1);
    box.SetValue(7);  // still ticked: no change
    EXPECT_EQ(1, box.Value());
    box.UserClicked();
    box.SetEnabled(false);
    box.UserClicked();
    box.SetValue(1);
    EXPECT_EQ((Strings{"1", "0", "1"}), events);
}

// Three types on one page, the third disabled; a second group beside them; a third group
// in a frame of its own. Only the selected one clicks; the user cannot choose a disabled
// button, the program can.
TEST_F(Controls, OptionButtonsClearTheOthersOfTheirGroupOnly) {
    ui::OptionButton application, web, folder, small, large, inFrame;
    ui::Frame frame;
    application.Create(form, {.text = "Application"});
    web.Create(form, {.text = "Web Link"});
    folder.Create(form, {.text = "Link to a folder", .enabled = false});
    small.Create(form, {.text = "Small", .groupStart = true});
    large.Create(form, {.text = "Large"});
    frame.Create(form, {.text = "Frame"});
    inFrame.Create(frame, {.text = "Inside"});
    const auto all = {&application, &web, &folder, &small, &large, &inFrame};
    for (auto* option : all) option->onClick = Note(option->Text());
    const auto selected = [&] {
        Strings on;
        for (auto* option : all)
            if (option->Value()) on.push_back(option->Text());
        return on;
    };
    application.SetValue(true);
    large.SetValue(true);
    inFrame.SetValue(true);
    web.UserClicked();
    web.UserClicked();  // already selected: no change
    EXPECT_EQ((Strings{"Web Link", "Large", "Inside"}), selected());
    folder.UserClicked();
    EXPECT_EQ((Strings{"Web Link", "Large", "Inside"}), selected());
    folder.SetValue(true);
    web.SetValue(false);  // clearing raises nothing
    EXPECT_EQ((Strings{"Link to a folder", "Large", "Inside"}), selected());
    EXPECT_EQ((Strings{"Application", "Large", "Inside", "Web Link", "Link to a folder"}), events);
    EXPECT_TRUE(application.StartsGroup());
    EXPECT_FALSE(web.StartsGroup());
    EXPECT_TRUE(inFrame.StartsGroup());  // the first in its container
    EXPECT_EQ(3u, application.Group()->members.size());

    auto extra = std::make_unique<ui::OptionButton>();
    extra->Create(form, {.text = "Extra"});  // joins Small and Large
    extra->SetValue(true);
    extra.reset();
    small.SetValue(true);
    EXPECT_EQ(2u, small.Group()->members.size());
    EXPECT_EQ((Strings{"Link to a folder", "Small", "Inside"}), selected());
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

// Index changes raise a click once; what is outside the list changes nothing, and Clear
// leaves nothing picked without a click.
TEST_F(Controls, DropDownPicksOnlyWhatItsListHolds) {
    ui::ComboBox list;
    list.Create(form, {.text = "ignored"});
    for (const char* style : {"Normal", "Maximized", "Minimized"}) list.AddItem(style);
    const auto state = [&] { return std::to_string(list.ListIndex()) + list.Text(); };
    list.onClick = [&] { events.push_back(state()); };
    EXPECT_EQ(state(), "-1");
    EXPECT_TRUE(list.SetListIndex(1));
    list.SetText("Maximized");
    list.SetText("maximized");  // exact text only
    list.SetText("Hidden");
    EXPECT_FALSE(list.SetListIndex(3));
    EXPECT_FALSE(list.SetListIndex(-2));
    list.UserPicked(-1);  // the user cannot pick nothing
    EXPECT_EQ(state(), "1Maximized");
    list.UserPicked(2);
    EXPECT_EQ("", list.List(3));
    EXPECT_TRUE(list.SetListIndex(-1));
    list.SetListIndex(0);
    list.Clear();
    EXPECT_EQ(0, list.ListCount());
    list.AddItem("English");
    list.SetEnabled(false);
    list.UserPicked(0);
    EXPECT_EQ(state(), "-1");
    EXPECT_EQ((Strings{"1Maximized", "2Minimized", "-1", "0Normal"}), events);
}

TEST_F(Controls, OnlyTheCurrentPageShowsAndEachPageCoversTheControl) {
    ui::PageControl pages;
    pages.Create(form, {.bounds = {-120, -120, 5895, 5415}});
    ui::Page& chooseType = pages.AddPage("ChooseType");
    ui::Page& typeApp = pages.AddPage("TypeApp");
    ui::Button next;
    next.Create(chooseType, {.text = "&Next"});
    const auto shown = [&] {
        return std::to_string(pages.CurrentPage()) + (chooseType.Visible() ? " choose" : "") +
               (typeApp.Visible() ? " app" : "") + (next.Visible() ? " next" : "");
    };
    EXPECT_EQ(shown(), "0 choose next");
    EXPECT_EQ(5415, typeApp.GetBounds().height);
    EXPECT_EQ(0, typeApp.GetBounds().left);
    EXPECT_TRUE(pages.SetCurrentPage(1));
    EXPECT_FALSE(pages.SetCurrentPage(2));
    EXPECT_FALSE(pages.SetCurrentPage(-1));
    // The control keeps its own state; its page hides it.
    EXPECT_EQ(shown(), "1 app next");
}

}  // namespace
