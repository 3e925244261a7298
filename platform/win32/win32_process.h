#pragma once
#include "platform/process.h"
#include "platform/win32/handles.h"

namespace platform {

class Win32Process : public Process {
  public:
    Win32Process() = default;
    Win32Process(const Win32Process&) = delete;
    Win32Process& operator=(const Win32Process&) = delete;
    ~Win32Process() override = default;
    bool AnotherInstanceRunning() override;
    std::string ProgramFolder() override;
    void End() override;

  private:
    win32::KernelHandle mutex_;  // held for the life of the process: it is the claim
    bool checked_ = false;
    bool another_ = false;
};

}  // namespace platform
