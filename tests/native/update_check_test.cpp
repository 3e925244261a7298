// The update checker's reading of what the server sends, and the window it shows.
#include <gtest/gtest.h>

#include "info/frmUpdate.h"
#include "tests/native/dialog_fixture.h"

namespace quopa::testing {
namespace {

using platform::HeadlessHttp;

TEST(UpdateReplyTest, OnlyAOneOrAZeroIsAnAnswer) {
    const struct {
        platform::HttpReply reply;
        UpdateAnswer expected;
    } cases[] = {
        {HeadlessHttp::Answer("1"), UpdateAnswer::Current},
        {HeadlessHttp::Answer("0"), UpdateAnswer::Outdated},
        {HeadlessHttp::Answer(" 1 "), UpdateAnswer::Current},
        {HeadlessHttp::Answer("0\r\n"), UpdateAnswer::Outdated},
        {HeadlessHttp::Answer("+1"), UpdateAnswer::Current},
        {HeadlessHttp::Answer("2"), UpdateAnswer::Failed},
        {HeadlessHttp::Answer("-1"), UpdateAnswer::Failed},
        {HeadlessHttp::Answer(""), UpdateAnswer::Failed},
        {HeadlessHttp::Answer("   "), UpdateAnswer::Failed},
        {HeadlessHttp::Answer("<html><body>Not Found</body></html>"), UpdateAnswer::Failed},
        {HeadlessHttp::Answer("yes"), UpdateAnswer::Failed},
        {HeadlessHttp::Answer("1 0"), UpdateAnswer::Failed},
        {HeadlessHttp::Answer("1.5"), UpdateAnswer::Failed},
        {HeadlessHttp::Answer("70000"), UpdateAnswer::Failed},
        {HeadlessHttp::Answer("65537"), UpdateAnswer::Failed},  // 1 once cut to 16 bits
        // An error page or a redirect still counts when its body is the answer itself.
        {HeadlessHttp::Answer("1", 404), UpdateAnswer::Current},
        {HeadlessHttp::Answer("0", 302), UpdateAnswer::Outdated},
        {HeadlessHttp::Answer("<html>moved</html>", 301), UpdateAnswer::Failed},
        {{true, 200, false, "1", true}, UpdateAnswer::Failed},  // cut at the cap
        {HeadlessHttp::NoAnswer(), UpdateAnswer::Failed},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadUpdateReply(c.reply), c.expected)
            << "'" << c.reply.body << "' status " << c.reply.status;
    }
}

// A server that hangs up early must not pass off the start of its body as all of it.
TEST(HttpBodyTest, OnlyABodyOfTheStatedLengthIsWhole) {
    const struct {
        const char* contentLength;
        std::uint64_t received;
        bool whole;
    } cases[] = {
        {"", 1, true},  // no length: the body ends with the connection
        {"1", 1, true},
        {" 1 ", 1, true},
        {"0", 0, true},
        {"5", 1, false},
        {"0", 1, false},
        {"-1", 1, false},
        {"18446744073709551617", 1, false},  // 2^64 + 1
        {"1x", 1, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::WholeBody(c.contentLength, c.received), c.whole)
            << "'" << c.contentLength << "', " << c.received << " bytes";
    }
}

TEST(UpdateReplyTest, NumbersStopAtTheSixteenBitRange) {
    EXPECT_EQ(ReadShort("32767"), 32767);
    EXPECT_EQ(ReadShort("\t-32768 "), -32768);
    EXPECT_EQ(ReadShort("00001"), 1);
    for (const char* bad : {"32768", "-32769", "99999999999999999999999", "-", "1-", "--1", "0x1"})
        EXPECT_FALSE(ReadShort(bad).has_value()) << bad;
}

class UpdateWindowTest : public DialogTest {
  protected:
    frmUpdate& Open() {
        dlg_ = std::make_unique<frmUpdate>(ctx_);
        dlg_->Create();
        return *dlg_;
    }
    std::unique_ptr<frmUpdate> dlg_;
};

TEST_F(UpdateWindowTest, AsksOnceWithTheFixedRequestBeforeItShows) {
    http_.replies.push_back(HeadlessHttp::Answer("1"));
    frmUpdate& d = Open();
    ASSERT_EQ(http_.calls.size(), 1u);
    EXPECT_EQ(http_.calls[0].url, std::string("http://") + kUpdateHost +
                                      "/infusions/license_system/update_check.php?app=2&version=1");
    EXPECT_EQ(http_.calls[0].timeoutMs, 60000u);
    EXPECT_LE(http_.calls[0].maxBody, 4096u);
    EXPECT_FALSE(d.form.Visible());
    EXPECT_EQ(d.form.Text(), "Quopa Update Checker");
    EXPECT_EQ(d.Label1.Text(), "This version of quopa is up to date.");
    EXPECT_EQ(d.Check1.Value(), 2);
    EXPECT_EQ(d.Check2.Value(), 2);
    EXPECT_FALSE(d.Check1.Enabled());
    EXPECT_FALSE(d.Check2.Enabled());
}

TEST_F(UpdateWindowTest, ShowsEachOutcomeAndClosesOnEnter) {
    const std::string outdated =
        std::string("This version of quopa is outdated! Please get a new version at ") + kWebsite;
    const struct {
        platform::HttpReply reply;
        std::string text;
        int checking;
    } cases[] = {
        {HeadlessHttp::Answer("0"), outdated, 2},
        {HeadlessHttp::Answer("2"), "Connection failed!", 0},
        {HeadlessHttp::Answer(std::string(1 << 20, '1')), "Connection failed!", 0},
        {HeadlessHttp::NoAnswer(), "Connection failed!", 0},  // no server, or its time-out
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        http_.replies.push_back(c.reply);
        frmUpdate& d = Open();
        EXPECT_EQ(d.Label1.Text(), c.text);
        EXPECT_EQ(d.Check1.Value(), 2);
        EXPECT_EQ(d.Check2.Value(), c.checking);
        backend_.modalActions.push_back([](ui::Form& f) { EXPECT_TRUE(f.PressEnter()); });
        d.ShowModal(owner_);
        EXPECT_FALSE(d.form.Loaded());
        EXPECT_TRUE(owner_.Enabled());
    }
}

}  // namespace
}  // namespace quopa::testing
