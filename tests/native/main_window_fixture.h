#pragma once
// A main window on the headless backend, started from a temporary folder mapped as E:.
#include <memory>

#include "app/frmMain.h"
#include "platform/headless/headless_desktop.h"
#include "platform/headless/headless_file_dialog.h"
#include "platform/headless/headless_http.h"
#include "platform/headless/headless_pictures.h"
#include "platform/headless/headless_process_tray.h"
#include "platform/headless/headless_registry.h"
#include "platform/headless/headless_shell.h"
#include "tests/native/ini_fixture.h"
#include "ui/headless/headless_backend.h"

namespace quopa::testing {

class MainWindowTest : public TempDriveTest {
  protected:
    void SetUp() override {
        TempDriveTest::SetUp();
        shell_.tempPath = "E:\\";  // the browser lookup needs a real scratch file
        for (platform::EventLog** log : {&shell_.log, &desktop_.log, &process_.log, &tray_.log})
            *log = &log_;
        backend_.log = &log_;
    }
    frmMain& Start() {
        ctx_.programFolder = process_.ProgramFolder();
        main_ = std::make_unique<frmMain>(ctx_);
        main_->Create();
        return *main_;
    }

    platform::EventLog log_;
    platform::HeadlessShell shell_{&files_};
    platform::HeadlessDesktop desktop_{files_};
    platform::HeadlessProcess process_;
    platform::HeadlessTray tray_;
    platform::HeadlessFileDialog fileDialog_;
    platform::HeadlessPictures pictures_{files_};
    platform::HeadlessRegistry registry_;
    platform::HeadlessHttp http_;
    platform::Services sys_{files_,      shell_,    desktop_,  process_, tray_,
                            fileDialog_, pictures_, registry_, http_};
    modINI ini_{files_};
    ProgramState state_;
    ui::HeadlessBackend backend_;
    AppContext ctx_{backend_, sys_, ini_, state_, ""};
    std::unique_ptr<frmMain> main_;
};

}  // namespace quopa::testing
