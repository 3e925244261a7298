#pragma once
// A main window on the headless backend, started from a temporary folder mapped as E:.
#include <memory>

#include "app/frmMain.h"
#include "platform/headless/headless_services.h"
#include "tests/native/ini_fixture.h"
#include "ui/headless/headless_backend.h"

namespace quopa::testing {

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
    modINI ini_{files_};
    ProgramState state_;
    ui::HeadlessBackend backend_;
    AppContext ctx_{backend_, sys_, ini_, state_, ""};
    std::unique_ptr<frmMain> main_;
};

}  // namespace quopa::testing
