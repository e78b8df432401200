#include "common/qt/qt_interaction.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>

#include "common/qt/dialog_title.h"
#include "common/qt/status_text.h"

namespace quor::ui {

QString qtext(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string utf8(const QString& text) {
    return text.toUtf8().toStdString();
}

namespace {

QMessageBox::StandardButton ask(QWidget* parent, QMessageBox::Icon icon, std::string_view text,
                                std::string_view caption, QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton defaultButton) {
    // A caption that spans lines keeps its first line in the title bar and
    // shows the rest above the text.
    const SplitTitle title = splitTitle(qtext(caption));
    const QString shown =
        title.inside.isEmpty() ? qtext(text) : title.inside + "\n\n" + qtext(text);
    QMessageBox box(icon, title.title, shown, buttons, parent);
    box.setDefaultButton(defaultButton);
    box.setTextFormat(Qt::PlainText);
    // A question shown while the busy pointer is up must still show an arrow.
    const bool overridden = QApplication::overrideCursor() != nullptr;
    if (overridden) {
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    const auto answer = static_cast<QMessageBox::StandardButton>(box.exec());
    if (overridden) {
        QApplication::restoreOverrideCursor();
    }
    return answer;
}

}  // namespace

QtInteraction::~QtInteraction() {
    while (busyDepth_ > 0) {
        busy(false);
    }
}

void QtInteraction::notice(std::string_view text, std::string_view caption, Shown) {
    ask(parent_, QMessageBox::Information, text, caption, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtInteraction::confirm(std::string_view text, std::string_view caption) {
    return ask(parent_, QMessageBox::Question, text, caption, QMessageBox::Yes | QMessageBox::No,
               QMessageBox::Yes) == QMessageBox::Yes;
}

bool QtInteraction::confirmDestructive(std::string_view text, std::string_view caption) {
    return ask(parent_, QMessageBox::Question, text, caption, QMessageBox::Yes | QMessageBox::No,
               QMessageBox::No) == QMessageBox::Yes;
}

bool QtInteraction::okOrCancel(std::string_view text, std::string_view caption) {
    return ask(parent_, QMessageBox::Question, text, caption, QMessageBox::Ok | QMessageBox::Cancel,
               QMessageBox::Ok) == QMessageBox::Ok;
}

bool QtInteraction::retryOrCancel(std::string_view text, std::string_view caption) {
    return ask(parent_, QMessageBox::Warning, text, caption,
               QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Retry) == QMessageBox::Retry;
}

void QtInteraction::status(std::string_view text) {
    if (statusBar_) {
        setStatusText(*statusBar_, qtext(text));
    }
}

void QtInteraction::busy(bool on) {
    if (on) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++busyDepth_;
    } else if (busyDepth_ > 0) {
        QApplication::restoreOverrideCursor();
        --busyDepth_;
    }
}

bool QtInteraction::keepResponsive() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return false;
}

}  // namespace quor::ui
