// The control objects and forms without a window system: the state they keep, the events
// the windows rely on, and dialogs over the main window as the user meets them.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/button.h"
#include "ui/headless/headless_backend.h"
#include "ui/shortcut.h"

namespace {

using platform::Picture;
using Strings = std::vector<std::string>;

TEST(ImageListObject, KeysAliasesAndRemovalShareAndReuseSlots) {
    const auto some = [] { return Picture(Picture::Kind::Icon, 1, nullptr); };
    ui::ImageList images;
    EXPECT_EQ(0, images.Add("browser", some()));
    EXPECT_EQ(-1, images.Add("browser", some()));
    EXPECT_EQ(-1, images.Add("Application1", Picture()));
    EXPECT_EQ(1, images.Add("Application1", some()));
    EXPECT_TRUE(images.AddAlias("Application2", 0));
    EXPECT_FALSE(images.AddAlias("Application2", 1));
    EXPECT_FALSE(images.AddAlias("Application3", 7));
    EXPECT_EQ(0, images.IndexOf("Application2"));
    EXPECT_EQ(2, images.PictureCount());
    EXPECT_EQ(3u, images.KeyCount());
    // The shared picture stays while one key still uses it.
    EXPECT_TRUE(images.Remove("browser"));
    EXPECT_EQ(0, images.IndexOf("Application2"));
    EXPECT_TRUE(images.Remove("Application1"));
    EXPECT_FALSE(images.Remove("Application1"));
    EXPECT_EQ(1, images.PictureCount());
    EXPECT_FALSE(images.AddAlias("Application5", 1));  // a freed slot takes no alias
    EXPECT_EQ(1, images.Add("Application4", some()));
    EXPECT_EQ(2, images.Add("Application6", some()));
    images.Clear();
    EXPECT_EQ(0, images.PictureCount());
    EXPECT_EQ(-1, images.IndexOf("Application2"));
    EXPECT_EQ(0, images.Add("browser", some()));
}

TEST(MenuShortcut, TextNamesKeyAndModifiers) {
    ui::Shortcut s;
    ASSERT_TRUE(ui::ParseShortcut("shift+F12", s));
    EXPECT_TRUE(s.shift && !s.ctrl && s.key == 0x7B);
    ASSERT_TRUE(ui::ParseShortcut("Ctrl+I", s));
    EXPECT_TRUE(s.ctrl && s.key == 'I');
    ASSERT_TRUE(ui::ParseShortcut("Del", s));
    EXPECT_EQ(0x2E, s.key);
    for (const char* text : {"", "Ctrl+", "Hyper+X", "F25", "F1x", "é"})
        EXPECT_FALSE(ui::ParseShortcut(text, s)) << text;
}

// A shown owner and a dialog whose OK closes it and whose Cancel unloads it.
class Forms : public ::testing::Test {
  protected:
    void SetUp() override {
        owner.Create({.caption = "Owner", .bounds = {0, 0, 6000, 4000}});
        owner.Show();
        dialog.Create({.caption = "Dialog", .bounds = {0, 0, 3000, 2000}, .dialog = true});
        ok.Create(dialog, {.text = "OK", .isDefault = true});
        cancel.Create(dialog, {.text = "Cancel", .isCancel = true});
        ok.onClick = [this] {
            clicks.push_back("ok");
            dialog.Close();
        };
        cancel.onClick = [this] {
            clicks.push_back("cancel");
            dialog.Unload();
        };
        dialog.onUnload = [this] { clicks.push_back("unload"); };
    }

    ui::HeadlessBackend backend;
    ui::Form owner{backend}, dialog{backend};
    ui::Button ok, cancel;
    Strings clicks;
};

TEST_F(Forms, AFormStartsHiddenResizesOnStateChangesAndClosesOnConsent) {
    EXPECT_FALSE(dialog.Visible());
    int resizes = 0;
    dialog.onResize = [&] { ++resizes; };
    dialog.SetWindowState(ui::WindowState::Normal);
    EXPECT_EQ(0, resizes);
    dialog.SetWindowState(ui::WindowState::Minimized);
    EXPECT_EQ(1, resizes);
    dialog.SystemChangedState(ui::WindowState::Normal);
    EXPECT_EQ(2, resizes);
    EXPECT_EQ(ui::WindowState::Normal, dialog.State());
    EXPECT_TRUE(dialog.RequestClose());
    dialog.onQueryUnload = [](ui::QueryUnloadEvent& e) { e.cancel = true; };
    EXPECT_FALSE(dialog.RequestClose());
}

// The menu bar, then the added sources, then the last pop-up menu; an element of a menu
// array reports its index, and a disabled entry does nothing.
TEST_F(Forms, CommandsReachTheirEntriesAndMenuArrayElementsTheirIndex) {
    ui::MenuItem bar, tray, context;
    ui::MenuArray apps;
    ui::MenuItem& run = tray.Add({"R&un", 0, false});
    apps.Create(run, 1000, 1, "App");
    ui::MenuItem& seven = apps.Load(7);
    EXPECT_EQ(&seven, &apps.Load(7));
    EXPECT_EQ("App", seven.Caption());  // the first element's caption
    EXPECT_EQ(2u, run.Items().size());
    EXPECT_EQ(nullptr, apps.Element(3));

    bar.Add({"&File"}).Add({"&Exit", 10}).onClick = [&] { clicks.push_back("exit"); };
    apps.onClick = [&](int index) { clicks.push_back("app" + std::to_string(index)); };
    context.Add({"&Run", 30}).onClick = [&] { clicks.push_back("run"); };
    owner.SetMenuBar(&bar);
    owner.AddCommandSource(tray);
    EXPECT_TRUE(owner.RunCommand(10));
    EXPECT_TRUE(owner.RunCommand(1007));
    EXPECT_TRUE(owner.RunCommand(1001));
    seven.SetEnabled(false);
    EXPECT_TRUE(owner.RunCommand(1007));
    EXPECT_FALSE(owner.RunCommand(30));
    owner.PopupMenu(context);
    EXPECT_TRUE(owner.RunCommand(30));
    EXPECT_FALSE(owner.RunCommand(0));
    EXPECT_EQ((Strings{"exit", "app7", "app1", "run"}), clicks);
}

// A value outside the range is pulled into it; an empty range holds only its minimum.
TEST_F(Forms, ProgressBarKeepsItsValueInsideItsRangeEvenAnEmptyOne) {
    ui::ProgressBar bar;
    bar.Create(owner, {});
    bar.SetRange(0, 20);
    bar.SetValue(25);
    EXPECT_EQ(20, bar.Value());
    bar.SetRange(0, 0);
    EXPECT_EQ(0, bar.Value());
    bar.SetValue(-3);
    EXPECT_EQ(0, bar.Value());
}

// The owner waits disabled, under a dialog over the dialog too, and comes back after.
TEST_F(Forms, AModalDialogIsCentredOverItsDisabledOwnerAndEnterPressesItsDefault) {
    owner.Move(6000, 3000);
    ui::Form inner{backend};
    inner.Create({.caption = "Inner", .bounds = {0, 0, 1000, 1000}, .dialog = true});
    bool ownerEnabledInside = true, shownInside = false, outerEnabledInside = true;
    backend.modalActions.push_back([&](ui::Form& f) {
        ownerEnabledInside = owner.Enabled();
        shownInside = f.Visible();
        inner.ShowModal(f);
        EXPECT_TRUE(f.PressEnter());
    });
    backend.modalActions.push_back(
        [&](ui::Form&) { outerEnabledInside = dialog.Enabled() || owner.Enabled(); });
    dialog.ShowModal(owner);
    EXPECT_FALSE(ownerEnabledInside);
    EXPECT_TRUE(shownInside);
    EXPECT_FALSE(outerEnabledInside);
    EXPECT_TRUE(owner.Enabled());
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_EQ((Strings{"ok", "unload"}), clicks);
    EXPECT_EQ(backend.modalForms, (Strings{"Dialog", "Inner"}));
    EXPECT_EQ(dialog.GetBounds().left, 6000 + (6000 - 3000) / 2);
    EXPECT_EQ(dialog.GetBounds().top, 3000 + (4000 - 2000) / 2);
}

TEST_F(Forms, EscPressesTheCancelButtonAndADisabledButtonIgnoresItsKey) {
    backend.modalActions.push_back([&](ui::Form& f) {
        ok.SetEnabled(false);
        EXPECT_FALSE(f.PressEnter());
        EXPECT_TRUE(f.PressEscape());
    });
    dialog.ShowModal(owner);
    EXPECT_EQ((Strings{"cancel", "unload"}), clicks);
}

TEST_F(Forms, QueryUnloadCanKeepTheDialogOpenUntilTheUserClosesIt) {
    bool keep = true;
    dialog.onQueryUnload = [&](ui::QueryUnloadEvent& e) { e.cancel = keep; };
    backend.modalActions.push_back([&](ui::Form& f) {
        EXPECT_FALSE(f.Close());
        EXPECT_TRUE(f.Loaded());
        keep = false;
        EXPECT_TRUE(f.Close());
    });
    dialog.ShowModal(owner);
    dialog.Unload();  // once only
    EXPECT_EQ(Strings{"unload"}, clicks);
}

// A window shown without waiting is destroyed by its holder after it unloads, from a posted
// task, never inside its own handler.
TEST_F(Forms, AnOwnedFormIsDestroyedAfterItsUnloadFromAPostedTask) {
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
