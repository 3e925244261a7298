#pragma once
// HTTP through the system's client (WinINet).
#include "platform/http.h"

namespace platform {

class Win32Http : public Http {
  public:
    HttpReply Get(const std::string& url, unsigned timeoutMs, std::size_t maxBody) override;
};

}  // namespace platform
