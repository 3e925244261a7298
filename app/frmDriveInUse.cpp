#include "app/frmDriveInUse.h"

namespace quopa {

void frmDriveInUse::Create() {
    form.Create({.caption = "Programs still running from the drive",
                 .clientWidth = 6600,
                 .clientHeight = 3480,
                 .dialog = true});
    lblIntro.Create(form, {.text = "These programs were started from the drive and still run. "
                                   "Close them before the drive is removed:",
                           .bounds = {120, 120, 6360, 495}});
    lblPrograms.Create(form, {.bounds = {240, 720, 6240, 1695}});
    barWait.Create(form, {.bounds = {120, 2520, 6360, 255}, .visible = false});
    cmdGo.Create(form,
                 {.text = "&Close them", .bounds = {3720, 2940, 1335, 375}, .isDefault = true});
    cmdCancel.Create(form,
                     {.text = "C&ancel", .bounds = {5160, 2940, 1335, 375}, .isCancel = true});
    Timer1.Create(form, {.interval = kPollMs, .enabled = false});
    barWait.SetRange(0, kWaitMs / kPollMs);
    cmdGo.onClick = [this] { cmdGo_Click(); };
    cmdCancel.onClick = [this] { cmdCancel_Click(); };
    Timer1.onTimer = [this] { Timer1_Timer(); };
    ListPrograms();
}

void frmDriveInUse::ListPrograms() {
    std::string text;
    for (const DriveRelease::Entry& entry : release_.Remaining()) {
        if (!text.empty()) text += "\n";
        text += DriveRelease::Describe(entry);
    }
    lblPrograms.SetText(text);
}

void frmDriveInUse::cmdGo_Click() {
    if (stage_ == Stage::Listed) {
        release_.AskAllToClose();
        if (release_.Refresh()) return Finish();
        stage_ = Stage::Closing;
        waitedMs_ = 0;
        lblIntro.SetText("Waiting for the programs to close...");
        cmdGo.SetEnabled(false);
        barWait.SetValue(0);
        barWait.SetVisible(true);
        ListPrograms();
        Timer1.SetEnabled(true);
    } else if (stage_ == Stage::StillRunning) {
        if (release_.EndThem()) return Finish();
        // What is left waits for its user, or the system would not let it be ended.
        if (release_.AnyEndRefused())
            lblIntro.SetText(
                "Some programs could not be ended. Close them yourself and the "
                "removal goes on, or cancel:");
        ListPrograms();
        EnableEnd();
    }
}

void frmDriveInUse::cmdCancel_Click() {
    Timer1.SetEnabled(false);
    Proceed = false;
    form.Unload();
}

void frmDriveInUse::Timer1_Timer() {
    if (release_.Refresh()) return Finish();
    waitedMs_ += kPollMs;
    if (stage_ == Stage::Closing) {
        barWait.SetValue(waitedMs_ / kPollMs);
        if (waitedMs_ >= kWaitMs) ShowStillRunning();
    } else if (stage_ == Stage::StillRunning) {
        EnableEnd();  // a program that was waiting may have been answered
    }
    ListPrograms();
}

// Nothing to end when every one left waits for its user (they go when answered) or may
// not be ended.
void frmDriveInUse::EnableEnd() {
    cmdGo.SetEnabled(release_.AnyToEnd());
}

void frmDriveInUse::ShowStillRunning() {
    stage_ = Stage::StillRunning;
    barWait.SetVisible(false);
    lblIntro.SetText(
        "These programs did not close. Ending a program loses the work it has not saved; a "
        "program waiting for you is left for you to answer:");
    cmdGo.SetText("&End them");
    EnableEnd();
}

void frmDriveInUse::Finish() {
    Timer1.SetEnabled(false);
    Proceed = true;
    form.Unload();
}

}  // namespace quopa
