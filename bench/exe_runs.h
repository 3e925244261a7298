#pragma once
// What the benchmarks that start the real exe share: where its builds are, and the median.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/e2e/remote.h"

// A Linux path ("/work/...") as Wine sees it; other paths unchanged.
inline std::string WinePath(std::string path) {
    if (path.starts_with("/")) path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// The build the environment variable names, else the one of that name beside this program.
inline std::string ExeBeside(const char* variable, const char* name) {
    std::string exe = WinePath(e2e::Env(variable));
    if (!exe.empty()) return exe;
    char self[MAX_PATH + 1] = {};
    std::string path(self, GetModuleFileNameA(nullptr, self, MAX_PATH));
    return path.substr(0, path.find_last_of('\\') + 1) + name;
}

inline double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
