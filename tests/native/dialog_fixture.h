#pragma once
// A dialog's world on the headless backend: the services, a program folder on E: and a
// shown owner window to run over.
#include "tests/native/main_window_fixture.h"

namespace quopa::testing {

class DialogTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        ctx_.programFolder = process_.ProgramFolder();
        owner_.Create({.caption = "Owner", .bounds = {0, 0, 6000, 4000}});
        owner_.Show();
    }
    std::string Settings() const { return Get("quopa_settings.dat"); }

    ui::Form owner_{backend_};
};

}  // namespace quopa::testing
