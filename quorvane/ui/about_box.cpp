#include "quorvane/ui/about_box.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QStandardPaths>
#include <QVBoxLayout>

#include "common/qt/dialog_buttons.h"
#include "common/qt/qt_interaction.h"
#include "common/version.h"

namespace quor::ui {

QStringList systemInformationTool() {
    const QList<QStringList> tools = {{"kinfocenter"},         {"gnome-control-center", "system"},
                                      {"hardinfo2"},           {"hardinfo"},
                                      {"xfce4-about"},         {"mate-system-monitor"},
                                      {"gnome-system-monitor"}};
    for (const QStringList& tool : tools) {
        const QString program = QStandardPaths::findExecutable(tool.first());
        if (!program.isEmpty()) {
            QStringList command = tool;
            command.first() = program;
            return command;
        }
    }
    return {};
}

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("frmAbout");
    setWindowTitle("About Quorvane");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* title =
        new QLabel(QString("<b>Quorvane</b> version %1").arg(qtext(programVersion())), this);
    title->setObjectName("lblVersion");
    layout->addWidget(title);
    layout->addWidget(new QLabel(
        "Catalogues the files in your folders and publishes them as a text or HTML list.", this));

    game_ = new PaddleGame(this);
    layout->addWidget(game_, 1);
    auto* hint = new QLabel("Up/Down keys or the mouse move your paddle (left).", this);
    layout->addWidget(hint);

    auto* row = new QHBoxLayout;
    soundBox_ = new QCheckBox("&Sound", this);
    soundBox_->setObjectName("chkSound");
    soundBox_->setChecked(true);
    connect(soundBox_, &QCheckBox::toggled, this, [this](bool on) {
        game_->sound().setEnabled(on);
        game_->setFocus();
    });
    row->addWidget(soundBox_);
    row->addWidget(buildButtonBox(), 1);
    layout->addLayout(row);
}

// System Info, then OK, the default button. OK only closes the box, as a
// Close button would, so it has a Close button's place: the last one.
QDialogButtonBox* AboutBox::buildButtonBox() {
    auto* box = new QDialogButtonBox(this);
    systemInfoCommand_ = systemInformationTool();
    systemInfo_ = namedButton(
        box, {"btnSysInfo", "System &Info...",
              systemInfoCommand_.isEmpty() ? QString("No system information tool is installed")
                                           : QString("Starts ") + systemInfoCommand_.first()});
    systemInfo_->setEnabled(!systemInfoCommand_.isEmpty());
    connect(systemInfo_, &QPushButton::clicked, this, [this] {
        QStringList arguments = systemInfoCommand_;
        const QString program = arguments.takeFirst();
        QProcess::startDetached(program, arguments);
    });
    box->addButton(systemInfo_, QDialogButtonBox::ActionRole);
    QPushButton* ok = namedButton(box, {"btnOK", "OK"});
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    box->addButton(ok, QDialogButtonBox::RejectRole);
    return box;
}

void AboutBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    game_->setFocus();
    game_->start();
}

void AboutBox::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isVisible()) {
        if (isActiveWindow()) {
            game_->start();
        } else {
            game_->pause();
        }
    }
}

void AboutBox::done(int result) {
    game_->pause();
    QDialog::done(result);
}

}  // namespace quor::ui
