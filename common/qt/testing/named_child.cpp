#include "common/qt/testing/named_child.h"

#include <QString>
#include <QTest>

namespace quor::testing {

void failMissingChild(const char* typeName, const char* name, const std::source_location& where) {
    const QString text = QString("no %1 named \"%2\"").arg(typeName, name);
    QTest::qFail(qPrintable(text), where.file_name(), static_cast<int>(where.line()));
}

}  // namespace quor::testing
