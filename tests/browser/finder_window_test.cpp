// The "Find A Game" dialog offscreen, driven as a user drives it: typing a pattern, Enter,
// "Find Now", the check box, double clicks and Esc. The search's own rules are unit-tested in
// game_search_test.cpp; here the dialog's part: what starts a search, what is shown, what a
// double click reports, and that a running search can be stopped keeping what it found so far
// (the beginning of what the whole search would report).

#include <QLineEdit>
#include <QSignalSpy>
#include <QTreeWidget>
#include <atomic>
#include <filesystem>

#include "browser/frm_find.h"
#include "qt_test_support.h"

using namespace brackmoor;
using test::Child;
using test::ClickIn;
using test::Items;
namespace fs = std::filesystem;

class FinderWindowTest : public QObject {
    Q_OBJECT

    TempDir dir_;
    test::RecordingMessages messages_;
    fs::path games_ = dir_.path() / "Games";

    QString at(const char* relative) const {
        return QString::fromStdString((games_ / relative).string());
    }

private Q_SLOTS:
    void initTestCase() {
        for (const char* file : {"Lemmings.adf", "notes.txt", "Arcade/Fire Force.ADF",
                                 "Arcade/Zool.adz", "Fire/readme.txt", "Fire/Firestorm.adf"}) {
            fs::create_directories((games_ / file).parent_path());
            WriteFile(games_ / file, "disk");
        }
    }

    void opensAtTheCurrentFolderWithFreshControls() {
        FrmFind dialog(games_.string() + "/", messages_);
        test::Show(&dialog);
        QCOMPARE(dialog.dirfindPath(), games_.string());
        QVERIFY(messages_.shown.empty());
        // dirfind: the folders down to this one, then its subfolders.
        auto* dirfind = Child<QTreeWidget>(&dialog, "dirfind");
        QCOMPARE(dirfind->topLevelItem(0)->text(0), QString("/"));
        QVERIFY(dirfind->currentItem()->text(0) == "Games" &&
                dirfind->currentItem()->childCount() == 2);
        // Every control can be reached with Tab, in order; cmdStop is off while no search runs.
        QCOMPARE(dialog.focusWidget()->objectName(), QString("txtfindwild"));
        QStringList order;
        for (int i = 0; i < 6; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(order, (QStringList{"chkfindsub", "cmdfindnow", "lstfind", "drvfind", "dirfind",
                                     "txtfindwild"}));
        // A folder that cannot be read: a word, and the search starts at the drive's root.
        FrmFind gone((dir_.path() / "ejected CD").string(), messages_);
        QCOMPARE(messages_.texts(),
                 std::vector<std::string>{"Missing Media! CD might be busy......"});
        QCOMPARE(gone.dirfindPath(), std::string("/"));
        messages_.shown.clear();
    }

    void enterAndFindNowRunTheSameSearchEachReplacingTheLastThenADoubleClickReports() {
        FrmFind dialog(games_.string(), messages_);
        test::Show(&dialog);
        QSignalSpy chosen(&dialog, &FrmFind::gameChosen);
        auto* pattern = Child<QLineEdit>(&dialog, "txtfindwild");
        auto* list = Child<QListWidget>(&dialog, "lstfind");
        ClickIn(list, QRect(5, 5, 10, 10), true);  // an empty list: nothing happens
        QVERIFY(dialog.isVisible() && chosen.isEmpty());
        pattern->clear();
        QTest::keyClicks(pattern, "*.adf");
        QTest::keyClick(pattern, Qt::Key_Return);
        QTRY_VERIFY(!dialog.searching());
        const QStringList expected{at("Lemmings.adf"), at("Arcade/Fire Force.ADF"),
                                   at("Fire/Firestorm.adf")};
        QCOMPARE(Items(list), expected);
        test::Click(&dialog, "cmdfindnow");
        QTRY_VERIFY(!dialog.searching());
        QCOMPARE(Items(list), expected);
        test::Click(&dialog, "chkfindsub");
        QTest::keyClick(pattern, Qt::Key_Enter);
        QTRY_VERIFY(!dialog.searching());
        QCOMPARE(Items(list), QStringList{at("Lemmings.adf")});
        QVERIFY(dialog.isVisible());  // Enter did not also press a button
        QVERIFY(QApplication::overrideCursor() == nullptr);
        // A double-clicked folder is where the next search starts.
        auto* dirfind = Child<QTreeWidget>(&dialog, "dirfind");
        QTreeWidgetItem* fire = dirfind->currentItem()->child(1);
        dirfind->scrollToItem(fire);
        ClickIn(dirfind, dirfind->visualItemRect(fire), true);
        QCOMPARE(dialog.dirfindPath(), (games_ / "Fire").string());
        pattern->setText("*.*");
        test::Click(&dialog, "cmdfindnow");
        QTRY_VERIFY(!dialog.searching());
        QCOMPARE(Items(list), (QStringList{at("Fire/Firestorm.adf"), at("Fire/readme.txt")}));
        for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {  // the left only
            const QPoint first = list->visualItemRect(list->item(0)).center();
            QTest::mouseClick(list->viewport(), button, {}, first);
            QTest::mouseDClick(list->viewport(), button, {}, first);
        }
        QVERIFY(chosen.isEmpty() && dialog.isVisible());
        test::ClickItem(list, 0, true);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen[0][0].value<std::string>(), (games_ / "Fire/Firestorm.adf").string());
        QVERIFY(dialog.result() == QDialog::Accepted && !dialog.isVisible());
    }

    void escStopsARunningSearchKeepingItsResultsThenCloses() {
        FrmFind dialog(games_.string(), messages_);
        // The real search, held after its first result until it is told to stop.
        std::atomic<bool> stopped{false};
        dialog.setSearchFunction([&](const std::string& path, bool sub, const std::string& pattern,
                                     const SearchEvents& events) {
            SearchEvents held = events;
            held.found = [&events](const std::string& file) {
                events.found(file);
                while (!events.stop->load())
                    QThread::msleep(1);
            };
            const SearchSummary summary = GetFiles(path, sub, pattern, held);
            stopped = summary.stopped;
            return summary;
        });
        test::Show(&dialog);
        auto* list = Child<QListWidget>(&dialog, "lstfind");
        QTest::keyClick(Child<QLineEdit>(&dialog, "txtfindwild"), Qt::Key_Return);
        QTRY_COMPARE(list->count(), 1);
        QVERIFY(dialog.searching() && Child<QAbstractButton>(&dialog, "cmdStop")->isEnabled());
        QVERIFY(QApplication::overrideCursor() != nullptr);
        // Esc where the user pressed Enter: the pattern box lets it through to the dialog.
        QTest::keyClick(Child<QLineEdit>(&dialog, "txtfindwild"), Qt::Key_Escape);
        QTRY_VERIFY(!dialog.searching());
        QVERIFY(stopped && dialog.isVisible());
        QCOMPARE(Items(list), QStringList{at("Lemmings.adf")});  // the search's first result
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QTest::keyClick(Child<QLineEdit>(&dialog, "txtfindwild"), Qt::Key_Escape);
        QVERIFY(dialog.result() == QDialog::Rejected && !dialog.isVisible());
    }
};

QTEST_MAIN(FinderWindowTest)
#include "finder_window_test.moc"
