#pragma once
// Shared by the test build of quopa.exe and the tests that serve it. The port is text, so
// that it joins the host's name where that is defined.
#define QUOPA_E2E_UPDATE_PORT "47731"

namespace e2e {

// Long enough for a loopback answer under a busy Wine, short enough to wait for a silence.
inline constexpr unsigned kUpdateTimeoutMs = 3000;

}  // namespace e2e
