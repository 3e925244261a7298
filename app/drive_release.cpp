#include "app/drive_release.h"

#include <algorithm>

#include "launch/drive_paths.h"

namespace quopa {

bool DriveRelease::Find() {
    remaining_.clear();
    std::vector<platform::RunningProgram> all;
    if (drive_.empty() || !programs_.List(all)) return false;
    const std::uint32_t own = programs_.OwnId();
    for (auto& program : all) {
        // Only a path under the drive's root: "E:" must not take in "E:x" or "E:2".
        if (program.id == own || !OnDrive(program.path, drive_) ||
            program.path.size() <= drive_.size()) {
            continue;
        }
        remaining_.push_back({std::move(program)});
    }
    return true;
}

void DriveRelease::AskAllToClose() {
    for (const Entry& e : remaining_) programs_.AskToClose(e.program.id);
}

bool DriveRelease::Refresh() {
    for (Entry& e : remaining_) e.state = programs_.State(e.program.id);
    remaining_.erase(
        std::remove_if(remaining_.begin(), remaining_.end(),
                       [](const Entry& e) { return e.state == platform::ProgramState::Gone; }),
        remaining_.end());
    return remaining_.empty();
}

bool DriveRelease::EndThem() {
    for (const Entry& e : remaining_) {
        if (e.state != platform::ProgramState::WaitingForUser) programs_.End(e.program.id);
    }
    return Refresh();
}

bool DriveRelease::AnyWaitingForUser() const {
    return std::any_of(remaining_.begin(), remaining_.end(), [](const Entry& e) {
        return e.state == platform::ProgramState::WaitingForUser;
    });
}

std::string DriveRelease::Describe(const Entry& entry) {
    const std::string& path = entry.program.path;
    std::string name = entry.program.title;
    if (name.empty()) name = path.substr(path.find_last_of("\\/") + 1);
    std::string text = name + " - " + path;
    if (entry.state == platform::ProgramState::WaitingForUser) text += " (waiting for you)";
    return text;
}

}  // namespace quopa
