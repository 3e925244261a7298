#pragma once
// The wizard and the category dialog over a main window's tree loaded from a drive E:.
#include <memory>

#include "context/messages.h"
#include "editor/frmAddItem.h"
#include "editor/frmNewCategory.h"
#include "tests/native/main_window_fixture.h"
#include "tests/native/tree_fixture.h"

namespace quopa::testing {

// The small apps file as the program writes it.
inline const std::string kSmallApps =
    Category(1, "Games") +
    Application(1, {"Notepad", "%drive%\\Tools\\notepad2.exe", "Quopa", "0", "0", "\"\"",
                    "%drive%\\tools\\"}) +
    Application(2, {"Chess", "%drive%\\Games\\chess.exe", "Games", "0", "1", "\"-window\"",
                    "%drive%\\games\\", "Maximized"});

class EditorTest : public TreeTest {
  protected:
    void SetUp() override {
        TreeTest::SetUp();
        state.AutorunDone = true;  // no launches while loading
        form.Show();
    }
    void Load(const std::string& apps) {
        Apps(apps);
        loader.IntList();
    }
    std::unique_ptr<frmAddItem> Wizard() {
        auto wizard = std::make_unique<frmAddItem>(ctx, tree, rebuild);
        wizard->Create();
        return wizard;
    }
    // The wizard on its field page for a new item of type `type`, maybe filled in.
    std::unique_ptr<frmAddItem> Fields(int type = 0, const char* title = nullptr,
                                       const char* path = nullptr) {
        auto wizard = Wizard();
        (type == 0 ? wizard->Option1 : wizard->Option2).UserClicked();
        wizard->cmdNext.Click();
        if (title) wizard->txtAppTitle.UserTyped(title);
        if (path) wizard->txtAppPath.UserTyped(path);
        return wizard;
    }
    std::unique_ptr<frmNewCategory> CategoryDialog() {
        auto d = std::make_unique<frmNewCategory>(ctx, tree, rebuild);
        d->Create();
        return d;
    }
    std::string Stored(const std::string& section, const char* key) {
        return ini.ReadIni(section, key, "", appsFile);
    }
    Boxes Told() { return quopa::testing::Told(desktop); }
    static Strings Entries(const ui::ComboBox& box) {
        Strings entries;
        for (int i = 0; i < box.ListCount(); ++i) entries.push_back(box.List(i));
        return entries;
    }

    AppContext ctx{backend, services, ini, state, "E:\\"};
    std::function<void()> rebuild = [this] { loader.IntList(); };
};

}  // namespace quopa::testing
