#pragma once
#include <string>

#include "platform/process.h"
#include "platform/tray.h"

namespace platform {

class HeadlessProcess : public Process {
  public:
    bool AnotherInstanceRunning() override { return anotherInstance; }
    std::string ProgramFolder() override { return programFolder; }
    void End() override { ended = true; }

    bool anotherInstance = false;
    std::string programFolder = "E:\\";
    bool ended = false;
};

class HeadlessTray : public Tray {
  public:
    bool Add(WindowId owner, const std::string& text) override {
        ++addCalls;
        window = owner;
        tip = text.substr(0, 63);
        added = addResult;
        return addResult;
    }
    void Remove() override {
        ++removeCalls;
        added = false;
    }

    bool addResult = true;
    bool added = false;
    WindowId window = 0;
    std::string tip;
    int addCalls = 0;
    int removeCalls = 0;
};

}  // namespace platform
