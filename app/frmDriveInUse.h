#pragma once
// Before the drive is removed: names the programs from the drive that still run, asks them
// to close, waits for them, and offers to end those that do not. Opened per use:
//   frmDriveInUse dlg(ctx, release); dlg.Create(); dlg.form.ShowModal(owner);
//   if (dlg.Proceed) ...
#include "app/drive_release.h"
#include "context/app_context.h"
#include "ui/button.h"
#include "ui/label.h"
#include "ui/progress_bar.h"
#include "ui/timer.h"

namespace quopa {

class frmDriveInUse {
  public:
    static constexpr int kPollMs = 250;
    static constexpr int kWaitMs = 10000;

    frmDriveInUse(AppContext& ctx, DriveRelease& release) : form(ctx.backend), release_(release) {}
    frmDriveInUse(const frmDriveInUse&) = delete;
    frmDriveInUse& operator=(const frmDriveInUse&) = delete;

    void Create();

    // Out: true when no program of the drive is left and the removal may go on.
    bool Proceed = false;

    void cmdGo_Click();
    void cmdCancel_Click();
    void Timer1_Timer();

    ui::Form form;
    ui::Label lblIntro, lblPrograms;
    ui::ProgressBar barWait;
    ui::Button cmdGo, cmdCancel;
    ui::Timer Timer1;

  private:
    enum class Stage { Listed, Closing, StillRunning };
    void ShowStillRunning();
    void EnableEnd();
    void ListPrograms();
    void Finish();

    DriveRelease& release_;
    Stage stage_ = Stage::Listed;
    int waitedMs_ = 0;
};

}  // namespace quopa
