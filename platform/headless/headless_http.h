#pragma once
// HTTP as tests set it up: each request is recorded and answered from a queue.
#include <deque>
#include <string>
#include <vector>

#include "platform/http.h"

namespace platform {

struct HttpCall {
    std::string url;
    unsigned timeoutMs = 0;
    std::size_t maxBody = 0;
};

class HeadlessHttp : public Http {
  public:
    // With nothing queued there is no answer, as when no server listens. A queued body
    // longer than the cap comes back cut, as the real client reads it.
    HttpReply Get(const std::string& url, unsigned timeoutMs, std::size_t maxBody) override {
        calls.push_back({url, timeoutMs, maxBody});
        if (replies.empty()) return {};
        HttpReply reply = replies.front();
        replies.pop_front();
        if (reply.body.size() > maxBody) {
            reply.body.resize(maxBody);
            reply.truncated = true;
        }
        return reply;
    }

    static HttpReply Answer(const std::string& body, int status = 200) {
        return {true, status, status >= 300 && status < 400, body, false};
    }
    static HttpReply NoAnswer() { return {}; }

    std::deque<HttpReply> replies;
    std::vector<HttpCall> calls;
};

}  // namespace platform
