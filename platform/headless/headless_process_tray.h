#pragma once
#include <string>

#include "platform/headless/event_log.h"
#include "platform/process.h"
#include "platform/tray.h"

namespace platform {

class HeadlessProcess : public Process {
  public:
    bool AnotherInstanceRunning() override {
        Record(log, "instance check");
        return anotherInstance;
    }
    std::string ProgramFolder() override { return programFolder; }
    void End() override {
        Record(log, "end");
        ended = true;
    }

    EventLog* log = nullptr;  // not owned
    bool anotherInstance = false;
    std::string programFolder = "E:\\";
    bool ended = false;
};

class HeadlessTray : public Tray {
  public:
    bool Add(WindowId owner, const std::string& text) override {
        Record(log, "tray add " + text);
        ++addCalls;
        window = owner;
        tip = text;
        added = addResult;
        return addResult;
    }
    void Remove() override {
        Record(log, "tray remove");
        ++removeCalls;
        added = false;
    }

    EventLog* log = nullptr;  // not owned
    bool addResult = true;
    bool added = false;
    WindowId window = 0;
    std::string tip;
    int addCalls = 0;
    int removeCalls = 0;
};

}  // namespace platform
