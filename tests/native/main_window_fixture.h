#pragma once
// A main window on the headless backend, started from a temporary folder mapped as E:.
#include <memory>
#include <utility>

#include "app/frmMain.h"
#include "platform/headless/headless_services.h"
#include "tests/native/ini_fixture.h"
#include "ui/headless/headless_backend.h"

namespace quopa::testing {

constexpr unsigned kCritical = platform::kMbIconCritical | platform::kMbOk;
constexpr unsigned kExclaim = platform::kMbIconExclamation | platform::kMbOk;
constexpr unsigned kQuestion = platform::kMbIconQuestion | platform::kMbYesNo;
using Boxes = std::vector<std::pair<std::string, unsigned>>;

// Every node as the tree shows it: each category followed by its rows.
inline std::vector<const ui::TreeNode*> InShownOrder(const ui::TreeView& tree) {
    std::vector<const ui::TreeNode*> nodes;
    for (const ui::TreeNode* root : tree.Roots()) {
        nodes.push_back(root);
        nodes.insert(nodes.end(), root->Children().begin(), root->Children().end());
    }
    return nodes;
}

// What a list offers, in order.
inline Strings Entries(const ui::ComboBox& box) {
    Strings entries;
    for (int i = 0; i < box.ListCount(); ++i) entries.push_back(box.List(i));
    return entries;
}

// The boxes shown since the last call, as text and style.
inline Boxes Told(platform::HeadlessDesktop& desktop) {
    Boxes told;
    for (const auto& m : desktop.messages) told.emplace_back(m.text, m.style);
    desktop.messages.clear();
    return told;
}

// An item's section with the keys a load needs.
inline std::string App(int n, const std::string& name, const std::string& path,
                       const std::string& category = "Quopa", int type = 0,
                       const std::string& description = "") {
    return "[Application" + std::to_string(n) + "]\r\nName=" + name +
           "\r\nDescription=" + description + "\r\nPath=" + path + "\r\nCategory=" + category +
           "\r\nType=" + std::to_string(type) + "\r\n";
}

class MainWindowTest : public TempDriveTest {
  protected:
    void SetUp() override {
        TempDriveTest::SetUp();
        shell_.tempPath = "E:\\";  // the browser lookup needs a real scratch file
        services_.LogTo(log_);
        backend_.log = &log_;
    }
    frmMain& Start() {
        ctx_.programFolder = process_.ProgramFolder();
        main_ = std::make_unique<frmMain>(ctx_);
        main_->Create();
        return *main_;
    }
    Boxes Told() { return quopa::testing::Told(desktop_); }
    // The tray's Run entries as the user sees them, opening the menu.
    Strings TrayRun() {
        main_->form.RaiseTrayNotify(ui::TrayMouse::RightUp);
        Strings shown;
        for (const auto& entry : main_->mnuPopupRun->Items())
            if (entry->Visible()) shown.push_back(entry->Caption());
        return shown;
    }
    // The files the shell was asked to open, in order.
    Strings Executed() const {
        return Each(shell_.executed, [](const auto& e) { return e.file; });
    }

    platform::EventLog log_;
    platform::HeadlessServices services_{files_};
    platform::HeadlessShell& shell_ = services_.shell;
    platform::HeadlessDesktop& desktop_ = services_.desktop;
    platform::HeadlessProcess& process_ = services_.process;
    platform::HeadlessTray& tray_ = services_.tray;
    platform::HeadlessFileDialog& fileDialog_ = services_.fileDialog;
    platform::HeadlessPictures& pictures_ = services_.pictures;
    platform::HeadlessRegistry& registry_ = services_.registry;
    platform::HeadlessHttp& http_ = services_.http;
    platform::Services& sys_ = services_.sys;
    modINI ini_{files_, services_.codePage};
    ProgramState state_;
    ui::HeadlessBackend backend_;
    AppContext ctx_{backend_, sys_, ini_, state_, ""};
    std::unique_ptr<frmMain> main_;
};

}  // namespace quopa::testing
