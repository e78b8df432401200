#pragma once

// Finding a named widget or action of a window in a window test:
//
//   child<QPushButton>(dialog, "btnOK").click();
//
// A child that is not there fails the running test with its type and name,
// and the test goes on with a stand-in of that type (deleted with the
// parent), so that a renamed widget costs one failed test instead of the
// whole test program.

#include <QAbstractButton>
#include <QObject>
#include <QPushButton>
#include <source_location>

namespace quor::testing {

// Fails the running test: no child of that type and name.
void failMissingChild(const char* typeName, const char* name, const std::source_location& where);

// What stands in for a missing child of type T: T itself, or a concrete
// type derived from it.
template <class T>
struct StandIn {
    using type = T;
};
template <>
struct StandIn<QAbstractButton> {
    using type = QPushButton;
};

// The child of parent of type T named name; a stand-in after a failure.
template <class T>
T& child(QObject& parent, const char* name,
         const std::source_location& where = std::source_location::current()) {
    if (T* found = parent.findChild<T*>(name)) {
        return *found;
    }
    failMissingChild(T::staticMetaObject.className(), name, where);
    auto* standIn = new typename StandIn<T>::type;
    QObject::connect(&parent, &QObject::destroyed, [standIn] { delete standIn; });
    return *standIn;
}

}  // namespace quor::testing
