#pragma once
// The programs started from the launcher's drive that still run, and getting them closed
// before the drive is removed: the system refuses to stop a drive that is in use.
#include <string>
#include <vector>

#include "platform/running_programs.h"

namespace quopa {

class DriveRelease {
  public:
    struct Entry {
        platform::RunningProgram program;
        platform::ProgramState state = platform::ProgramState::Running;
    };

    DriveRelease(platform::RunningPrograms& programs, std::string drive)
        : programs_(programs), drive_(std::move(drive)) {}

    // The drive's programs but the launcher itself; false when none can be listed here.
    bool Find();
    const std::vector<Entry>& Remaining() const { return remaining_; }
    // A close message to each, as the system's shutdown sends.
    void AskAllToClose();
    // Looks at each again; true when none is left.
    bool Refresh();
    // Ends those not waiting for their user; true when none is left.
    bool EndThem();
    bool AnyWaitingForUser() const;
    // "Title - E:\Apps\tool.exe", marked when the program waits for its user.
    static std::string Describe(const Entry& entry);

  private:
    platform::RunningPrograms& programs_;
    std::string drive_;
    std::vector<Entry> remaining_;
};

}  // namespace quopa
