#pragma once
// The programs running on this PC, as far as the drive's removal needs them: what they are,
// asking them to close as the system's shutdown does, and ending them.
#include <cstdint>
#include <memory>
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

// A program held from the moment it is listed until this object goes. While it is held the
// system gives its id to no other process, so nothing asked of it can reach a newcomer.
class HeldProgram {
  public:
    virtual ~HeldProgram() = default;
    virtual const RunningProgram& Info() const = 0;
    // A close message to each of its top-level windows.
    virtual void AskToClose() = 0;
    virtual ProgramState State() = 0;
    // Ends it at once; what it has not saved is lost. False when the system refuses.
    virtual bool End() = 0;
};

class RunningPrograms {
  public:
    virtual ~RunningPrograms() = default;
    // Every program we may look into, each held; false when this PC does not let us list them.
    virtual bool List(std::vector<std::unique_ptr<HeldProgram>>& programs) = 0;
    virtual std::uint32_t OwnId() = 0;
};

}  // namespace platform
