#pragma once
// The update checker: asks once while it loads, then shows what came back.
// Opened per use: frmUpdate dlg(ctx); dlg.Create(); dlg.ShowModal(owner);
#include <string>

#include "context/app_context.h"
#include "info/update_check.h"

namespace quopa {

class frmUpdate {
  public:
    explicit frmUpdate(AppContext& ctx) : form(ctx.backend), ctx_(ctx) {}
    frmUpdate(const frmUpdate&) = delete;
    frmUpdate& operator=(const frmUpdate&) = delete;

    // Where and how long to ask; a test points these at a server of its own.
    std::string host = kUpdateHost;
    unsigned timeoutMs = kUpdateTimeoutMs;

    // Creates the window with its controls, then runs Form_Load, which waits for the reply.
    void Create();
    void ShowModal(ui::Form& owner) { form.ShowModal(owner); }

    // Events.
    void Form_Load();
    void cmdOk_Click();

    ui::Form form;
    ui::Button cmdOk;
    ui::CheckBox Check1, Check2;
    ui::Label Label1;

  private:
    AppContext& ctx_;
};

}  // namespace quopa
