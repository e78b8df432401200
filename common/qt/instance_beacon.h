#pragma once

// How a second copy of a program reaches the first one: the first copy
// listens on a per-user local socket (user-only access) whose name is
// derived from the program's name and the program folder, so copies with
// different program folders (tests with their own QUORVANE_HOME) never
// meet. A second interactive copy asks the first to come forward and ends;
// an unattended build hands its request to the first copy and waits for
// the outcome (common/handoff_protocol.h says what goes over the socket).
//
// The socket belongs to the user, but its bytes are never trusted: every
// line is read with a bound, and anything but a known line is refused.

#include <QLocalServer>
#include <QLocalSocket>
#include <QObject>
#include <QString>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

#include "common/handoff_protocol.h"
#include "common/result.h"

namespace quor::ui {

// The socket name of program ("quorvane", "quorfind") for a program folder.
QString beaconName(const std::filesystem::path& programFolder, const QString& program = "quorvane");

// What the running copy does with a build handed to it: called from the
// event loop (never inside a read of the socket) with the saved list asked
// for ("music.lst", "" for the current configuration). It calls accepted()
// just before it starts building and returns the outcome: Built, or Refused
// or Failed with the reason.
using BuildRequestHandler = std::function<handoff::Message(const std::string& listName,
                                                           const std::function<void()>& accepted)>;

class InstanceBeacon : public QObject {
    Q_OBJECT
  public:
    explicit InstanceBeacon(QObject* parent = nullptr);

    // Listens under name; a stale socket of a copy that ended is replaced
    // (the caller holds the instance lock, so no live copy owns it). False
    // when it cannot listen; the program then runs without the beacon.
    [[nodiscard]] bool listen(const QString& name);

    // Takes handed-over builds; without a handler they are refused.
    void setBuildRequestHandler(BuildRequestHandler handler) { buildHandler_ = std::move(handler); }

  signals:
    // A second copy asked this one to come forward.
    void comeForwardRequested();

  private:
    void takeConnection(QLocalSocket* socket);
    void readLines(QLocalSocket* socket);
    void answerBuildRequest(QLocalSocket* socket, const std::string& listName);

    BuildRequestHandler buildHandler_;
    int connections_ = 0;  // declared before server_, which deletes the sockets
    QLocalServer server_;
};

// The second copy's side: true when the first copy was reached and told.
[[nodiscard]] bool askFirstCopyToComeForward(const QString& name);

// How long an unattended run waits for the running copy: to connect, for
// its first answer, and for the build it accepted.
struct HandoffWaits {
    std::chrono::milliseconds connect{2000};
    std::chrono::milliseconds answer{10000};
    std::chrono::milliseconds build{std::chrono::hours(4)};
};

// Hands the build of listName to the copy listening under name and waits
// (blocked in the socket, not polling) until it has been built there.
// Success when the list was written; otherwise the reason, as a sentence
// for standard error: nobody listens, the request was refused (another list
// open, busy), no answer in time, the build failed, the window closed, or
// an answer that was not understood.
Status handOffBuild(const QString& name, const std::string& listName,
                    const HandoffWaits& waits = {});

}  // namespace quor::ui
