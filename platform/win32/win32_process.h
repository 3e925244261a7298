#pragma once
#include "platform/process.h"

namespace platform {

class Win32Process : public Process {
  public:
    Win32Process() = default;
    Win32Process(const Win32Process&) = delete;
    Win32Process& operator=(const Win32Process&) = delete;
    ~Win32Process() override;
    bool AnotherInstanceRunning() override;
    std::string ProgramFolder() override;
    void End() override;

  private:
    void* mutex_ = nullptr;  // held for the life of the process: it is the claim
    bool checked_ = false;
    bool another_ = false;
};

}  // namespace platform
