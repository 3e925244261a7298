#include "info/frmUpdate.h"

namespace quopa {

void frmUpdate::Create() {
    form.Create({.caption = "Quopa Update Checker",
                 .clientWidth = 4680,
                 .clientHeight = 3090,
                 .minButton = false,
                 .className = "QuopaUpdate"});
    // First in the tab order, so it has the focus.
    cmdOk.Create(form, {.text = "&OK", .bounds = {3120, 2520, 1455, 495}, .isDefault = true});
    Check1.Create(form, {.text = "Connecting", .bounds = {840, 360, 2775, 255}, .enabled = false});
    Check2.Create(form, {.text = "Checking", .bounds = {840, 720, 2775, 255}, .enabled = false});
    Label1.Create(form, {.bounds = {120, 1320, 4455, 615}});
    Check1.SetValue(2);  // connecting is shown done in every outcome
    cmdOk.onClick = [this] { cmdOk_Click(); };
    Form_Load();
}

void frmUpdate::Form_Load() {
    const platform::HttpReply reply =
        ctx_.sys.http.Get(UpdateUrl(host), timeoutMs, kMaxUpdateReply);
    switch (ReadUpdateReply(reply)) {
        case UpdateAnswer::Current:
            Label1.SetText("This version of quopa is up to date.");
            Check2.SetValue(2);
            break;
        case UpdateAnswer::Outdated:
            Label1.SetText(
                std::string("This version of quopa is outdated! Please get a new version at ") +
                kWebsite);
            Check2.SetValue(2);
            break;
        case UpdateAnswer::Failed:
            Label1.SetText("Connection failed!");
            break;
    }
}

void frmUpdate::cmdOk_Click() {
    form.Unload();
}

}  // namespace quopa
