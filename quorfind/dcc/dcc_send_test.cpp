#include "quorfind/dcc/dcc_send.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "quorfind/actions/action_test_fixture.h"

namespace quor::find {
namespace {

using testing::ActionTest;

TEST(BuildDccCommand, ReplacesTheFirstOfEachToken) {
    struct Case {
        const char* sendTemplate;
        bool quote;
        const char* command;
    };
    const Case cases[] = {
        {"/DCC send %N %P", true, "/DCC send bob \"/m/a b.mp3\""},
        {"/DCC send %N %P", false, "/DCC send bob /m/a b.mp3"},
        {"/msg friend %F", true, "/msg friend /m/a b.mp3"},
        {"/x %P %P", true, "/x \"/m/a b.mp3\" %P"},
        {"/x %N %N %F %F", true, "/x bob %N /m/a b.mp3 %F"},
        {"/say hello", true, "/say hello"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(buildDccCommand(c.sendTemplate, "bob", "/m/a b.mp3", c.quote), c.command)
            << c.sendTemplate;
    }
}

// A link that records what it was given, and fails when told to.
class RecordingLink final : public platform::IrcLink {
  public:
    RecordingLink(std::vector<std::string>& sent, bool fail) : sent_(sent), fail_(fail) {}
    Status send(std::string_view line) override {
        if (fail_) {
            return Error{"no client"};
        }
        sent_.emplace_back(line);
        return Status::success();
    }
    bool quotesPaths() const override { return true; }

  private:
    std::vector<std::string>& sent_;
    bool fail_;
};

class DccTest : public ActionTest {
  protected:
    LinkFactory factory() {
        return [this](std::string_view service) {
            services.emplace_back(service);
            return std::make_unique<RecordingLink>(sent, fail);
        };
    }
    AskNickname answering(std::string nick) {
        return [this, nick](const std::string& current) {
            offered.push_back(current);
            return nick;
        };
    }
    FindSettings settings{*store};
    DccSession session;
    std::vector<std::string> sent, services, offered;
    bool fail = false;
};

TEST_F(DccTest, SendsEachRowWithTheNicknameKeptForTheRun) {
    const std::vector<SearchRow> rows = {row("Music/Rock/c d.mp3"), row("Music/a.mp3  1KB")};
    EXPECT_EQ(dccSend(rows, context(), settings, session, answering("bob"), factory()), 2);
    EXPECT_EQ(sent, (std::vector<std::string>{"/DCC send bob \"" + music + "/Rock/c d.mp3\"",
                                              "/DCC send bob \"" + music + "/a.mp3\""}));
    EXPECT_EQ(services, (std::vector<std::string>{"mIRC", "mIRC"}));
    EXPECT_EQ(pauses, (std::vector<int>{1000, 1000}));

    EXPECT_EQ(dccSend({row("Music/a.mp3")}, context(), settings, session, answering(""), factory()),
              0);  // cancelled: nothing sent, bob stays
    EXPECT_EQ(offered, (std::vector<std::string>{"", "bob"}));
    EXPECT_EQ(session.nickname, "bob");
}

TEST_F(DccTest, ATemplateWithoutNicknameNeverAsks) {
    settings.saveIrcOptions("hexchat", "/msg friend %F");
    EXPECT_EQ(
        dccSend({row("Music/a.mp3")}, context(), settings, session, answering("x"), factory()), 1);
    EXPECT_TRUE(offered.empty());
    EXPECT_EQ(sent, std::vector<std::string>{"/msg friend " + music + "/a.mp3"});
    EXPECT_EQ(services, std::vector<std::string>{"hexchat"});
}

TEST_F(DccTest, RowsWithPercentDollarOrLineBreaksAreNotSent) {
    home.file("music/50%.mp3", "x");
    home.file("music/line\nbreak.mp3", "x");
    const std::vector<SearchRow> rows = {row("Music/50%.mp3"), row("Music/$cash.mp3"),
                                         SearchRow::entry("Music/", "line\nbreak.mp3"),
                                         row("Music/a.mp3")};
    EXPECT_EQ(dccSend(rows, context(), settings, session, answering("bob"), factory()), 1);
    EXPECT_EQ(sent.size(), 1u);
    ASSERT_EQ(user.boxes().size(), 3u);
    EXPECT_EQ(user.boxes()[0].text,
              "The file: Music/50%.mp3\ncould not be sent to Mirc.\n"
              "Mirc can't accept the $ or % symbols, please rename the file.");
    EXPECT_EQ(user.boxes()[2].text, cannotSendText("Music/line?break.mp3"));
}

TEST_F(DccTest, AQuoteInAPathIsNotSentInsideQuotes) {
    home.file("music/say \"hi\".mp3", "x");
    const std::vector<SearchRow> rows = {row("Music/say \"hi\".mp3"), row("Music/a.mp3")};
    EXPECT_EQ(dccSend(rows, context(), settings, session, answering("bob"), factory()), 1);
    EXPECT_EQ(sent, std::vector<std::string>{"/DCC send bob \"" + music + "/a.mp3\""});
    ASSERT_EQ(user.boxes().size(), 1u);
    EXPECT_EQ(user.boxes()[0].text, cannotQuoteText("Music/say \"hi\".mp3"));

    settings.saveIrcOptions("hexchat", "/msg %N look at %F");  // unquoted: sent as it stands
    sent.clear();
    EXPECT_EQ(dccSend({rows[0]}, context(), settings, session, answering("bob"), factory()), 1);
    EXPECT_EQ(sent, std::vector<std::string>{"/msg bob look at " + music + "/say \"hi\".mp3"});
}

TEST_F(DccTest, AFailedLinkStopsTheActionWithTheClientMessage) {
    fail = true;
    EXPECT_EQ(dccSend({row("Music/a.mp3"), row("Music/Rock/b.mp3")}, context(), settings, session,
                      answering("bob"), factory()),
              0);
    EXPECT_EQ(services.size(), 1u);
    ASSERT_EQ(user.boxes().size(), 1u);
    EXPECT_TRUE(user.boxes()[0].text.starts_with(kIrcClientFailed));
    EXPECT_EQ(user.boxes()[0].caption, "Quorfind");
}

TEST_F(DccTest, RefusedForOtherListSources) {
    EXPECT_EQ(dccSend({row("Music/a.mp3")}, context(ListType::TextList), settings, session,
                      answering("bob"), factory()),
              0);
    EXPECT_TRUE(offered.empty());
    ASSERT_EQ(user.boxes().size(), 1u);
    EXPECT_TRUE(user.boxes()[0].text.starts_with("You can only send files"));
}

TEST_F(DccTest, SendsThroughAWeechatFifoWithoutQuotes) {
    const auto pipe = home.path("weechat_fifo_9");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    settings.saveIrcOptions(pipe.string(), "");
    EXPECT_EQ(dccSend({row("Music/Rock/c d.mp3")}, context(), settings, session, answering("bob")),
              1);
    char buffer[512] = {};
    const ssize_t got = ::read(reader, buffer, sizeof buffer - 1);
    ::close(reader);
    EXPECT_EQ(std::string(buffer, got > 0 ? static_cast<std::size_t>(got) : 0),
              "*/DCC send bob " + music + "/Rock/c d.mp3\n");
}

}  // namespace
}  // namespace quor::find
