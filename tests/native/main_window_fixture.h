#pragma once
// A main window on the headless backend, started from a temporary folder mapped as E:.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "app/frmMain.h"
#include "platform/headless/headless_desktop.h"
#include "platform/headless/headless_process_tray.h"
#include "platform/headless/headless_shell.h"
#include "platform/headless/host_files.h"
#include "ui/headless/headless_backend.h"

namespace quopa::testing {

class MainWindowTest : public ::testing::Test {
  protected:
    MainWindowTest() {
        char pattern[] = "/tmp/quopa-main-XXXXXX";
        root_ = mkdtemp(pattern);
        files_.MapDrive('E', root_);
        shell_.tempPath = "E:\\";  // the browser lookup needs a real scratch file
    }
    ~MainWindowTest() override { std::filesystem::remove_all(root_); }

    void Put(const std::string& name, const std::string& bytes) {
        std::ofstream(root_ + "/" + name, std::ios::binary) << bytes;
    }
    frmMain& Start() {
        main_ = std::make_unique<frmMain>(backend_, sys_, ini_, state_);
        main_->Create();
        return *main_;
    }

    std::string root_;
    platform::HostFiles files_;
    platform::HeadlessShell shell_{&files_};
    platform::HeadlessDesktop desktop_{files_};
    platform::HeadlessProcess process_;
    platform::HeadlessTray tray_;
    platform::Services sys_{files_, shell_, desktop_, process_, tray_};
    modINI ini_{files_};
    ProgramState state_;
    ui::HeadlessBackend backend_;
    std::unique_ptr<frmMain> main_;
};

}  // namespace quopa::testing
