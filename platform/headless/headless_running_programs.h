#pragma once
// Programs as a test scripts them: each answers a close request as told. Adding a program
// under an id already in use plays the system handing a gone program's id to a new one.
#include <map>
#include <memory>
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
        bool mayEnd = true;  // false: the system refuses to end it (it runs with higher rights)
        int serial = 0;      // which process holds the id now
    };

    bool List(std::vector<std::unique_ptr<HeldProgram>>& out) override {
        if (!listable) return false;
        out.clear();
        for (const auto& [id, p] : programs)
            if (p.state != ProgramState::Gone) out.push_back(std::make_unique<Held>(*this, p));
        return true;
    }
    std::uint32_t OwnId() override { return ownId; }

    Program& Add(std::uint32_t id, std::string path, std::string title,
                 OnClose onClose = OnClose::Closes) {
        closing.erase(id);
        Program& p = programs[id] = {{id, std::move(path), std::move(title)}, onClose};
        p.serial = ++serials_;
        return p;
    }

    bool listable = true;
    std::uint32_t ownId = 1;
    std::map<std::uint32_t, Program> programs;
    std::map<std::uint32_t, int> closing;
    // The ids of the programs that a request reached.
    std::vector<std::uint32_t> asked, ended;
    int held = 0;  // listed programs not yet let go

  private:
    class Held : public HeldProgram {
      public:
        Held(HeadlessRunningPrograms& all, const Program& p)
            : all_(all), info_(p.info), serial_(p.serial) {
            ++all_.held;
        }
        ~Held() override { --all_.held; }
        const RunningProgram& Info() const override { return info_; }
        void AskToClose() override {
            Program* p = Live();
            if (!p) return;
            all_.asked.push_back(info_.id);
            if (p->onClose == OnClose::AsksTheUser) p->state = ProgramState::WaitingForUser;
            if (p->onClose == OnClose::Closes) all_.closing[info_.id] = p->pollsToClose;
        }
        ProgramState State() override {
            Program* p = Live();
            if (!p) return ProgramState::Gone;
            if (auto c = all_.closing.find(info_.id); c != all_.closing.end() && --c->second <= 0) {
                p->state = ProgramState::Gone;
                all_.closing.erase(c);
            }
            return p->state;
        }
        bool End() override {
            Program* p = Live();
            if (!p) return true;
            if (!p->mayEnd) return false;
            all_.ended.push_back(info_.id);
            p->state = ProgramState::Gone;
            return true;
        }

      private:
        // The program this was listed as, unless it is gone and another took its id.
        Program* Live() const {
            auto it = all_.programs.find(info_.id);
            return it != all_.programs.end() && it->second.serial == serial_ ? &it->second
                                                                             : nullptr;
        }
        HeadlessRunningPrograms& all_;
        RunningProgram info_;
        int serial_;
    };

    int serials_ = 0;
};

}  // namespace platform
