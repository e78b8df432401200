#include "quorvane/ui/game_sound.h"

#include <QStandardPaths>
#include <QtEndian>
#include <cmath>
#include <numbers>

namespace quor::ui {

namespace {

void appendLittle32(QByteArray& bytes, quint32 value) {
    char raw[4];
    qToLittleEndian(value, raw);
    bytes.append(raw, 4);
}

void appendLittle16(QByteArray& bytes, quint16 value) {
    char raw[2];
    qToLittleEndian(value, raw);
    bytes.append(raw, 2);
}

}  // namespace

QByteArray toneWav(double frequency, int milliseconds, int sampleRate) {
    const int samples = std::max(0, sampleRate * milliseconds / 1000);
    const auto dataBytes = static_cast<quint32>(samples * 2);
    QByteArray wav;
    wav.reserve(static_cast<qsizetype>(44 + dataBytes));
    wav.append("RIFF");
    appendLittle32(wav, 36 + dataBytes);
    wav.append("WAVEfmt ");
    appendLittle32(wav, 16);
    appendLittle16(wav, 1);  // PCM
    appendLittle16(wav, 1);  // mono
    appendLittle32(wav, static_cast<quint32>(sampleRate));
    appendLittle32(wav, static_cast<quint32>(sampleRate * 2));
    appendLittle16(wav, 2);
    appendLittle16(wav, 16);
    wav.append("data");
    appendLittle32(wav, dataBytes);
    for (int i = 0; i < samples; ++i) {
        const double fade = 1.0 - static_cast<double>(i) / samples;
        const double value =
            std::sin(2 * std::numbers::pi * frequency * i / sampleRate) * fade * 0.4;
        appendLittle16(wav, static_cast<quint16>(static_cast<qint16>(value * 32767)));
    }
    return wav;
}

GameSound::GameSound(QObject* parent) : QObject(parent) {
    for (const char* candidate : {"pw-play", "paplay", "aplay"}) {
        player_ = QStandardPaths::findExecutable(candidate);
        if (!player_.isEmpty()) {
            break;
        }
    }
}

GameSound::~GameSound() {
    if (playing_) {
        playing_->kill();
        playing_->waitForFinished(500);
    }
}

void GameSound::play(double frequency, int milliseconds) {
    if (!enabled_ || player_.isEmpty() || playing_) {
        return;
    }
    auto* process = new QProcess(this);
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    connect(process, &QProcess::finished, process, &QObject::deleteLater);
    connect(process, &QProcess::errorOccurred, process, &QObject::deleteLater);
    // Each player reads the WAV data from standard input.
    QStringList arguments;
    if (player_.endsWith("/aplay")) {
        arguments << "-q"
                  << "-";
    } else if (player_.endsWith("/pw-play")) {
        arguments << "-";
    }
    process->start(player_, arguments);
    playing_ = process;
    process->write(toneWav(frequency, milliseconds));
    process->closeWriteChannel();
}

}  // namespace quor::ui
