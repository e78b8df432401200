#include "common/qt/status_text.h"

#include <QLabel>

namespace quor::ui {

namespace {

constexpr const char* kLabelName = "lastingStatusText";

QLabel* findLabel(const QStatusBar& bar) {
    return bar.findChild<QLabel*>(kLabelName);
}

QLabel* labelOf(QStatusBar& bar) {
    if (QLabel* label = findLabel(bar)) {
        return label;
    }
    auto* label = new QLabel(&bar);
    label->setObjectName(kLabelName);
    // A long text must never widen the window: it is cut at the bar's edge.
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label->setTextFormat(Qt::PlainText);
    bar.addWidget(label, 1);
    return label;
}

}  // namespace

void setStatusText(QStatusBar& bar, const QString& text) {
    bar.clearMessage();
    labelOf(bar)->setText(text);
}

QString statusText(const QStatusBar& bar) {
    const QLabel* label = findLabel(bar);
    return label != nullptr ? label->text() : QString();
}

QString shownStatusText(const QStatusBar& bar) {
    const QString message = bar.currentMessage();
    return message.isEmpty() ? statusText(bar) : message;
}

}  // namespace quor::ui
