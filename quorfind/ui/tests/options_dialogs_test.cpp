// "Quorfind Options" and "Advanced Mirc Options": what they show, and what
// each way of leaving them stores.

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <algorithm>

#include "common/qt/testing/test_main.h"
#include "dialog_fixture.h"
#include "quorfind/ui/dialogs.h"

namespace quor::find::ui {

using namespace quor::testing;

namespace {

enum class Leave { Button, CloseBox, Escape };

void leave(QWidget& dialog, Leave how, const char* button) {
    switch (how) {
        case Leave::Button:
            child<QPushButton>(dialog, button).click();
            break;
        case Leave::CloseBox:
            dialog.close();
            break;
        case Leave::Escape:
            QTest::keyClick(&dialog, Qt::Key_Escape);
            break;
    }
}

void setBoxes(QWidget& dialog, bool onTop, bool folders, bool scrollBar, bool asYouType = true) {
    child<QCheckBox>(dialog, "chkAlwaysOnTop").setChecked(onTop);
    child<QCheckBox>(dialog, "chkIncludeFolders").setChecked(folders);
    child<QCheckBox>(dialog, "chkIncludeHScrollBar").setChecked(scrollBar);
    child<QCheckBox>(dialog, "chkSearchAsYouType").setChecked(asYouType);
}

}  // namespace

class OptionsDialogsTest : public QObject {
    Q_OBJECT
  private slots:
    void optionsShowTheStoredFlagsOrTheirDefaults();
    void optionsStoreTheFlagsHoweverTheyAreClosed_data();
    void optionsStoreTheFlagsHoweverTheyAreClosed();
    void mircButtonStoresFirstThenOpensTheMircOptions();
    void mircOptionsRefillEmptyBoxesOnOk();
    void mircOptionsStoreEditsOnOkOnly_data();
    void mircOptionsStoreEditsOnOkOnly();
};

void OptionsDialogsTest::optionsShowTheStoredFlagsOrTheirDefaults() {
    DialogWorld world;
    auto ran = onModal("frmOptions", [](QWidget& dialog) {
        QCOMPARE(dialog.windowTitle(), QString("Quorfind Options"));
        QVERIFY(!child<QCheckBox>(dialog, "chkAlwaysOnTop").isChecked());
        QVERIFY(child<QCheckBox>(dialog, "chkIncludeFolders").isChecked());
        QVERIFY(child<QCheckBox>(dialog, "chkIncludeHScrollBar").isChecked());
        QVERIFY(child<QCheckBox>(dialog, "chkSearchAsYouType").isChecked());
        QVERIFY(child<QPushButton>(dialog, "btnClose").isDefault());
        QCOMPARE(child<QPushButton>(dialog, "btnMirc").text(), QString("&Mirc"));
        QCOMPARE(tabOrder(dialog),
                 QStringList({"chkAlwaysOnTop", "chkIncludeFolders", "chkIncludeHScrollBar",
                              "chkSearchAsYouType", "btnMirc", "btnClose"}));
        screenshot(dialog, "frmOptions");
    });
    runOptionsDialog(nullptr, world.settings, world.user);
    QVERIFY(*ran);

    // Flags read as their leading number: "1.0" is set, "2" is not.
    world.settings.app().save(kAlwaysOnTop, "1.0");
    world.settings.app().save(kIncludeFolders, "2");
    world.settings.app().save(kIncludeHScrollBar, "0");
    world.settings.app().save(kSearchAsYouType, "0");
    ran = onModal("frmOptions", [](QWidget& dialog) {
        QVERIFY(child<QCheckBox>(dialog, "chkAlwaysOnTop").isChecked());
        QVERIFY(!child<QCheckBox>(dialog, "chkIncludeFolders").isChecked());
        QVERIFY(!child<QCheckBox>(dialog, "chkIncludeHScrollBar").isChecked());
        QVERIFY(!child<QCheckBox>(dialog, "chkSearchAsYouType").isChecked());
    });
    runOptionsDialog(nullptr, world.settings, world.user);
    QVERIFY(*ran);
    QVERIFY(world.user.boxes().empty());
}

void OptionsDialogsTest::optionsStoreTheFlagsHoweverTheyAreClosed_data() {
    QTest::addColumn<int>("how");
    QTest::newRow("Close") << static_cast<int>(Leave::Button);
    QTest::newRow("close box") << static_cast<int>(Leave::CloseBox);
    QTest::newRow("Escape") << static_cast<int>(Leave::Escape);
}

void OptionsDialogsTest::optionsStoreTheFlagsHoweverTheyAreClosed() {
    QFETCH(int, how);
    DialogWorld world;
    auto ran = onModal("frmOptions", [how](QWidget& dialog) {
        setBoxes(dialog, true, false, false, false);
        leave(dialog, static_cast<Leave>(how), "btnClose");
    });
    runOptionsDialog(nullptr, world.settings, world.user);
    QVERIFY(*ran);
    QCOMPARE(world.setting(kAlwaysOnTop), std::string("1"));
    QCOMPARE(world.setting(kIncludeFolders), std::string("0"));
    QCOMPARE(world.setting(kIncludeHScrollBar), std::string("0"));
    QCOMPARE(world.setting(kSearchAsYouType), std::string("0"));
    QVERIFY(world.settings.alwaysOnTop());
    QVERIFY(!world.settings.searchAsYouType());
    // Nothing else is written, and no mIRC dialog follows.
    QCOMPARE(world.setting(kDdeServiceName), std::string("<missing>"));
}

void OptionsDialogsTest::mircButtonStoresFirstThenOpensTheMircOptions() {
    DialogWorld world;
    bool optionsGone = false;
    std::string storedWhenMircOpened;
    auto mircRan = std::make_shared<bool>(false);
    auto ran = onModal("frmOptions", [&](QWidget& dialog) {
        setBoxes(dialog, false, true, false);
        mircRan = onModal("frmMircOptions", [&](QWidget& mirc) {
            optionsGone = std::ranges::none_of(QApplication::topLevelWidgets(), [](QWidget* w) {
                return w->objectName() == "frmOptions";
            });
            storedWhenMircOpened = world.setting(kIncludeHScrollBar);
            child<QPushButton>(mirc, "btnCancel").click();
        });
        child<QPushButton>(dialog, "btnMirc").click();
    });
    runOptionsDialog(nullptr, world.settings, world.user);
    QVERIFY(*ran);
    QVERIFY(*mircRan);
    QVERIFY(optionsGone);
    QCOMPARE(storedWhenMircOpened, std::string("0"));
    QCOMPARE(world.setting(kAlwaysOnTop), std::string("0"));
    QCOMPARE(world.setting(kIncludeFolders), std::string("1"));
    QCOMPARE(world.setting(kDdeSendString), std::string("<missing>"));
}

void OptionsDialogsTest::mircOptionsRefillEmptyBoxesOnOk() {
    DialogWorld world;
    auto ran = onModal("frmMircOptions", [](QWidget& dialog) {
        QCOMPARE(dialog.windowTitle(), QString("Advanced Mirc Options"));
        auto& service = child<QLineEdit>(dialog, "txtDDEServiceName");
        auto& command = child<QLineEdit>(dialog, "txtDDESendString");
        QCOMPARE(service.text(), QString("mIRC"));
        QCOMPARE(command.text(), QString("/DCC send %N %P"));
        QVERIFY(child<QPushButton>(dialog, "btnOK").isDefault());
        QCOMPARE(tabOrder(dialog),
                 QStringList({"txtDDEServiceName", "txtDDESendString", "btnOK", "btnCancel"}));
        screenshot(dialog, "frmMircOptions");
        service.clear();
        command.clear();
        child<QPushButton>(dialog, "btnOK").click();
        QCOMPARE(service.text(), QString("mIRC"));
        QCOMPARE(command.text(), QString("/DCC send %N %P"));
    });
    runMircOptionsDialog(nullptr, world.settings, world.user);
    QVERIFY(*ran);
    QCOMPARE(world.setting(kDdeServiceName), std::string("mIRC"));
    QCOMPARE(world.setting(kDdeSendString), std::string("/DCC send %N %P"));
}

void OptionsDialogsTest::mircOptionsStoreEditsOnOkOnly_data() {
    QTest::addColumn<int>("how");
    QTest::addColumn<bool>("stored");
    QTest::newRow("OK") << static_cast<int>(Leave::Button) << true;
    QTest::newRow("Cancel") << -1 << false;
    QTest::newRow("close box") << static_cast<int>(Leave::CloseBox) << false;
    QTest::newRow("Escape") << static_cast<int>(Leave::Escape) << false;
}

void OptionsDialogsTest::mircOptionsStoreEditsOnOkOnly() {
    QFETCH(int, how);
    QFETCH(bool, stored);
    DialogWorld world;
    world.settings.app().save(kDdeServiceName, "weechat");
    auto ran = onModal("frmMircOptions", [how](QWidget& dialog) {
        QCOMPARE(child<QLineEdit>(dialog, "txtDDEServiceName").text(), QString("weechat"));
        child<QLineEdit>(dialog, "txtDDEServiceName").setText("hexchat");
        child<QLineEdit>(dialog, "txtDDESendString").setText("/msg friend %F");
        if (how < 0) {
            child<QPushButton>(dialog, "btnCancel").click();
        } else {
            leave(dialog, static_cast<Leave>(how), "btnOK");
        }
    });
    runMircOptionsDialog(nullptr, world.settings, world.user);
    QVERIFY(*ran);
    QCOMPARE(world.setting(kDdeServiceName), std::string(stored ? "hexchat" : "weechat"));
    QCOMPARE(world.setting(kDdeSendString), std::string(stored ? "/msg friend %F" : "<missing>"));
}

}  // namespace quor::find::ui

QUOR_QT_TEST_MAIN(quor::find::ui::OptionsDialogsTest)

#include "options_dialogs_test.moc"
