#pragma once

// How a second interactive copy of a program asks the first one to come
// forward: the first copy listens on a per-user local socket (user-only
// access) whose name is derived from the program's name and the program
// folder, so copies with different program folders (tests with their own
// QUORVANE_HOME) never meet. The second copy connects, says so, and ends.

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <filesystem>

namespace quor::ui {

// The socket name of program ("quorvane", "quorfind") for a program folder.
QString beaconName(const std::filesystem::path& programFolder, const QString& program = "quorvane");

class InstanceBeacon : public QObject {
    Q_OBJECT
  public:
    explicit InstanceBeacon(QObject* parent = nullptr);

    // Listens under name; a stale socket of a copy that ended is replaced
    // (the caller holds the instance lock, so no live copy owns it). False
    // when it cannot listen; the program then runs without the beacon.
    bool listen(const QString& name);

  signals:
    // A second copy asked this one to come forward.
    void comeForwardRequested();

  private:
    QLocalServer server_;
};

// The second copy's side: true when the first copy was reached and told.
bool askFirstCopyToComeForward(const QString& name);

}  // namespace quor::ui
