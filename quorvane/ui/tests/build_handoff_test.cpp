// A build handed over by an unattended run: the window's decision and
// build, the beacon's side of the socket with a client that sends garbage,
// and the unattended side against a stand-in for the running copy.

#include "quorvane/ui/build_handoff.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDialog>
#include <QLocalSocket>
#include <QPushButton>
#include <QtTest>
#include <cstdio>
#include <thread>

#include "common/qt/instance_beacon.h"
#include "common/qt/testing/test_main.h"
#include "quorvane/ui/main_window.h"
#include "quorvane/ui/window_build.h"
#include "ui_world_fixture.h"

namespace quor::ui {

using namespace quor::testing;

namespace {

using handoff::Kind;

// A window with one folder and the list "list" (out/list.txt) open.
struct HandoffWorld {
    UiWorld world;
    std::unique_ptr<MainWindow> window;
    WindowBuild* build = nullptr;
    int accepted = 0;

    HandoffWorld() {
        world.home.file("music/a.txt", "a");
        world.home.folder("out");
        world.addRecords({world.home.path("music").string()});
        world.settings().saveSetting("SavePath", world.home.path("out/list.txt").string());
        world.settings().saveSetting("ShowHeader", "0");
        window = world.makeMainWindow();
        build = attachWindowBuild(*window, world.user, world.services());
        build->interaction().setEventInterval(std::chrono::milliseconds(0));
        (void)window->load();
    }
    handoff::Message ask(const std::string& listName) {
        return buildHandedOver(*window, *build, listName, [this] { ++accepted; });
    }
    bool listWritten() { return world.home.exists("out/list.txt"); }
};

// Runs work on a thread of its own while this thread's events run, so that
// a blocking client can talk to a beacon of this thread.
template <class Work>
void runBesideEventLoop(Work work) {
    QEventLoop loop;
    std::thread thread([&] {
        work();
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);  // a guard, not a measure
    loop.exec();
    thread.join();
}

// A stand-in for the running copy on a socket file: takes one connection,
// reads the request line, writes reply and, when told to, holds the
// connection until the other side closes it.
class FakeRunningCopy {
  public:
    FakeRunningCopy(const std::filesystem::path& socketFile, std::string reply, bool hold)
        : listener_(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socketFile.c_str());
        listening_ =
            ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
            ::listen(listener_, 1) == 0;
        if (listening_) {
            thread_ = std::thread([this, reply = std::move(reply), hold] { serve(reply, hold); });
        }
    }
    ~FakeRunningCopy() {
        if (thread_.joinable()) {
            thread_.join();
        }
        ::close(listener_);
    }
    bool listening() const { return listening_; }
    // The request as received; complete once the client is done.
    const std::string& received() {
        thread_.join();
        return received_;
    }

  private:
    void serve(const std::string& reply, bool hold) {
        const int client = ::accept(listener_, nullptr, nullptr);
        if (client < 0) {
            return;
        }
        char c = 0;
        while (received_.size() < 8192 && ::read(client, &c, 1) == 1) {
            received_ += c;
            if (c == '\n') {
                break;
            }
        }
        (void)!::write(client, reply.data(), reply.size());
        while (hold && ::read(client, &c, 1) == 1) {
        }
        ::close(client);
    }

    int listener_;
    bool listening_ = false;
    std::string received_;
    std::thread thread_;
};

// What a raw client gets back from the beacon for what it sends.
QByteArray beaconAnswerTo(const QString& name, const QByteArray& sent) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(5000)) {
        return "(not connected)";
    }
    QSignalSpy closed(&socket, &QLocalSocket::disconnected);
    socket.write(sent);
    socket.flush();
    if (socket.state() == QLocalSocket::ConnectedState) {
        closed.wait(60000);  // a guard, not a measure
    }
    return socket.readAll();
}

}  // namespace

class BuildHandoffTest : public QObject {
    Q_OBJECT
  private slots:
    void theWindowBuildsItsOpenListWhenIdle();
    void aBusyWindowOrAnotherListRefusesAndNothingIsBuilt();
    void aBuildThatFailsIsAnsweredWithItsReason();
    void anUnattendedRunHandsItsBuildToTheWindow();
    void theBeaconRefusesWhatItDoesNotUnderstand();
    void theUnattendedSideTrustsNoAnswer();
};

void BuildHandoffTest::theWindowBuildsItsOpenListWhenIdle() {
    for (const std::string name : {"list.lst", ""}) {
        HandoffWorld f;
        f.window->show();
        bool buildingInTheWindow = false;
        int acceptedBeforeTheBuild = -1;
        QMetaObject::invokeMethod(
            f.window.get(),
            [&] {
                buildingInTheWindow = f.window->building() &&
                                      !child<QPushButton>(*f.window, "btnMakeList").isEnabled();
                acceptedBeforeTheBuild = f.accepted;
            },
            Qt::QueuedConnection);
        QCOMPARE(f.ask(name), (handoff::Message{Kind::Built, ""}));
        QVERIFY(buildingInTheWindow);
        QCOMPARE(acceptedBeforeTheBuild, 1);
        QCOMPARE(f.accepted, 1);
        QVERIFY(f.world.home.read("out/list.txt").find("a.txt") != std::string::npos);
        QVERIFY(f.world.user.boxes().empty());
        QVERIFY(!f.window->building());
    }
}

void BuildHandoffTest::aBusyWindowOrAnotherListRefusesAndNothingIsBuilt() {
    {
        HandoffWorld f;
        const handoff::Message answer = f.ask("rock.lst");
        QCOMPARE(answer.kind, Kind::Refused);
        QCOMPARE(answer.text, std::string("it has the list list open, not rock"));
        QVERIFY(!f.listWritten());
        QCOMPARE(f.accepted, 0);
    }
    {
        HandoffWorld f;
        f.world.settings().saveSetting("SavePath", "");
        const handoff::Message answer = f.ask("");
        QCOMPARE(answer.kind, Kind::Refused);
        QVERIFY(answer.text.find("no output file") != std::string::npos);
        QVERIFY(f.world.saveRequests.empty());  // no chooser for an absent user
    }
    {
        HandoffWorld f;
        QDialog dialog(f.window.get());
        dialog.open();  // a window-modal dialog box waits for the user
        const handoff::Message answer = f.ask("list.lst");
        dialog.close();
        QCOMPARE(answer.kind, Kind::Refused);
        QVERIFY(answer.text.find("busy") != std::string::npos);
        QVERIFY(!f.listWritten());
    }
    {
        HandoffWorld f;
        handoff::Message during;
        QMetaObject::invokeMethod(
            f.window.get(), [&] { during = f.ask("list.lst"); }, Qt::QueuedConnection);
        f.window->makeList();
        QCOMPARE(during.kind, Kind::Refused);
        QVERIFY(during.text.find("busy") != std::string::npos);
        QCOMPARE(f.accepted, 0);
    }
}

void BuildHandoffTest::aBuildThatFailsIsAnsweredWithItsReason() {
    HandoffWorld f;
    f.world.settings().saveSetting("NumPaths", "0");
    const handoff::Message answer = f.ask("list.lst");
    QCOMPARE(f.accepted, 1);
    QCOMPARE(answer.kind, Kind::Failed);
    QCOMPARE(answer.text, std::string("no folders have been selected for the list"));
    QVERIFY(!f.listWritten());
}

void BuildHandoffTest::anUnattendedRunHandsItsBuildToTheWindow() {
    HandoffWorld f;
    InstanceBeacon beacon;
    QVERIFY(beacon.listen(beaconName(f.world.home.home())));
    takeHandedOverBuilds(beacon, *f.window, *f.build);

    Status refused;
    runBesideEventLoop([&] { refused = handOffToWindow(f.world.home.home(), "rock.lst"); });
    QVERIFY(!refused.ok());
    QCOMPARE(refused.error(), std::string("the running Quorvane window did not build the list: it "
                                          "has the list list open, not rock"));
    QVERIFY(!f.listWritten());

    Status built = Error{"not run"};
    runBesideEventLoop([&] { built = handOffToWindow(f.world.home.home(), "list.lst"); });
    QVERIFY2(built.ok(), built.ok() ? "" : built.error().c_str());
    QVERIFY(f.listWritten());
}

void BuildHandoffTest::theBeaconRefusesWhatItDoesNotUnderstand() {
    quor::testing::TempTree folder;
    const QString name = beaconName(folder.root());
    InstanceBeacon beacon;
    QVERIFY(beacon.listen(name));
    int handled = 0;
    beacon.setBuildRequestHandler([&](const std::string&, const std::function<void()>&) {
        ++handled;
        return handoff::Message{Kind::Built, ""};
    });
    const QByteArray notUnderstood = "quorvane-build/1 refused the request was not understood\n";
    const QByteArray garbage[] = {
        "hello\n",
        "quorvane-build/2 build list.lst\n",
        "quorvane-build/1 built\n",
        QByteArray("quorvane-build/1 build a\0b\n", 27),
        // A whole line's worth without its end: the rest is never waited for.
        QByteArray(handoff::kMaxHandoffLine, 'x'),
        "quorvane-build/1 build " + QByteArray(handoff::kMaxHandoffLine - 23, 'n'),
    };
    for (const QByteArray& sent : garbage) {
        QCOMPARE(beaconAnswerTo(name, sent), notUnderstood);
    }
    QCOMPARE(handled, 0);
    QCOMPARE(beaconAnswerTo(name, "quorvane-build/1 build list.lst\n"),
             QByteArray("quorvane-build/1 built\n"));
    QCOMPARE(handled, 1);

    InstanceBeacon without;
    QVERIFY(without.listen(name + "-2"));
    QCOMPARE(beaconAnswerTo(name + "-2", "quorvane-build/1 build\n"),
             QByteArray("quorvane-build/1 refused this copy does not take builds\n"));
}

void BuildHandoffTest::theUnattendedSideTrustsNoAnswer() {
    struct Case {
        const char* name;
        std::string reply;
        bool hold;
        std::string error;  // "" for success
    };
    const std::string accepted = "quorvane-build/1 accepted\n";
    const std::string notUnderstood =
        "the running copy of quorvane gave an answer that was not "
        "understood; nothing is known of the list";
    const Case cases[] = {
        {"built", accepted + "quorvane-build/1 built\n", false, ""},
        {"refused", "quorvane-build/1 refused it is busy\n", false,
         "the running Quorvane window did not build the list: it is busy"},
        {"failed", accepted + "quorvane-build/1 failed the list could not be written\n", false,
         "the running Quorvane window could not build the list: the list could not be written"},
        {"closed at once", "", false,
         "the running copy of quorvane ended the connection without an answer; nothing was "
         "done"},
        {"closed while building", accepted, false,
         "the Quorvane window closed before the list was built"},
        {"silent", "", true,
         "the running copy of quorvane did not answer within 0 seconds; "
         "nothing was done"},
        {"built before accepting", "quorvane-build/1 built\n", false, notUnderstood},
        {"accepted twice", accepted + accepted, false, notUnderstood},
        {"another protocol", "HTTP/1.1 200 OK\r\n", false, notUnderstood},
        {"endless line", std::string(3 * handoff::kMaxHandoffLine, 'x'), true, notUnderstood},
        {"escape in the reason", "quorvane-build/1 refused \x1b[2J\n", false, notUnderstood},
    };
    HandoffWaits quick;
    quick.answer = std::chrono::milliseconds(50);
    for (const Case& c : cases) {
        quor::testing::TempTree tree;
        FakeRunningCopy copy(tree.path("socket"), c.reply, c.hold);
        QVERIFY2(copy.listening(), c.name);
        const Status status =
            handOffBuild(QString::fromStdString(tree.path("socket").string()), "music.lst", quick);
        QCOMPARE(copy.received(), std::string("quorvane-build/1 build music.lst\n"));
        QCOMPARE(status.ok() ? std::string() : status.error(), c.error);
    }

    quor::testing::TempTree tree;
    const Status nobody = handOffBuild(QString::fromStdString(tree.path("none").string()), "");
    QVERIFY(!nobody.ok());
    QVERIFY(nobody.error().find("nothing was done") != std::string::npos);
    const Status unsendable =
        handOffBuild(QString::fromStdString(tree.path("none").string()), "two\nlines.lst");
    QVERIFY(!unsendable.ok());
}

}  // namespace quor::ui

QUOR_QT_TEST_MAIN(quor::ui::BuildHandoffTest)

#include "build_handoff_test.moc"
