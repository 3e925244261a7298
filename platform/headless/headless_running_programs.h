#pragma once
// Programs as a test scripts them: each answers a close request as told.
#include <map>
#include <vector>

#include "platform/running_programs.h"

namespace platform {

class HeadlessRunningPrograms : public RunningPrograms {
  public:
    enum class OnClose { Closes, Refuses, AsksTheUser };
    struct Program {
        RunningProgram info;
        OnClose onClose = OnClose::Closes;
        int pollsToClose = 1;  // how many looks at its state before it is gone
        ProgramState state = ProgramState::Running;
    };

    bool List(std::vector<RunningProgram>& out) override {
        if (!listable) return false;
        out.clear();
        for (const auto& [id, p] : programs)
            if (p.state != ProgramState::Gone) out.push_back(p.info);
        return true;
    }
    std::uint32_t OwnId() override { return ownId; }
    void AskToClose(std::uint32_t id) override {
        asked.push_back(id);
        auto it = programs.find(id);
        if (it == programs.end()) return;
        if (it->second.onClose == OnClose::AsksTheUser)
            it->second.state = ProgramState::WaitingForUser;
        if (it->second.onClose == OnClose::Closes) closing[id] = it->second.pollsToClose;
    }
    ProgramState State(std::uint32_t id) override {
        auto it = programs.find(id);
        if (it == programs.end()) return ProgramState::Gone;
        if (auto c = closing.find(id); c != closing.end() && --c->second <= 0) {
            it->second.state = ProgramState::Gone;
            closing.erase(c);
        }
        return it->second.state;
    }
    bool End(std::uint32_t id) override {
        ended.push_back(id);
        auto it = programs.find(id);
        if (it == programs.end()) return false;
        it->second.state = ProgramState::Gone;
        return true;
    }

    void Add(std::uint32_t id, std::string path, std::string title,
             OnClose onClose = OnClose::Closes) {
        programs[id] = {{id, std::move(path), std::move(title)}, onClose};
    }

    bool listable = true;
    std::uint32_t ownId = 1;
    std::map<std::uint32_t, Program> programs;
    std::map<std::uint32_t, int> closing;
    std::vector<std::uint32_t> asked, ended;
};

}  // namespace platform
