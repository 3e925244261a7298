#include "app/drive_release.h"

#include <algorithm>

#include "launch/drive_paths.h"

namespace quopa {

bool DriveRelease::Find() {
    remaining_.clear();
    std::vector<std::unique_ptr<platform::HeldProgram>> all;
    if (drive_.empty() || !programs_.List(all)) return false;
    const std::uint32_t own = programs_.OwnId();
    for (auto& program : all) {
        const platform::RunningProgram& info = program->Info();
        // Only a path under the drive's root: "E:" must not take in "E:x" or "E:2".
        if (info.id == own || !OnDrive(info.path, drive_) || info.path.size() <= drive_.size())
            continue;
        remaining_.push_back({std::move(program)});
    }
    return true;
}

void DriveRelease::AskAllToClose() {
    for (const Entry& e : remaining_) e.program->AskToClose();
}

bool DriveRelease::Refresh() {
    for (Entry& e : remaining_) e.state = e.program->State();
    std::erase_if(remaining_,
                  [](const Entry& e) { return e.state == platform::ProgramState::Gone; });
    return remaining_.empty();
}

bool DriveRelease::EndThem() {
    for (Entry& e : remaining_) {
        if (e.state != platform::ProgramState::WaitingForUser && !e.endRefused)
            e.endRefused = !e.program->End();
    }
    return Refresh();
}

bool DriveRelease::AnyToEnd() const {
    return std::any_of(remaining_.begin(), remaining_.end(), [](const Entry& e) {
        return e.state != platform::ProgramState::WaitingForUser && !e.endRefused;
    });
}

bool DriveRelease::AnyEndRefused() const {
    return std::any_of(remaining_.begin(), remaining_.end(),
                       [](const Entry& e) { return e.endRefused; });
}

std::string DriveRelease::Describe(const Entry& entry) {
    const std::string& path = entry.program->Info().path;
    std::string name = entry.program->Info().title;
    if (name.empty()) name = path.substr(path.find_last_of("\\/") + 1);
    std::string text = name + " - " + path;
    if (entry.state == platform::ProgramState::WaitingForUser) text += " (waiting for you)";
    if (entry.endRefused) text += " (could not be ended)";
    return text;
}

}  // namespace quopa
