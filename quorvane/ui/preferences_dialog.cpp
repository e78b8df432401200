#include "quorvane/ui/preferences_dialog.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "common/qt/dialog_buttons.h"
#include "common/qt/qt_interaction.h"
#include "common/qt/store_guard.h"
#include "quorvane/ui/download_link_dialog.h"

namespace quor::ui {

namespace {

QCheckBox* checkBox(QWidget* parent, QLayout* layout, const char* name, const QString& caption) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    layout->addWidget(box);
    return box;
}

QRadioButton* radio(QWidget* parent, QLayout* layout, const char* name, const QString& caption) {
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(name);
    layout->addWidget(button);
    return button;
}

}  // namespace

PreferencesDialog::PreferencesDialog(store::AppSettings settings, Interaction& user,
                                     WindowServices services, QWidget* parent)
    : QDialog(parent), settings_(std::move(settings)), user_(user), services_(std::move(services)) {
    setObjectName("frmOptions");
    setWindowTitle("List Preferences");
    setModal(true);
    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    buildFormatPage(left);
    buildContentsPage(right);
    columns->addLayout(left);
    columns->addLayout(right);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    const OkCancelButtons buttons =
        addOkCancelButtons(*this, *layout, {"btnOK", "OK", "Changes will be saved"},
                           {"btnCancel", "Cancel", "Changes will not be saved"});
    connect(buttons.ok, &QPushButton::clicked, this, &PreferencesDialog::okClicked);

    connectReactions();
    load();
}

void PreferencesDialog::buildFormatPage(QVBoxLayout* layout) {
    header_ = checkBox(this, layout, "chkHeader", "Display header text in list");
    footer_ = checkBox(this, layout, "chkFooter", "Display footer text in list");
    summary_ =
        checkBox(this, layout, "chkSummary", "Include list summary (file count, total size, date)");
    auto* format = new QButtonGroup(this);
    html_ = radio(this, layout, "optHTML", "Save the list as an HTML file");
    text_ = radio(this, layout, "optText", "Save the list as a text file");
    format->addButton(html_);
    format->addButton(text_);

    links_ = checkBox(this, layout, "chkIncludeLinks", "Include a download link for each file");
    auto* linkRow = new QHBoxLayout;
    downloadLink_ = new QPushButton("Edit", this);
    downloadLink_->setObjectName("btnDownloadLink");
    downloadLinkLabel_ = new QLabel("Edit download link properties", this);
    downloadLinkLabel_->setObjectName("lblDownloadLink");
    downloadLinkLabel_->setBuddy(downloadLink_);
    linkRow->addSpacing(20);
    linkRow->addWidget(downloadLink_);
    linkRow->addWidget(downloadLinkLabel_, 1);
    layout->addLayout(linkRow);
    connect(downloadLink_, &QPushButton::clicked, this, &PreferencesDialog::editDownloadLink);

    table_ = checkBox(this, layout, "chkUseHTMLTable", "Use HTML table (slower rendering)");
    borders_ = checkBox(this, layout, "chkShowTableBorders", "Display HTML table borders");
    alternate_ = checkBox(this, layout, "chkAlternateColors", "Alternate white/colored background");

    colourFrame_ = new QGroupBox("Table Background Color", this);
    colourFrame_->setObjectName("fraColor");
    auto* colourGrid = new QGridLayout(colourFrame_);
    colourGroup_ = new QButtonGroup(this);
    for (std::size_t i = 0; i < kTableColours.size(); ++i) {
        auto* option = new QRadioButton(qtext(kTableColours[i].caption), colourFrame_);
        option->setObjectName(QString("optColor%1").arg(i));
        colourGrid->addWidget(option, static_cast<int>(i % 4), static_cast<int>(i / 4));
        colourGroup_->addButton(option, static_cast<int>(i));
        colours_[i] = option;
    }
    layout->addWidget(colourFrame_);
    layout->addStretch(1);
}

void PreferencesDialog::buildContentsPage(QVBoxLayout* layout) {
    auto* style = new QGroupBox("List style:", this);
    auto* styleLayout = new QVBoxLayout(style);
    auto* styleGroup = new QButtonGroup(this);
    bigList_ = radio(style, styleLayout, "optBigList", "One big sorted list");
    brokenList_ = radio(style, styleLayout, "optBrokenList", "Broken down by folders");
    styleGroup->addButton(bigList_);
    styleGroup->addButton(brokenList_);
    layout->addWidget(style);

    path_ = checkBox(this, layout, "chkIncludePath", "Include the path for each file");
    pathAtEnd_ = checkBox(this, layout, "chkPathAtEnd", "Insert path at the end of the line");
    size_ = checkBox(this, layout, "chkIncludeFileSize", "Include the size of each file");
    sizeInUnits_ =
        checkBox(this, layout, "chkFileSizeInMB", "Display abbreviated size (2.35MB etc.)");
    date_ = checkBox(this, layout, "chkIncludeFileDate", "Include the date of each file");
    bitrate_ =
        checkBox(this, layout, "chkIncludeMP3Info", "Include bitrate info for .MP3 files (slow)");
    songLength_ =
        checkBox(this, layout, "chkIncludeSongLength", "Include song length for .MP3 files (slow)");
    emptyDirs_ = checkBox(this, layout, "chkIncludeEmptyDirs", "Include empty folders in list");
    foldersOnly_ =
        checkBox(this, layout, "chkIncludeFoldersOnly", "Include folder names only (no files)");
    rootFoldersOnly_ = checkBox(this, layout, "chkIncludeRootFoldersOnly",
                                "Include root folders only (no sub-folders)");
    fileNums_ = checkBox(this, layout, "chkIncludeFileNums", "Number each file in the list");
    for (QCheckBox* indented : {pathAtEnd_, sizeInUnits_, rootFoldersOnly_}) {
        indented->setStyleSheet("margin-left: 20px");
    }

    auto* maskLabel = new QLabel("Only list files of this type:", this);
    fileMask_ = new QLineEdit(this);
    fileMask_->setObjectName("FileMask");
    maskLabel->setBuddy(fileMask_);
    layout->addWidget(maskLabel);
    layout->addWidget(fileMask_);
    layout->addWidget(new QLabel("(*.ZIP or *.MP3 etc. Use *.* to include all files)", this));
    layout->addStretch(1);
}

void PreferencesDialog::connectReactions() {
    connect(html_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            htmlChosen();
        }
    });
    connect(text_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            textChosen();
        }
    });
    connect(table_, &QCheckBox::toggled, this, &PreferencesDialog::tableToggled);
    connect(size_, &QCheckBox::toggled, sizeInUnits_, &QWidget::setEnabled);
    connect(foldersOnly_, &QCheckBox::toggled, rootFoldersOnly_, &QWidget::setEnabled);
    connect(path_, &QCheckBox::toggled, pathAtEnd_, &QWidget::setEnabled);
}

void PreferencesDialog::setTableDetailsEnabled(bool on) {
    borders_->setEnabled(on);
    alternate_->setEnabled(on);
    colourFrame_->setEnabled(on);
    for (QRadioButton* option : colours_) {
        option->setEnabled(on);
    }
}

void PreferencesDialog::htmlChosen() {
    links_->setEnabled(true);
    downloadLink_->setEnabled(true);
    downloadLinkLabel_->setEnabled(true);
    table_->setEnabled(true);
    if (table_->isChecked()) {
        setTableDetailsEnabled(true);
    }
    if (!storedSavePath_.empty()) {
        workingSavePath_ = savePathWithExtension(storedSavePath_, ".html");
    }
}

void PreferencesDialog::textChosen() {
    links_->setEnabled(false);
    downloadLink_->setEnabled(false);
    downloadLinkLabel_->setEnabled(false);
    table_->setEnabled(false);
    setTableDetailsEnabled(false);
    if (!storedSavePath_.empty()) {
        workingSavePath_ = savePathWithExtension(storedSavePath_, ".txt");
    }
}

void PreferencesDialog::tableToggled(bool on) {
    setTableDetailsEnabled(on);
}

void PreferencesDialog::load() {
    const ListPreferences stored = readListPreferences(settings_);
    storedSavePath_ = stored.savePath;
    workingSavePath_ = stored.savePath;
    header_->setChecked(stored.showHeader);
    footer_->setChecked(stored.showFooter);
    summary_->setChecked(stored.showSummary);
    (stored.html ? html_ : text_)->setChecked(true);
    links_->setChecked(stored.includeLinks);
    table_->setChecked(stored.useHtmlTable);
    borders_->setChecked(stored.showTableBorders);
    alternate_->setChecked(stored.alternateColors);
    // The dependency pass: a control whose box was set without a change
    // (no toggle) still gets the state its master box asks for.
    if (!stored.html) {
        textChosen();
    }
    if (!stored.useHtmlTable) {
        setTableDetailsEnabled(false);
    }
    (stored.bigList ? bigList_ : brokenList_)->setChecked(true);
    path_->setChecked(stored.includePath);
    pathAtEnd_->setChecked(stored.pathAtEnd);
    pathAtEnd_->setEnabled(stored.includePath);
    size_->setChecked(stored.includeFileSize);
    sizeInUnits_->setChecked(stored.fileSizeInUnits);
    sizeInUnits_->setEnabled(stored.includeFileSize);
    date_->setChecked(stored.includeFileDate);
    bitrate_->setChecked(stored.includeMp3Info);
    songLength_->setChecked(stored.includeSongLength);
    emptyDirs_->setChecked(stored.includeEmptyDirs);
    foldersOnly_->setChecked(stored.foldersOnly);
    rootFoldersOnly_->setChecked(stored.rootFoldersOnly);
    rootFoldersOnly_->setEnabled(stored.foldersOnly);
    fileNums_->setChecked(stored.includeFileNums);
    fileMask_->setText(qtext(stored.fileMask));
    if (stored.colour >= 0) {
        colours_[static_cast<std::size_t>(stored.colour)]->setChecked(true);
    }
}

ListPreferences PreferencesDialog::current() const {
    ListPreferences p;
    p.showHeader = header_->isChecked();
    p.showFooter = footer_->isChecked();
    p.showSummary = summary_->isChecked();
    p.html = html_->isChecked();
    p.includeLinks = links_->isChecked();
    p.useHtmlTable = table_->isChecked();
    p.showTableBorders = borders_->isChecked();
    p.alternateColors = alternate_->isChecked();
    p.bigList = bigList_->isChecked();
    p.includePath = path_->isChecked();
    p.pathAtEnd = pathAtEnd_->isChecked();
    p.includeFileSize = size_->isChecked();
    p.fileSizeInUnits = sizeInUnits_->isChecked();
    p.includeFileDate = date_->isChecked();
    p.includeMp3Info = bitrate_->isChecked();
    p.includeSongLength = songLength_->isChecked();
    p.includeEmptyDirs = emptyDirs_->isChecked();
    p.foldersOnly = foldersOnly_->isChecked();
    p.rootFoldersOnly = rootFoldersOnly_->isChecked();
    p.includeFileNums = fileNums_->isChecked();
    p.fileMask = utf8(fileMask_->text());
    p.colour = colourGroup_->checkedId();
    p.savePath = workingSavePath_;
    return p;
}

void PreferencesDialog::okClicked() {
    // When the store fails nothing was written (one transaction): the
    // dialog stays open.
    if (storeGuarded(user_, "The list preferences could not be saved.",
                     [&] { writeListPreferences(settings_, current()); })) {
        accept();
    }
}

void PreferencesDialog::editDownloadLink() {
    DownloadLinkDialog dialog(settings_, user_, this);
    services_.runDialog(dialog);
}

}  // namespace quor::ui
