#include "common/qt/dialog_title.h"

#include <QRegularExpression>
#include <QStringList>

namespace quor::ui {

SplitTitle splitTitle(const QString& text) {
    const QRegularExpression lineBreak("\r\n|\n|\r");
    QStringList lines = text.split(lineBreak);
    while (lines.size() > 1 && lines.last().trimmed().isEmpty()) {
        lines.removeLast();
    }
    SplitTitle split{lines.takeFirst(), {}};
    split.inside = lines.join('\n');
    return split;
}

}  // namespace quor::ui
