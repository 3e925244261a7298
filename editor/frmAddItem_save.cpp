// Saving the wizard's item, and filling the wizard from a stored one.
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

#include "editor/frmAddItem.h"
#include "editor/messages.h"
#include "launch/drive_paths.h"
#include "platform/text.h"
#include "store/data_files.h"
#include "store/ini_document.h"

namespace quopa {

namespace {

constexpr char kItemKeyPrefix[] = "application";

// A stored whole number as a 16-bit value; nothing for blanks, words, fractions or overflow.
std::optional<std::int16_t> ToInt16(const std::string& text) {
    const std::string_view trimmed = TrimIniBlanks(text);
    if (trimmed.empty()) return std::nullopt;
    const std::string digits(trimmed);
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(digits.c_str(), &end, 10);
    if (*end != '\0' || errno != 0 || value < INT16_MIN || value > INT16_MAX) return std::nullopt;
    return static_cast<std::int16_t>(value);
}

bool IsItemKey(const std::string& key) {
    const std::size_t prefix = sizeof(kItemKeyPrefix) - 1;
    if (key.size() <= prefix || key.compare(0, prefix, kItemKeyPrefix) != 0) return false;
    for (std::size_t i = prefix; i < key.size(); ++i)
        if (key[i] < '0' || key[i] > '9') return false;
    return true;
}

}  // namespace

void frmAddItem::cmdFinish_Click() {
    std::int16_t newNumber = 0;
    if (!EditApp) {
        const std::int16_t n =
            FirstFreeNumber(ctx_.ini, appsFile_, "Application", "Path", ctx_.state.NextItemIndex);
        if (!IsFreeNumber(n)) {
            Tell(kNoItemNumberLeft, platform::kMbIconCritical | platform::kMbOk);
            return;
        }
        NewAppType = "Application" + std::to_string(n);
        newNumber = n;
    }
    // Both fields are checked before anything is written, so a refused Finish that is then
    // cancelled leaves the item as it was.
    for (const auto& [box, word] : {std::pair{&txtAppTitle, "title"}, {&txtAppPath, "path"}}) {
        if (box->Text().empty()) {
            Tell(std::string("You did not fill the ") + word + " field!",
                 platform::kMbIconExclamation | platform::kMbOk);
            return;
        }
    }
    if (!WriteItem()) {
        Tell(CouldNotSave("item", appsFile_), platform::kMbIconCritical | platform::kMbOk);
        return;
    }
    // The rebuild recounts, but it waits when a load runs under this window.
    if (newNumber) ctx_.state.NextItemIndex = static_cast<std::int16_t>(newNumber + 1);
    if (rebuild_) rebuild_();
    form.Unload();
}

// The keys in their stored order. A new item's path is written empty in its place and
// given last: the tree takes an item in only once it has a path, so an item cut short by a
// failed write never shows and its number stays free.
bool frmAddItem::WriteItem() {
    std::vector<std::pair<const char*, std::string>> keys = {
        {"Name", txtAppTitle.Text()},
        {"Description", txtAppDescription.Text()},
        {"Path", EditApp ? txtAppPath.Text() : ""},
        // With no entry picked (a reload took it away) the item would fall out of the tree.
        {"Category", Combo1.ListIndex() < 0 ? "Quopa" : Combo1.Text()},
        {"Autorun", std::to_string(chkAutorun.Value())},
        {"Type", AppType},
        {"Parameters", "\"" + txtParameters.Text() + "\""},
    };
    if (!txtStartIn.Text().empty()) {
        keys.emplace_back("StartIn", txtStartIn.Text());
    } else if (!EditApp) {
        keys.emplace_back("StartIn", DerivedStartIn());
    }
    keys.emplace_back("WindowStyle", cmbWindowStyle.Text());
    if (!EditApp) keys.emplace_back("Path", txtAppPath.Text());

    for (const auto& [key, value] : keys)
        if (!ctx_.ini.WriteIni(NewAppType, key, value, appsFile_)) return false;
    return true;
}

// The folder of the file last browsed to, on the drive written with the token.
std::string frmAddItem::DerivedStartIn() const {
    return StartInOf(chosen_.fileName, chosen_.fileTitle, ctx_.state.LauncherDrive);
}

bool frmAddItem::LoadItem(const std::string& key, const std::string& text) {
    if (!IsItemKey(key)) return false;
    auto read = [&](const char* name) { return ctx_.ini.ReadIni(key, name, "", appsFile_); };
    if (const auto type = ToInt16(read("Type"))) SetAppType(*type);
    ShowPage(1);
    cmdBack.SetEnabled(false);
    EditApp = true;
    NewAppType = key;
    txtAppTitle.SetText(text);
    txtAppPath.SetText(read("Path"));
    txtAppDescription.SetText(read("Description"));
    txtParameters.SetText(read("Parameters"));
    txtStartIn.SetText(read("StartIn"));
    Combo1.SetText(read("Category"));
    cmbWindowStyle.SetText(read("WindowStyle"));
    form.SetText("Edit existing item");
    if (ToInt16(read("Autorun")) == std::int16_t{1}) chkAutorun.SetValue(1);
    return true;
}

}  // namespace quopa
