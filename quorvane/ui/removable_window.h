#pragma once

// Removable Disks: every disk of every removable disk set, and the View,
// Delete and Rename of one disk (buttons, pop-up menu, double click, Enter
// and the Delete key); the buttons are enabled only while a disk is selected,
// and the row that says there are no disks cannot be selected. Delete and F2
// on the list delete and rename; Escape closes the window. The list is read again whenever the
// window becomes active, so disks read or removed elsewhere show; the viewer of a disk closes with
// the window. The window remembers its place under "RemoveLeft", "RemoveTop", "RemoveWidth" and
// "RemoveHeight".

#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>

#include "common/qt/qt_interaction.h"
#include "common/qt/row_buttons.h"
#include "quorvane/removable/removable_disks.h"
#include "quorvane/store/list_context.h"
#include "quorvane/ui/list_viewer.h"
#include "quorvane/ui/path_list_widget.h"
#include "quorvane/ui/tool_window.h"
#include "quorvane/ui/window_services.h"

namespace quor::ui {

class MainWindow;

class RemovableWindow : public QMainWindow {
    Q_OBJECT
  public:
    // boxes shows the messages and questions; nullptr gives the window
    // message boxes of its own.
    RemovableWindow(store::SettingsStore& store, store::Places places, Interaction* boxes,
                    WindowServices services, QWidget* parent = nullptr);
    ~RemovableWindow() override;

    // Opening: the disk list, its count and the stored placement.
    void load();

    const removable::DiskList& diskList() const { return list_; }
    // The viewer of the last View (nullptr before the first).
    ListViewer* viewer() const { return viewer_; }

  public slots:
    void viewSelected();
    void deleteSelected();
    void renameSelected();
    // Reads the disk list again, keeping the selected disk selected.
    void refresh();
    // The program is ending: the window closes without storing its place.
    void abandon();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void buildControls();
    void buildMenu();
    void refreshQuietly();
    void showList(const removable::DiskList& list, const std::optional<std::string>& select);
    std::optional<std::string> selectedDisk() const;

    ToolBoxes boxes_;
    store::ListContext context_;
    WindowServices services_;
    removable::DiskList list_;
    PathListWidget* listWidget_ = nullptr;
    QMenu* menu_ = nullptr;
    QPointer<ListViewer> viewer_;
    bool abandoned_ = false;
    RowSelectionFollower rowSelection_;
};

// The main window's Manage Removable Disks: opens the window over main, or
// brings the open one forward.
std::function<void()> removableDisksWindowOpener(MainWindow& main, WindowServices services);

}  // namespace quor::ui
