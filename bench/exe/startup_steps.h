#pragma once
// Shared by the test build of quopa.exe, which times its start-up, and the benchmark that
// reads the times.
namespace e2e {

inline constexpr char kStartupStepsFile[] = "quopa_startup_steps.txt";

}  // namespace e2e
