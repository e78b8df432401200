#include "quorvane/ui/download_link_dialog.h"

#include <QLabel>
#include <QVBoxLayout>

#include "common/qt/dialog_buttons.h"
#include "common/qt/qt_interaction.h"
#include "common/qt/store_guard.h"
#include "quorvane/store/quorvane_settings.h"
#include "quorvane/ui/download_link.h"

namespace quor::ui {

DownloadLinkDialog::DownloadLinkDialog(store::AppSettings settings, Interaction& user,
                                       QWidget* parent)
    : QDialog(parent), settings_(std::move(settings)), user_(user) {
    setObjectName("frmDownloadLink");
    setWindowTitle("Edit Link Properties");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* explanation = new QLabel(
        "The text below replaces the root folder of each file's link. A local path such as "
        "/mymusic/song.mp3 then becomes a web link such as http://myserver/mymusic/song.mp3. "
        "Leave the box empty to link to the files on the local disk. Many web servers are "
        "case sensitive: type the base exactly.",
        this);
    explanation->setWordWrap(true);
    layout->addWidget(explanation);

    auto* linkLabel = new QLabel("Enter a base URL/IP or file-share for the file links:", this);
    link_ = new QLineEdit(this);
    link_->setObjectName("txtDownloadLink");
    linkLabel->setBuddy(link_);
    layout->addWidget(linkLabel);
    layout->addWidget(link_);

    auto* exampleLabel = new QLabel("Example HTML file download link:", this);
    example_ = new QLineEdit(this);
    example_->setObjectName("txtExampleLink");
    example_->setReadOnly(true);
    exampleLabel->setBuddy(example_);
    layout->addWidget(exampleLabel);
    layout->addWidget(example_);

    layout->addWidget(new QLabel("Examples:", this));
    for (const char* example :
         {"http://www.myserver.com/files", "http://127.0.0.1/~myname", "\\\\machine\\share"}) {
        auto* label = new QLabel(example, this);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(label);
    }

    const OkCancelButtons buttons = addOkCancelButtons(*this, *layout);

    connect(link_, &QLineEdit::textChanged, this, [this](const QString& text) {
        example_->setText(qtext(exampleDownloadLink(utf8(text))));
    });
    connect(buttons.ok, &QPushButton::clicked, this, &DownloadLinkDialog::okClicked);

    (void)storeGuarded(user_, "The download link could not be read.",
                       [&] { link_->setText(qtext(settings_.get(store::kDownloadLink))); });
    example_->setText(qtext(exampleDownloadLink(utf8(link_->text()))));
    link_->selectAll();
    setMinimumWidth(420);
}

void DownloadLinkDialog::okClicked() {
    const std::string cleaned = cleanDownloadLink(utf8(link_->text()));
    link_->setText(qtext(cleaned));
    if (storeGuarded(user_, "The download link could not be saved.",
                     [&] { settings_.save(store::kDownloadLink, cleaned); })) {
        accept();
    }
}

}  // namespace quor::ui
