#pragma once

// The tray icon frmTray: tip "Quorfind"; a double-click (or the click that
// activates an icon on trays that send no double-click) and "&Search" of
// its menu bring the search window back; "E&xit" ends the program. While
// one of its events is being handled, further ones are ignored.

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>

namespace quor::find::ui {

// The program's picture: the theme icon "quorfind", else the bundled one,
// else a drawn magnifying glass over a list.
QIcon quorfindIcon();

class FindTray : public QObject {
    Q_OBJECT
  public:
    explicit FindTray(QObject* parent = nullptr);

    void show() { icon_.show(); }
    void hide() { icon_.hide(); }
    QSystemTrayIcon& icon() { return icon_; }
    QMenu& menu() { return menu_; }

    // What the icon does for a click of the given kind.
    void handle(QSystemTrayIcon::ActivationReason reason);

  signals:
    void searchRequested();
    void exitRequested();

  private:
    void once(void (FindTray::*signal)());

    QMenu menu_;  // before the icon, which refers to it
    QSystemTrayIcon icon_;
    bool handling_ = false;
};

}  // namespace quor::find::ui
