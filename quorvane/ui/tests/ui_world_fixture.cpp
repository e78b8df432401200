#include "ui_world_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <stdexcept>

#include "common/qt/window_placement.h"
#include "quorvane/store/folder_records.h"

namespace quor::testing {

UiWorld::UiWorld() {
    auto opened = store::SettingsStore::open(home.home() / "settings.db");
    if (!opened) {
        throw std::runtime_error(opened.error());
    }
    store = std::move(*opened);
    (void)store::Places(home.home()).ensureFolders();
}

void UiWorld::addRecords(const std::vector<std::string>& paths) {
    store::AppSettings s = settings();
    int n = store::numPaths(s);
    for (const std::string& path : paths) {
        store::writeFolderRecord(s, n++, {path, path, "1", "0"});
    }
    s.save(store::kNumPaths, std::to_string(n));
}

ui::WindowServices UiWorld::services() {
    ui::WindowServices services;
    services.chooseFolder = [this](QWidget*, const QString&) {
        if (folderAnswers.empty()) {
            return QString();
        }
        QString answer = folderAnswers.front();
        folderAnswers.pop_front();
        return answer;
    };
    services.chooseSaveFile = [this](QWidget*, const ui::FileRequest& request) {
        saveRequests.push_back(request);
        if (saveAnswers.empty()) {
            return QString();
        }
        QString answer = saveAnswers.front();
        saveAnswers.pop_front();
        return answer;
    };
    services.openUrl = [this](const QUrl& url) {
        opened.push_back(url);
        return openSucceeds;
    };
    services.openFile = [this](const std::string& path) {
        opened.push_back(QUrl::fromLocalFile(QString::fromStdString(path)));
        return openSucceeds ? Status::success() : Status(Error{openFailure});
    };
    services.startDetached = [this](const QString& program, const QStringList& arguments) {
        started.push_back(QStringList{program} + arguments);
        return startSucceeds;
    };
    services.findProgram = [this](const QString&) { return programFound; };
    services.runDialog = [this](QDialog& dialog) {
        dialogsRun.push_back(dialog.objectName());
        if (dialogScripts.empty()) {
            return static_cast<int>(QDialog::Rejected);
        }
        DialogScript script = std::move(dialogScripts.front());
        dialogScripts.pop_front();
        return script(dialog);
    };
    return services;
}

std::unique_ptr<ui::MainWindow> UiWorld::makeMainWindow() {
    return std::make_unique<ui::MainWindow>(*store, store::Places(home.home()), user, services());
}

void UiWorld::storePixels(std::initializer_list<std::pair<std::string_view, int>> values,
                          double dpi) {
    store::AppSettings s = settings();
    for (const auto& [key, pixels] : values) {
        s.saveSetting(key, std::to_string(ui::pixelsToTwips(pixels, dpi)));
    }
}

void click(QWidget& parent, const char* buttonName, const std::source_location& where) {
    child<QAbstractButton>(parent, buttonName, where).click();
}

bool showActive(QWidget& window) {
    window.show();
    window.activateWindow();
    QCoreApplication::processEvents();
    QApplication::setActiveWindow(&window);
    return QApplication::activeWindow() == &window;
}

QStringList focusOrder(QWidget& first, int count) {
    QStringList order;
    QWidget* widget = &first;
    for (int i = 0; i < count; ++i) {
        order << widget->objectName();
        do {
            widget = widget->nextInFocusChain();
        } while (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isEnabled());
    }
    return order;
}

}  // namespace quor::testing
