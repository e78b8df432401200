#pragma once

// Short generated tones for the About box's game. They are played through the
// first audio player found on PATH (pw-play, paplay, aplay), fed from
// memory; without a player or an audio device nothing is heard and nothing
// fails.

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QString>

namespace quor::ui {

// A mono 16-bit PCM WAV file of a sine tone that fades out.
QByteArray toneWav(double frequency, int milliseconds, int sampleRate = 22050);

class GameSound : public QObject {
    Q_OBJECT
  public:
    explicit GameSound(QObject* parent = nullptr);
    ~GameSound() override;

    void setEnabled(bool on) { enabled_ = on; }
    bool enabled() const { return enabled_; }
    // True when a player was found.
    bool available() const { return !player_.isEmpty(); }

    // Plays a tone unless sounds are off or the previous one still plays.
    void play(double frequency, int milliseconds);

  private:
    QString player_;
    QPointer<QProcess> playing_;
    bool enabled_ = true;
};

}  // namespace quor::ui
