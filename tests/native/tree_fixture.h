#pragma once
// A tree, its image list and tray menu, loaded from an apps file on a temporary drive E:.
#include "launch/launcher.h"
#include "platform/headless/headless_services.h"
#include "store/data_files.h"
#include "tests/native/ini_fixture.h"
#include "tree/tree_loader.h"
#include "ui/headless/headless_backend.h"

namespace quopa::testing {

struct Item {
    std::string name, path, category = "Quopa", type = "0", autorun = "0";
    std::string parameters = "\"\"", startIn = "", style = "Normal";
};

inline std::string Category(int n, const std::string& name) {
    return "[Category" + std::to_string(n) + "]\r\nName=" + name + "\r\n";
}

inline std::string Application(int n, const Item& i) {
    return "[Application" + std::to_string(n) + "]\r\nName=" + i.name +
           "\r\nDescription=\r\nPath=" + i.path + "\r\nCategory=" + i.category +
           "\r\nAutorun=" + i.autorun + "\r\nType=" + i.type + "\r\nParameters=" + i.parameters +
           "\r\nStartIn=" + i.startIn + "\r\nWindowStyle=" + i.style + "\r\n";
}

// What the shell was asked to open: file|parameters|folder|show command|owner.
inline Strings Runs(const platform::HeadlessShell& shell) {
    return Each(shell.executed, [](const auto& e) {
        return e.file + "|" + e.parameters + "|" + e.directory + "|" +
               std::to_string(e.showCommand) + "|" + std::to_string(e.owner);
    });
}

class TreeTest : public TempDriveTest {
  protected:
    void SetUp() override {
        TempDriveTest::SetUp();
        std::filesystem::create_directory(Host("tmp"));
        shell.tempPath = "E:\\tmp\\";
        state.LauncherDrive = "E:";
        form.Create({});
        tree.Create(form, {});
        icons.Create(form);
        apps.Create(run, 100, 1, "App");
    }
    void Apps(const std::string& text) const { Put("quopa_apps.dat", text); }
    Strings ItemsOf(const std::string& category) const {
        return Each(tree.Find(category)->Children(), [](auto* node) { return node->Key(); });
    }
    // Each category's key, "+" when expanded, and its items' keys in brackets.
    std::string Shape() const {
        std::string out;
        for (const ui::TreeNode* root : tree.Roots()) {
            out += (out.empty() ? "" : " ") + root->Key() + (root->Expanded() ? "+[" : "[");
            for (const ui::TreeNode* item : root->Children())
                out += (out.back() == '[' ? "" : " ") + item->Key();
            out += "]";
        }
        return out;
    }
    // A node's text, image and tag.
    std::string Info(const std::string& key) const {
        const ui::TreeNode& node = *tree.Find(key);
        return node.Text() + "|" + node.Image() + "|" + node.Tag();
    }

    const std::string appsFile = AppsFile("E:\\");
    platform::BasicHeadlessServices<platform::HeadlessDesktop> system{files_};
    platform::HeadlessShell& shell = system.shell;
    platform::HeadlessDesktop& desktop = system.desktop;
    platform::HeadlessFileDialog& fileDialog = system.fileDialog;
    platform::Services& services = system.sys;
    modINI ini{files_, system.codePage};
    ProgramState state;
    ui::HeadlessBackend backend;
    ui::Form form{backend};
    ui::TreeView tree;
    ui::ImageList icons;
    ui::MenuItem run{{"R&un", 0, false}};
    ui::MenuArray apps;
    Launcher launcher{ini, shell, desktop, state, "E:\\", appsFile, &files_};
    int doEventsCalls = 0;
    TreeLoader loader{{tree, icons, run, apps},   ini, launcher, services, state, appsFile,
                      [this] { ++doEventsCalls; }};
};

}  // namespace quopa::testing
