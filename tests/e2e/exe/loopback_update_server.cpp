// The test build asks a server the end-to-end tests start on this machine, and gives up on
// a silent one in seconds rather than a minute.
#include "info/update_check.h"
#include "tests/e2e/exe/loopback_port.h"

namespace quopa {

const char kUpdateHost[] = "127.0.0.1:" QUOPA_E2E_UPDATE_PORT;
const unsigned kUpdateTimeoutMs = e2e::kUpdateTimeoutMs;

}  // namespace quopa
