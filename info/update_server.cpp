// The maker's server, linked into the release and into the tests that read its address.
#include "info/update_check.h"

namespace quopa {

const char kUpdateHost[] = "update.quopa.net";
const unsigned kUpdateTimeoutMs = 60000;

}  // namespace quopa
