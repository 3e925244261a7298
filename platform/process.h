#pragma once
#include <string>

namespace platform {

class Process {
  public:
    virtual ~Process() = default;
    // Another copy of this program runs for the same user. The answer holds for the life
    // of the process: the first copy keeps its claim until it ends.
    virtual bool AnotherInstanceRunning() = 0;
    // The folder of the running program file, without a trailing separator except at a
    // drive root ("E:\Tools", "E:\").
    virtual std::string ProgramFolder() = 0;
    // Ends the process at once; nothing after it runs (headless: recorded, returns).
    virtual void End() = 0;
};

}  // namespace platform
