#pragma once

// List Preferences: every preference that shapes the list. The stored values
// are shown when the dialog opens and written back, in a fixed order, only
// by OK. Controls depend on each other: the HTML settings only with an HTML
// list, the table settings only with a table, the path-at-end box only with
// paths, the abbreviated size only with sizes, root folders only with
// folders only.

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>

#include "common/interaction.h"
#include "quorvane/store/settings_store.h"
#include "quorvane/ui/list_preferences.h"
#include "quorvane/ui/window_services.h"

namespace quor::ui {

class PreferencesDialog : public QDialog {
    Q_OBJECT
  public:
    PreferencesDialog(store::AppSettings settings, Interaction& user, WindowServices services,
                      QWidget* parent = nullptr);

    // What the controls hold now (what OK would write).
    ListPreferences current() const;
    // The output file OK would write.
    const std::string& workingSavePath() const { return workingSavePath_; }

  public slots:
    void okClicked();
    void editDownloadLink();

  private:
    void buildFormatPage(QVBoxLayout* layout);
    void buildContentsPage(QVBoxLayout* layout);
    void connectReactions();
    void load();
    void htmlChosen();
    void textChosen();
    void tableToggled(bool on);
    void setTableDetailsEnabled(bool on);

    store::AppSettings settings_;
    Interaction& user_;
    WindowServices services_;
    std::string storedSavePath_;
    std::string workingSavePath_;

    QCheckBox* header_ = nullptr;
    QCheckBox* footer_ = nullptr;
    QCheckBox* summary_ = nullptr;
    QRadioButton* html_ = nullptr;
    QRadioButton* text_ = nullptr;
    QCheckBox* links_ = nullptr;
    QPushButton* downloadLink_ = nullptr;
    QLabel* downloadLinkLabel_ = nullptr;
    QCheckBox* table_ = nullptr;
    QCheckBox* borders_ = nullptr;
    QCheckBox* alternate_ = nullptr;
    QGroupBox* colourFrame_ = nullptr;
    std::array<QRadioButton*, kTableColours.size()> colours_{};
    QButtonGroup* colourGroup_ = nullptr;
    QRadioButton* bigList_ = nullptr;
    QRadioButton* brokenList_ = nullptr;
    QCheckBox* path_ = nullptr;
    QCheckBox* pathAtEnd_ = nullptr;
    QCheckBox* size_ = nullptr;
    QCheckBox* sizeInUnits_ = nullptr;
    QCheckBox* date_ = nullptr;
    QCheckBox* bitrate_ = nullptr;
    QCheckBox* songLength_ = nullptr;
    QCheckBox* emptyDirs_ = nullptr;
    QCheckBox* foldersOnly_ = nullptr;
    QCheckBox* rootFoldersOnly_ = nullptr;
    QCheckBox* fileNums_ = nullptr;
    QLineEdit* fileMask_ = nullptr;
};

}  // namespace quor::ui
