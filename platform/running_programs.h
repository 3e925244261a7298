#pragma once
// The programs running on this PC, as far as the drive's removal needs them: what they are,
// asking them to close as the system's shutdown does, and ending them.
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct RunningProgram {
    std::uint32_t id = 0;
    std::string path;   // the program file, "E:\Apps\tool.exe"
    std::string title;  // its main window's caption; empty without a window
};

enum class ProgramState {
    Gone,
    Running,
    WaitingForUser,  // its own dialog is up (a question to save, say): not ours to end
};

class RunningPrograms {
  public:
    virtual ~RunningPrograms() = default;
    // False when this PC does not let us list them.
    virtual bool List(std::vector<RunningProgram>& programs) = 0;
    virtual std::uint32_t OwnId() = 0;
    // A close message to each of its top-level windows.
    virtual void AskToClose(std::uint32_t id) = 0;
    virtual ProgramState State(std::uint32_t id) = 0;
    // Ends it at once; what it has not saved is lost.
    virtual bool End(std::uint32_t id) = 0;
};

}  // namespace platform
