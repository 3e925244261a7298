#pragma once
// The about box: the program's name and version, and a way to the system information tool.
// Opened per use: frmAbout dlg(ctx); dlg.Create(); dlg.ShowModal(owner);
#include "context/app_context.h"

namespace quopa {

inline constexpr int kVersionMajor = 1, kVersionMinor = 0, kVersionRevision = 0;

class frmAbout {
  public:
    explicit frmAbout(AppContext& ctx) : form(ctx.backend), ctx_(ctx) {}
    frmAbout(const frmAbout&) = delete;
    frmAbout& operator=(const frmAbout&) = delete;

    // Creates the window with its controls, then runs Form_Load.
    void Create();
    void ShowModal(ui::Form& owner) { form.ShowModal(owner); }

    // Events.
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    ui::Form form;
    ui::PictureBox picIcon;
    ui::Label lblTitle, lblVersion, lblDescription, lblDisclaimer;
    ui::Line Line1;
    ui::Button cmdOK, cmdSysInfo;

  private:
    AppContext& ctx_;
};

}  // namespace quopa
