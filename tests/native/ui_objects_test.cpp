// The control objects without a window system: the state they keep and the events the
// windows rely on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/headless/headless_backend.h"
#include "ui/shortcut.h"

namespace {

using platform::Picture;
using Strings = std::vector<std::string>;

// A form of a designed size.
class Objects : public ::testing::Test {
  protected:
    void SetUp() override {
        ui::FormArgs args;
        args.clientWidth = 11460;
        args.clientHeight = 5790;
        form.Create(args);
    }
    ui::HeadlessBackend backend;
    ui::Form form{backend};
};

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

TEST_F(Objects, FormStartsHiddenResizesOnStateChangesAndClosesOnConsent) {
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(11460, form.GetBounds().width);  // headless, the outer size is the client area
    int resizes = 0;
    form.onResize = [&] { ++resizes; };
    form.SetWindowState(ui::WindowState::Normal);
    EXPECT_EQ(0, resizes);
    form.SetWindowState(ui::WindowState::Minimized);
    EXPECT_EQ(1, resizes);
    form.SystemChangedState(ui::WindowState::Normal);
    EXPECT_EQ(2, resizes);
    EXPECT_EQ(ui::WindowState::Normal, form.State());
    EXPECT_TRUE(form.RequestClose());
    form.onQueryUnload = [](ui::QueryUnloadEvent& e) { e.cancel = true; };
    EXPECT_FALSE(form.RequestClose());
}

// The menu bar, then the added sources, then the last pop-up menu; an element of a menu
// array reports its index, and a disabled entry does nothing.
TEST_F(Objects, CommandsReachTheirEntriesAndMenuArrayElementsTheirIndex) {
    ui::MenuItem bar, tray, context;
    ui::MenuArray apps;
    ui::MenuItem& run = tray.Add({"R&un", 0, false});
    apps.Create(run, 1000, 1, "App");
    ui::MenuItem& seven = apps.Load(7);
    EXPECT_EQ(&seven, &apps.Load(7));
    EXPECT_EQ("App", seven.Caption());  // the first element's caption
    EXPECT_EQ(2u, run.Items().size());
    EXPECT_EQ(nullptr, apps.Element(3));

    Strings ran;
    bar.Add({"&File"}).Add({"&Exit", 10}).onClick = [&] { ran.push_back("exit"); };
    apps.onClick = [&](int index) { ran.push_back("app" + std::to_string(index)); };
    context.Add({"&Run", 30}).onClick = [&] { ran.push_back("run"); };
    form.SetMenuBar(&bar);
    form.AddCommandSource(tray);
    EXPECT_TRUE(form.RunCommand(10));
    EXPECT_TRUE(form.RunCommand(1007));
    EXPECT_TRUE(form.RunCommand(1001));
    seven.SetEnabled(false);
    EXPECT_TRUE(form.RunCommand(1007));
    EXPECT_FALSE(form.RunCommand(30));
    form.PopupMenu(context);  // headless: shows nothing
    EXPECT_TRUE(form.RunCommand(30));
    EXPECT_FALSE(form.RunCommand(0));
    EXPECT_EQ((Strings{"exit", "app7", "app1", "run"}), ran);
}

// A value outside the range is pulled into it; an empty range holds only its minimum.
TEST_F(Objects, ProgressBarKeepsItsValueInsideItsRangeEvenAnEmptyOne) {
    ui::ProgressBar bar;
    bar.Create(form, {});
    bar.SetRange(0, 20);
    bar.SetValue(25);
    EXPECT_EQ(20, bar.Value());
    bar.SetRange(0, 0);
    EXPECT_EQ(0, bar.Value());
    bar.SetValue(-3);
    EXPECT_EQ(0, bar.Value());
}

}  // namespace

namespace {

TEST(MenuShortcut, TextNamesKeyAndModifiers) {
    ui::Shortcut s;
    ASSERT_TRUE(ui::ParseShortcut("shift+F12", s));
    EXPECT_TRUE(s.shift);
    EXPECT_FALSE(s.ctrl);
    EXPECT_EQ(0x7B, s.key);  // F12
    ASSERT_TRUE(ui::ParseShortcut("Ctrl+I", s));
    EXPECT_TRUE(s.ctrl);
    EXPECT_EQ('I', s.key);
    ASSERT_TRUE(ui::ParseShortcut("Del", s));
    EXPECT_EQ(0x2E, s.key);
    for (const char* text : {"", "Ctrl+", "Hyper+X", "F25", "F1x", "é"}) {
        EXPECT_FALSE(ui::ParseShortcut(text, s)) << text;
    }
}

}  // namespace
