// Saving the wizard's item, and filling the wizard from a stored one.
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <optional>
#include <utility>

#include "context/messages.h"
#include "editor/frmAddItem.h"
#include "launch/drive_paths.h"
#include "platform/text.h"
#include "store/data_files.h"
#include "store/ini.h"
#include "store/ini_document.h"
#include "store/item_key.h"
#include "tree/node_kind.h"

namespace quopa {

namespace {

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
        NewAppType = ItemSection(n);
        newNumber = n;
    }
    // Both fields are checked before anything is written, so a refused Finish that is then
    // cancelled leaves the item as it was.
    // Judged as the file will hold them: blanks or a pair of quotes would store an empty
    // name, the deletion mark, or an empty path, where the loader stops.
    for (const auto& [box, word] : {std::pair{&txtAppTitle, "title"}, {&txtAppPath, "path"}}) {
        if (AsStored(box->Text()).empty()) {
            Tell(std::string("You did not fill the ") + word + " field!",
                 platform::kMbIconExclamation | platform::kMbOk);
            return;
        }
    }
    // A package or a drop sets texts of any length, and the description box takes 255: the
    // file would give them back cut, and a cut address opens another page.
    for (const auto& [text, field] :
         {std::pair<std::string, const char*>{txtAppTitle.Text(), "title"},
          {txtAppDescription.Text(), "description"},
          {txtAppPath.Text(), AppType == "1" ? "address" : "path"},
          {"\"" + txtParameters.Text() + "\"", "parameters"},
          {txtStartIn.Text(), "start in"}}) {
        if (!ReadsBackWhole(text)) {
            Tell(TooLongToKeep(field), platform::kMbIconExclamation | platform::kMbOk);
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

// The keys in their stored order, in one write: the item is stored whole or not at all.
bool frmAddItem::WriteItem() {
    auto key = [&](const char* name, std::string value) {
        return IniKey{NewAppType, name, std::move(value)};
    };
    IniKeys keys = {
        // In the form they read back in, so the tree and the next load show the same.
        key("Name", AsStored(txtAppTitle.Text())),
        key("Description", txtAppDescription.Text()),
        key("Path", AsStored(txtAppPath.Text())),
        // With no entry picked (a reload took it away) the item would fall out of the tree.
        key("Category", Combo1.ListIndex() < 0 ? kMainCategoryKey : Combo1.Text()),
        key("Autorun", std::to_string(chkAutorun.Value())),
        key("Type", AppType),
        key("Parameters", "\"" + txtParameters.Text() + "\""),
    };
    if (!txtStartIn.Text().empty()) {
        keys.push_back(key("StartIn", txtStartIn.Text()));
    } else if (!EditApp) {
        keys.push_back(key("StartIn", DerivedStartIn()));
    }
    keys.push_back(key("WindowStyle", cmbWindowStyle.Text()));
    return ctx_.ini.WriteIniKeys(keys, appsFile_);
}

// The folder of the file last browsed to, on the drive written with the token.
std::string frmAddItem::DerivedStartIn() const {
    return StartInOf(chosen_.fileName, chosen_.fileTitle, ctx_.state.LauncherDrive);
}

bool frmAddItem::LoadItem(const std::string& key, const std::string& text) {
    if (!ItemNumberOf(key)) return false;
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
