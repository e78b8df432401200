#pragma once

// What the dialog tests share: a temporary program folder with its settings
// store, a scripted user, and a way to act on a modal dialog from inside its
// own event loop (no waiting: the script runs as soon as the loop turns).

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "common/qt/testing/named_child.h"
#include "common/qt/testing/screenshot.h"
#include "common/testing/scripted_interaction.h"
#include "common/testing/temp_tree.h"
#include "quorfind/settings.h"
#include "quorvane/store/places.h"
#include "quorvane/store/settings_store.h"

namespace quor::testing {

struct DialogWorld {
    DialogWorld() { (void)places().ensureFolders(); }

    static std::unique_ptr<store::SettingsStore> openStore(const std::filesystem::path& home) {
        auto opened = store::SettingsStore::open(home / "settings.db");
        if (!opened) {
            throw std::runtime_error(opened.error());
        }
        return std::move(*opened);
    }

    store::Places places() const { return store::Places(home.home()); }
    // A stored setting of Quorfind, "<missing>" when there is none.
    std::string setting(std::string_view key) const {
        return store::AppSettings(*store, store::kQuorfind).setting(key, "<missing>");
    }
    template <store::ValueKind Kind>
    std::string setting(const store::Setting<Kind>& declared) const {
        return setting(declared.key);
    }

    TempHome home;
    std::unique_ptr<store::SettingsStore> store = openStore(home.home());
    find::FindSettings settings{*store};
    ScriptedInteraction user;
};

namespace detail {

inline void runOnModal(const QString& objectName, const std::function<void(QWidget&)>& script,
                       const std::shared_ptr<bool>& ran, int turnsLeft) {
    QTimer::singleShot(0, qApp, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || (!objectName.isEmpty() && modal->objectName() != objectName)) {
            if (turnsLeft > 0) {
                runOnModal(objectName, script, ran, turnsLeft - 1);
            } else {
                QTest::qFail(qPrintable("no modal window " + objectName), __FILE__, __LINE__);
            }
            return;
        }
        *ran = true;
        script(*modal);
        if (modal->isVisible()) {
            if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                dialog->reject();
            } else {
                modal->close();
            }
        }
    });
}

}  // namespace detail

// Runs script on the modal window named objectName (any modal window when
// objectName is empty) once it is open, letting the event loop turn until it
// is. A window the script leaves open is closed as by Escape, so a failed
// check never leaves a test hanging. The flag tells whether the script ran.
inline std::shared_ptr<bool> onModal(const QString& objectName,
                                     const std::function<void(QWidget&)>& script) {
    auto ran = std::make_shared<bool>(false);
    detail::runOnModal(objectName, script, ran, 200);
    return ran;
}

// The object names of the controls Tab visits, in order.
inline QStringList tabOrder(QWidget& dialog) {
    QStringList names;
    for (QWidget* w = dialog.nextInFocusChain(); w != &dialog; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(&dialog)) {
            names << w->objectName();
        }
    }
    return names;
}

}  // namespace quor::testing
