// The test build asks this machine for updates, where nothing answers in the end-to-end
// tests, and gives up on a silent server in seconds rather than a minute.
#include "info/update_check.h"

namespace quopa {

const char kUpdateHost[] = "127.0.0.1:47731";
const unsigned kUpdateTimeoutMs = 3000;

}  // namespace quopa
