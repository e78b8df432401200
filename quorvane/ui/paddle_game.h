#pragma once

// The About box's two-paddle ball game. The player's paddle (left) follows
// the Up and Down keys and the mouse; the program plays the right one. The
// ball speeds up with each return; a missed ball is a point for the other
// side. The game moves one step per timer tick and can be paused.

#include <QPointF>
#include <QTimer>
#include <QWidget>

#include "quorvane/ui/game_sound.h"

namespace quor::ui {

class PaddleGame : public QWidget {
    Q_OBJECT
  public:
    // The playing field in its own units; drawing scales it to the widget.
    static constexpr double kWidth = 320;
    static constexpr double kHeight = 200;
    static constexpr double kPaddleHeight = 40;
    static constexpr double kPaddleWidth = 6;
    static constexpr double kBallSize = 6;
    static constexpr double kStartSpeed = 2.5;

    explicit PaddleGame(QWidget* parent = nullptr);

    void start();
    void pause();
    bool running() const { return timer_.isActive(); }

    // One step of the game (what a timer tick does).
    void step();

    int playerScore() const { return playerScore_; }
    int computerScore() const { return computerScore_; }
    double ballSpeed() const;
    QPointF ball() const { return ball_; }
    double playerPaddle() const { return player_; }
    double computerPaddle() const { return computer_; }
    int ticks() const { return ticks_; }

    // Places the ball and its velocity (for a serve, or a test).
    void setBall(QPointF position, QPointF velocity);
    void setPlayerPaddle(double top);

    GameSound& sound() { return sound_; }

  signals:
    void ticked();
    void scored();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    void serve(int direction);
    void moveComputer();
    bool hitsPaddle(double paddleTop) const;

    QTimer timer_;
    GameSound sound_;
    QPointF ball_;
    QPointF velocity_;
    double player_ = (kHeight - kPaddleHeight) / 2;
    double computer_ = (kHeight - kPaddleHeight) / 2;
    int playerScore_ = 0;
    int computerScore_ = 0;
    int ticks_ = 0;
};

}  // namespace quor::ui
