#pragma once
#include "platform/running_programs.h"

namespace platform {

class Win32RunningPrograms : public RunningPrograms {
  public:
    bool List(std::vector<std::unique_ptr<HeldProgram>>& programs) override;
    std::uint32_t OwnId() override;
};

}  // namespace platform
