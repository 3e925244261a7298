#pragma once
#include "platform/running_programs.h"

namespace platform {

class Win32RunningPrograms : public RunningPrograms {
  public:
    bool List(std::vector<RunningProgram>& programs) override;
    std::uint32_t OwnId() override;
    void AskToClose(std::uint32_t id) override;
    ProgramState State(std::uint32_t id) override;
    bool End(std::uint32_t id) override;
};

}  // namespace platform
