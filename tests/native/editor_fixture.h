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
    "[Category1]\r\nName=Games\r\n"
    "[Application1]\r\nName=Notepad\r\nDescription=Text editor\r\n"
    "Path=%drive%\\Tools\\notepad2.exe\r\nCategory=Quopa\r\nAutorun=0\r\nType=0\r\n"
    "Parameters=\"\"\r\nStartIn=%drive%\\tools\\\r\nWindowStyle=Normal\r\n"
    "[Application2]\r\nName=Chess\r\nDescription=\r\nPath=%drive%\\Games\\chess.exe\r\n"
    "Category=Games\r\nAutorun=1\r\nType=0\r\nParameters=\"-window\"\r\n"
    "StartIn=%drive%\\games\\\r\nWindowStyle=Maximized\r\n";

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
    int rebuilds = 0;
    std::function<void()> rebuild = [this] {
        ++rebuilds;
        loader.IntList();
    };
};

}  // namespace quopa::testing
