#pragma once
// One synchronous HTTP GET. The caller's thread waits until the answer is in, the request
// failed, or the time-out passed.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

struct HttpReply {
    // False when no answer came: no connection, unknown host, time-out.
    bool answered = false;
    int status = 0;
    // The server pointed elsewhere (a 3xx status). Redirects are never followed: the
    // redirect's own status and body come back.
    bool redirected = false;
    std::string body;  // at most the cap the caller gave
    bool truncated = false;
};

// Whether `received` bytes are the whole body of a reply whose Content-Length header reads
// `contentLength` (empty when the server sent none, and the body ends with the connection).
// A body cut short is no answer: "1" may have been the start of "10". A length that is no
// plain number cannot be checked, so nothing read under it counts either.
bool WholeBody(std::string_view contentLength, std::uint64_t received);

class Http {
  public:
    virtual ~Http() = default;
    // The whole exchange, connecting included, ends within about `timeoutMs`. Reading
    // stops after `maxBody` bytes, so a server sending without end cannot stall us.
    virtual HttpReply Get(const std::string& url, unsigned timeoutMs, std::size_t maxBody) = 0;
};

}  // namespace platform
