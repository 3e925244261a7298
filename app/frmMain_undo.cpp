// Taking changes back: undo and redo of the list's last changes, its kept versions, and
// the offer of the newest one when the list cannot be read at start-up.
#include "app/frmMain.h"
#include "app/frmRestore.h"
#include "context/messages.h"
#include "store/item_key.h"
#include "store/list_change.h"

namespace quopa {
namespace {

// A name in a menu entry shows its "&" instead of taking it as the access key.
std::string MenuText(const std::string& text) {
    std::string out;
    for (char c : text) out += c == '&' ? "&&" : std::string(1, c);
    return out;
}

std::string Items(std::size_t n) {
    return std::to_string(n) + (n == 1 ? " item" : " items");
}

}  // namespace

void frmMain::ListReplaced(const std::string& file, const SharedText& before,
                           const SharedText& after) {
    if (file != appsFile_) return;  // Options' settings are not in the history
    versions_.Keep(before);
    versions_.Keep(after);
    history_.Recorded(file, *before, *after);
    ShowUndoSteps();
    backend_.Post([this, alive = alive_] {
        if (*alive) TellIfNoVersionKept();  // not in the middle of the command's write
    });
}

void frmMain::ShowUndoSteps() {
    const std::string undo = history_.NextUndo(), redo = history_.NextRedo();
    mnuUndo->SetCaption("&Undo" + (undo.empty() ? "" : " " + MenuText(undo)));
    mnuUndo->SetEnabled(!undo.empty());
    mnuRedo->SetCaption("&Redo" + (redo.empty() ? "" : " " + MenuText(redo)));
    mnuRedo->SetEnabled(!redo.empty());
}

void frmMain::mnuUndo_Click() {
    Replayed(history_.Undo(), "undone");
}

void frmMain::mnuRedo_Click() {
    Replayed(history_.Redo(), "made again");
}

void frmMain::Replayed(UndoHistory::Outcome outcome, const char* what) {
    ShowUndoSteps();
    switch (outcome) {
        case UndoHistory::Outcome::Done:
            // An item's change taken back costs that item, as the command did.
            if (const auto& items = history_.ItemsReplayed();
                items && loader_->ReloadItems(*items)) {
                found_->AfterItems();
                std::vector<std::string> keys;
                for (int n : *items) keys.push_back(ItemKey(n));
                QuickItemsChanged(keys);
            } else {
                IntList();
            }
            CategoriesChanged();
            return;
        case UndoHistory::Outcome::ChangedElsewhere:
            sys_.desktop.MsgBox(form.Handle(),
                                "Another program has changed " + appsFile_ +
                                    " since Quopa last saved it.\r\nNothing was " + what +
                                    ", so that program's change is not lost.",
                                kAppTitle, platform::kMbIconExclamation | platform::kMbOk);
            return;
        case UndoHistory::Outcome::NotWritten:
            Written(false);
            return;
        case UndoHistory::Outcome::Nothing:
            return;
    }
}

void frmMain::TellIfNoVersionKept() {
    if (!versions_.TakeFailure() || toldNoVersion_) return;
    toldNoVersion_ = true;
    sys_.desktop.MsgBox(form.Handle(),
                        "An earlier version of your list could not be kept in " +
                            VersionsFolder(programFolder_) +
                            ".\r\nThe drive may be full or write-protected. Your changes are "
                            "saved all the same.",
                        kAppTitle, platform::kMbIconExclamation | platform::kMbOk);
}

bool frmMain::RestoreList(const std::string& bytes) {
    if (!Written(ini_.WriteWhole(bytes, appsFile_))) return false;
    IntList();
    CategoriesChanged();
    return true;
}

std::vector<std::string> frmMain::VersionLines(const std::vector<VersionRing::Version>& versions) {
    std::string newer;
    if (!ini_.ReadWhole(appsFile_, newer)) newer.clear();
    std::vector<std::string> lines;
    for (const VersionRing::Version& v : versions) {
        std::string bytes;
        if (!versions_.Read(v.file, bytes)) bytes.clear();
        std::string line = v.time + "  " + Items(SizeOfList(bytes).items) + ", ";
        line += bytes == newer ? "as the list is now" : "before " + NameOfChange(bytes, newer);
        lines.push_back(std::move(line));
        newer = std::move(bytes);
    }
    return lines;
}

void frmMain::OpenRestore() {
    const std::vector<VersionRing::Version> versions = versions_.List();
    std::vector<std::string> lines = VersionLines(versions);
    if (lines.empty()) {
        sys_.desktop.MsgBox(form.Handle(), "No earlier version of your list is kept yet.",
                            kAppTitle, platform::kMbIconInformation | platform::kMbOk);
        return;
    }
    frmRestore dialog(ctx_);
    dialog.Versions = std::move(lines);
    dialog.Create();
    dialog.form.ShowModal(form);
    if (dialog.Chosen < 0) return;
    const VersionRing::Version& chosen = versions[static_cast<std::size_t>(dialog.Chosen)];
    const int answer = sys_.desktop.MsgBox(
        form.Handle(),
        "Restore your list as it was at " + chosen.time +
            "?\r\nThe list as it is now is kept as a version, and Undo takes the restore back.",
        kAppTitle, platform::kMbIconQuestion | platform::kMbYesNo);
    if (answer != platform::kIdYes) return;
    std::string bytes;
    if (!versions_.Read(chosen.file, bytes)) {
        sys_.desktop.MsgBox(form.Handle(), "The version " + chosen.file + " could not be read.",
                            kAppTitle, platform::kMbIconCritical | platform::kMbOk);
        return;
    }
    RestoreList(bytes);
}

void frmMain::OfferNewestVersion() {
    std::string now;
    if (ini_.ReadWhole(appsFile_, now) && SizeOfList(now).sections > 0) return;
    for (const VersionRing::Version& v : versions_.List()) {
        std::string bytes;
        if (!versions_.Read(v.file, bytes)) continue;
        const std::size_t items = SizeOfList(bytes).items;
        if (items == 0) continue;
        const int answer =
            sys_.desktop.MsgBox(form.Handle(),
                                "Your list " + appsFile_ +
                                    " is empty or cannot be read.\r\nRestore the version kept at " +
                                    v.time + ", with " + Items(items) + "?",
                                kAppTitle, platform::kMbIconExclamation | platform::kMbYesNo);
        if (answer == platform::kIdYes) RestoreList(bytes);
        return;
    }
}

}  // namespace quopa
