#pragma once
// One record of what the headless services were asked, in order, across services, so a
// test can check the order of effects a user would see rather than the code's own labels.
#include <string>
#include <vector>

namespace platform {

struct EventLog {
    std::vector<std::string> entries;
    void Add(std::string entry) { entries.push_back(std::move(entry)); }
};

inline void Record(EventLog* log, std::string entry) {
    if (log) log->Add(std::move(entry));
}

}  // namespace platform
