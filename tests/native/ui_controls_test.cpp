// The dialog controls without a window system: each change raises its event exactly once,
// whoever made it, and the objects keep the rules that the dialogs rely on.
#include <gtest/gtest.h>

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

// The length limit cuts the user's typing, not the program's text, which may be a stored
// name longer than the box lets one type.
TEST_F(Controls, TextBoxRaisesChangeOnceForEachChangeAndLimitsOnlyTheUser) {
    ui::TextBox box;
    box.Create(form, {.text = "Search...", .maxLength = 5});
    box.onChange = Note("change");
    box.SetText("");
    box.SetText("");
    box.UserTyped("Johnny");
    EXPECT_EQ("Johnn", box.Text());
    box.SetText("John Doe");
    EXPECT_EQ("John Doe", box.Text());
    EXPECT_EQ(Strings(3, "change"), events);
}

// Only the selected one clicks; the user cannot choose a disabled button, the program can.
// A frame holds a group of its own, which may outlive it.
TEST_F(Controls, OptionButtonsClearTheOthersOfTheirGroupOnly) {
    ui::OptionButton application, web, folder, first, second;
    application.Create(form, {.text = "Application"});
    web.Create(form, {.text = "Web Link"});
    folder.Create(form, {.text = "Link to a folder", .enabled = false});
    {
        ui::Frame frame;
        frame.Create(form, {});
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
    EXPECT_EQ((Strings{"Application", "First", "Second", "Web Link", "Link to a folder"}), events);
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
    EXPECT_EQ((Strings{"1Maximized", "2Minimized", "0Normal"}), events);
}

}  // namespace
