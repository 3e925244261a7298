// The about box and the update check on the test build of quopa.exe, which asks a server
// this test starts on the loopback port it was built with.

// Sockets before windows.h, which the fixture brings.
#include "tests/windows/loopback_server.h"

#include <memory>
#include <string>

#include "tests/e2e/exe/loopback_port.h"
#include "tests/e2e/launcher_fixture.h"

namespace e2e {
namespace {

class InfoE2E : public TreeE2E {
  protected:
    InfoE2E() : TreeE2E("QUOPA_TEST_EXE") {}

    // Runs Check for updates, reads what the window says and closes it; `seconds` is how
    // long the window took to come.
    std::string CheckForUpdates(double* seconds = nullptr) {
        const auto start = loopback::Clock::now();
        Command(quopa::cmd::kUpdate);
        HWND window = launcher_.WaitWindow("QuopaUpdate", 30000);
        if (seconds) *seconds = loopback::Seconds(start);
        if (!window) return "(no update window)";
        std::string said = "(no answer shown)";
        for (const char* text : {"This version of quopa is up to date.", "Connection failed!"})
            if (FindChild(window, "Static", text)) said = text;
        Click(FindChild(window, "Button", "&OK"));
        EXPECT_TRUE(WaitGone(window));
        return said;
    }
    static std::unique_ptr<loopback::Server> Serve(const std::string& reply,
                                                   const std::string& chunk = "", int repeat = 0) {
        return std::make_unique<loopback::Server>(reply, chunk, repeat, Port());
    }
    static unsigned short Port() {
        return static_cast<unsigned short>(std::stoi(QUOPA_E2E_UPDATE_PORT));
    }

    loopback::Winsock winsock_;
};

TEST_F(InfoE2E, AboutBoxThenUpdateChecksAgainstLoopbackServers) {
    StartWith("", 1);

    Command(quopa::cmd::kAbout);
    HWND about = launcher_.WaitWindow("QuopaAbout", 10000);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(WindowText(about), "About Quopa Application Launcher");
    EXPECT_NE(FindChild(about, "Static", "Version 1.0.0"), nullptr);
    Click(FindChild(about, "Button", "OK"));
    EXPECT_TRUE(WaitGone(about));

    {
        auto server = Serve(loopback::Response("200 OK", "1"));
        EXPECT_EQ(CheckForUpdates(), "This version of quopa is up to date.");
        EXPECT_EQ(
            server->request.rfind(
                "GET /infusions/license_system/update_check.php?app=2&version=1 HTTP/1.1\r\n", 0),
            0u)
            << server->request;
    }
    {
        const std::string megabyte(1024, '1');
        auto server = Serve("HTTP/1.1 200 OK\r\nContent-Length: 1048576\r\n\r\n", megabyte, 1024);
        EXPECT_EQ(CheckForUpdates(), "Connection failed!") << "a megabyte of ones is no answer";
    }
    // The check gives up at the time-out; Wine takes a few seconds more to open its client
    // and the window, and longer on a busy machine.
    const double bound = kUpdateTimeoutMs / 1000.0 + 10;
    {
        auto server = Serve("");
        double seconds = 0;
        EXPECT_EQ(CheckForUpdates(&seconds), "Connection failed!");
        EXPECT_LT(seconds, bound) << "a silent server held the check";
    }
    double seconds = 0;
    EXPECT_EQ(CheckForUpdates(&seconds), "Connection failed!") << "with no server at all";
    EXPECT_LT(seconds, bound);
}

}  // namespace
}  // namespace e2e
