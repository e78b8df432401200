#include "quorvane/ui/window_build.h"

#include <QStatusBar>
#include <algorithm>

#include "common/qt/qt_interaction.h"
#include "common/qt/status_text.h"
#include "quorvane/ui/add_disk_dialog.h"
#include "quorvane/ui/main_window.h"
#include "quorvane/ui/save_list_output.h"

namespace quor::ui {

namespace {

// The action command through the window services: argv[0] is the program.
generate::StartCommand startThrough(WindowServices services) {
    return [services = std::move(services)](const std::vector<std::string>& argv) -> Status {
        if (argv.empty()) {
            return Error{"There is no command to start."};
        }
        QStringList arguments;
        for (std::size_t i = 1; i < argv.size(); ++i) {
            arguments << qtext(argv[i]);
        }
        if (!services.startDetached(qtext(argv[0]), arguments)) {
            return Error{argv[0] + " could not be started."};
        }
        return Status::success();
    };
}

}  // namespace

WindowBuild::WindowBuild(MainWindow& main, Interaction& boxes, WindowServices services)
    : QObject(&main),
      main_(main),
      services_(std::move(services)),
      interaction_(boxes, [this](const QString& text) { showStatus(text); }),
      context_{main.context().store, main.context().places, interaction_},
      build_(context_, this) {
    build_.setStartCommand(startThrough(services_));

    progress_ = new QProgressBar(main.statusBar());
    progress_->setObjectName("pbBuild");
    progress_->setAccessibleName("Folders read");
    progress_->setFormat("%v of %m");
    progress_->setFixedWidth(progress_->fontMetrics().horizontalAdvance("000 of 000") + 16);
    stop_ = new QPushButton("Sto&p");
    stop_->setObjectName("btnStop");
    stop_->setToolTip("Stops creating the list; the last list stays as it was");
    stop_->setAccessibleDescription(stop_->toolTip());
    main.statusBar()->addPermanentWidget(progress_);
    main.addBesideMakeList(stop_);
    connect(stop_, &QPushButton::clicked, this, &WindowBuild::requestStop);
    escape_ = new QShortcut(QKeySequence(Qt::Key_Escape), &main);
    connect(escape_, &QShortcut::activated, this, &WindowBuild::requestStop);
    showProgress(false);
}

generate::BuildResult WindowBuild::run() {
    interaction_.beginWork();
    const generate::BuildResult result = build_.MakeList();
    showProgress(false);
    lastResult_ = result;
    return result;
}

void WindowBuild::requestStop() {
    if (!build_.busy()) {
        return;
    }
    interaction_.requestStop();
    stop_->setEnabled(false);
}

// A folder path longer than the room beside the progress keeps its start
// and its end (the folder being read).
void WindowBuild::showStatus(const QString& text) {
    QStatusBar& bar = *main_.statusBar();
    if (!bar.isVisible()) {
        setStatusText(bar, text);  // no width to fit yet
        return;
    }
    int room = bar.width() - 24;
    if (progress_->isVisible()) {
        room -= progress_->width() + 8;
    }
    setStatusText(bar, bar.fontMetrics().elidedText(text, Qt::ElideMiddle, std::max(room, 80)));
}

void WindowBuild::showProgress(bool on) {
    progress_->setVisible(on);
    stop_->setVisible(on);
    stop_->setEnabled(on);
    escape_->setEnabled(on);
    if (!on) {
        progress_->reset();
    }
}

void WindowBuild::setBuildEnabled(bool enabled) {
    if (enabled) {
        showProgress(false);
    }
}

bool WindowBuild::chooseOutputFile() {
    return saveListOutputAs(context_, services_, &main_);
}

void WindowBuild::addDisks(generate::RemovableDiskState& state) {
    AddDiskDialog dialog(context_, state, &main_);
    services_.runDialog(dialog);
}

void WindowBuild::setListLabel(const std::string& /*text*/) {
    main_.refreshListLabel();  // the label and the caption, both from the store
}

void WindowBuild::progress(int done, int total) {
    if (!progress_->isVisible()) {
        showProgress(true);
    }
    progress_->setRange(0, total);
    progress_->setValue(done);
}

WindowBuild* attachWindowBuild(MainWindow& main, Interaction& boxes, WindowServices services) {
    auto* build = new WindowBuild(main, boxes, std::move(services));
    main.setBuildHandler([build] { (void)build->run(); });
    main.setStopRequester([build] { build->requestStop(); });
    return build;
}

}  // namespace quor::ui
