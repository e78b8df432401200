#include "quorvane/ui/paddle_game.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace quor::ui {

namespace {

constexpr double kComputerSpeed = 2.2;
constexpr double kSpeedUp = 1.08;
constexpr double kMaxSpeed = 9;
constexpr double kKeyStep = 12;

}  // namespace

PaddleGame::PaddleGame(QWidget* parent) : QWidget(parent), sound_(this) {
    setObjectName("PaddleGame");
    setAccessibleName("Ball game: move your paddle with the Up and Down keys or the mouse");
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setMinimumSize(static_cast<int>(kWidth), static_cast<int>(kHeight));
    timer_.setInterval(16);
    connect(&timer_, &QTimer::timeout, this, &PaddleGame::step);
    serve(1);
}

void PaddleGame::start() {
    timer_.start();
}

void PaddleGame::pause() {
    timer_.stop();
}

double PaddleGame::ballSpeed() const {
    return std::hypot(velocity_.x(), velocity_.y());
}

void PaddleGame::setBall(QPointF position, QPointF velocity) {
    ball_ = position;
    velocity_ = velocity;
}

void PaddleGame::setPlayerPaddle(double top) {
    player_ = std::clamp(top, 0.0, kHeight - kPaddleHeight);
    update();
}

void PaddleGame::serve(int direction) {
    ball_ = QPointF(kWidth / 2, kHeight / 2);
    const double angle = ((ticks_ * 37) % 60 - 30) * 3.14159 / 180.0;
    velocity_ = QPointF(direction * kStartSpeed * std::cos(angle), kStartSpeed * std::sin(angle));
}

bool PaddleGame::hitsPaddle(double paddleTop) const {
    return ball_.y() + kBallSize >= paddleTop && ball_.y() <= paddleTop + kPaddleHeight;
}

void PaddleGame::moveComputer() {
    const double target = ball_.y() - kPaddleHeight / 2;
    const double move = std::clamp(target - computer_, -kComputerSpeed, kComputerSpeed);
    computer_ = std::clamp(computer_ + move, 0.0, kHeight - kPaddleHeight);
}

void PaddleGame::step() {
    ++ticks_;
    ball_ += velocity_;
    if (ball_.y() <= 0 || ball_.y() + kBallSize >= kHeight) {
        ball_.setY(std::clamp(ball_.y(), 0.0, kHeight - kBallSize));
        velocity_.setY(-velocity_.y());
        sound_.play(440, 30);
    }
    const double leftEdge = kPaddleWidth * 2;
    const double rightEdge = kWidth - kPaddleWidth * 2 - kBallSize;
    auto returned = [&](double paddleTop, double edge) {
        const double speed = std::min(ballSpeed() * kSpeedUp, kMaxSpeed);
        // Where the ball meets the paddle sets its new angle.
        const double offset =
            (ball_.y() + kBallSize / 2 - (paddleTop + kPaddleHeight / 2)) / (kPaddleHeight / 2);
        const double angle = std::clamp(offset, -1.0, 1.0) * 0.9;
        const double direction = velocity_.x() < 0 ? 1 : -1;
        velocity_ = QPointF(direction * speed * std::cos(angle), speed * std::sin(angle));
        ball_.setX(edge);
        sound_.play(880, 40);
    };
    if (velocity_.x() < 0 && ball_.x() <= leftEdge) {
        if (hitsPaddle(player_)) {
            returned(player_, leftEdge);
        } else if (ball_.x() + kBallSize < 0) {
            ++computerScore_;
            sound_.play(220, 150);
            serve(1);
            emit scored();
        }
    } else if (velocity_.x() > 0 && ball_.x() >= rightEdge) {
        if (hitsPaddle(computer_)) {
            returned(computer_, rightEdge);
        } else if (ball_.x() > kWidth) {
            ++playerScore_;
            sound_.play(660, 150);
            serve(-1);
            emit scored();
        }
    }
    moveComputer();
    update();
    emit ticked();
}

void PaddleGame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.scale(width() / kWidth, height() / kHeight);
    painter.setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
    painter.drawLine(QPointF(kWidth / 2, 0), QPointF(kWidth / 2, kHeight));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(kPaddleWidth, player_, kPaddleWidth, kPaddleHeight));
    painter.drawRect(QRectF(kWidth - kPaddleWidth * 2, computer_, kPaddleWidth, kPaddleHeight));
    painter.drawRect(QRectF(ball_, QSizeF(kBallSize, kBallSize)));
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPointSizeF(14);
    painter.setFont(font);
    painter.drawText(QRectF(0, 4, kWidth / 2 - 10, 24), Qt::AlignRight,
                     QString::number(playerScore_));
    painter.drawText(QRectF(kWidth / 2 + 10, 4, kWidth / 2 - 10, 24), Qt::AlignLeft,
                     QString::number(computerScore_));
}

void PaddleGame::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up) {
        setPlayerPaddle(player_ - kKeyStep);
    } else if (event->key() == Qt::Key_Down) {
        setPlayerPaddle(player_ + kKeyStep);
    } else {
        QWidget::keyPressEvent(event);
    }
}

void PaddleGame::mouseMoveEvent(QMouseEvent* event) {
    const double y = event->position().y() * kHeight / std::max(1, height());
    setPlayerPaddle(y - kPaddleHeight / 2);
}

}  // namespace quor::ui
