#pragma once
// The programs started from the launcher's drive that still run, and getting them closed
// before the drive is removed: the system refuses to stop a drive that is in use.
#include <memory>
#include <string>
#include <vector>

#include "platform/running_programs.h"

namespace quopa {

// Each program is held from Find until it is gone or this object goes, so a program that
// exits while listed cannot pass its id, and with it our requests, to another. Let this go
// before the removal starts: nothing of the drive's should be held then.
class DriveRelease {
  public:
    struct Entry {
        std::unique_ptr<platform::HeldProgram> program;
        platform::ProgramState state = platform::ProgramState::Running;
        bool endRefused = false;  // the system would not let it be ended
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
    // Some program left that End them may still end.
    bool AnyToEnd() const;
    bool AnyEndRefused() const;
    // "Title - E:\Apps\tool.exe", marked when the program waits for its user or could not
    // be ended.
    static std::string Describe(const Entry& entry);

  private:
    platform::RunningPrograms& programs_;
    std::string drive_;
    std::vector<Entry> remaining_;
};

}  // namespace quopa
