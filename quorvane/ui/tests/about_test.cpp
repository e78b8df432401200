// The About box and its game.

#include <QCheckBox>
#include <QSignalSpy>
#include <QtTest>

#include "common/qt/testing/test_main.h"
#include "quorvane/ui/about_box.h"
#include "quorvane/ui/game_sound.h"
#include "quorvane/ui/paddle_game.h"
#include "ui_world_fixture.h"

namespace quor::ui {

using namespace quor::testing;

class AboutTest : public QObject {
    Q_OBJECT
  private slots:
    void opensTicksAndStopsWhenClosed();
    void returnedBallSpeedsUpAndMissesScore();
    void paddleStaysOnTheField();
    void toneIsAWholeWavFile();
};

void AboutTest::opensTicksAndStopsWhenClosed() {
    AboutBox about;
    child<QCheckBox>(about, "chkSound").setChecked(false);
    about.show();
    QVERIFY(about.game()->running());
    QSignalSpy ticks(about.game(), &PaddleGame::ticked);
    while (ticks.count() < 3) {
        QVERIFY(ticks.wait());
    }
    screenshot(about, "about-box");
    click(about, "btnOK");
    QVERIFY(!about.game()->running());
    QVERIFY(!about.isVisible());
    QVERIFY(!about.game()->sound().enabled());
}

void AboutTest::returnedBallSpeedsUpAndMissesScore() {
    PaddleGame game;
    game.sound().setEnabled(false);
    game.setPlayerPaddle(80);
    game.setBall(QPointF(14, 95), QPointF(-3, 0));
    game.step();
    QVERIFY(game.ballSpeed() > 3);
    QVERIFY(game.playerScore() == 0 && game.computerScore() == 0);

    game.setPlayerPaddle(0);
    game.setBall(QPointF(5, 180), QPointF(-4, 0));
    QSignalSpy scored(&game, &PaddleGame::scored);
    for (int i = 0; i < 10 && scored.isEmpty(); ++i) {
        game.step();
    }
    QCOMPARE(game.computerScore(), 1);
    QCOMPARE(game.ballSpeed(), PaddleGame::kStartSpeed);  // a new serve

    // Off the top wall the ball comes back down.
    game.setBall(QPointF(150, 1), QPointF(1, -3));
    game.step();
    QVERIFY(game.ball().y() >= 0);
    game.step();
    QVERIFY(game.ball().y() > 0);
}

void AboutTest::paddleStaysOnTheField() {
    PaddleGame game;
    game.setPlayerPaddle(-50);
    QCOMPARE(game.playerPaddle(), 0.0);
    for (int i = 0; i < 40; ++i) {
        QTest::keyClick(&game, Qt::Key_Down);
    }
    QCOMPARE(game.playerPaddle(), PaddleGame::kHeight - PaddleGame::kPaddleHeight);
}

void AboutTest::toneIsAWholeWavFile() {
    const QByteArray wav = toneWav(440, 100, 8000);
    QCOMPARE(wav.size(), 44 + 800 * 2);
    QVERIFY(wav.startsWith("RIFF"));
    QCOMPARE(wav.mid(8, 8), QByteArray("WAVEfmt "));
    QCOMPARE(qFromLittleEndian<quint32>(wav.constData() + 40), 1600u);
    QCOMPARE(toneWav(440, 0).size(), 44);
}

}  // namespace quor::ui

QUOR_QT_TEST_MAIN(quor::ui::AboutTest)

#include "about_test.moc"
