// The media window offscreen: the resize rule, showing and writing a game's record, the note's
// limits and the multi-select stopper. The record and note rules themselves are checked in
// game_settings_test.cpp; selection through the real file list in the browser window test.

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <memory>

#include "imaging/picture_clipboard.h"
#include "media/frm_media.h"
#include "media/screenshots.h"
#include "qt_test_support.h"
#include "settings/launcher_settings.h"

namespace brackmoor {

using test::Child;

class FrmMediaTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        dir = std::make_unique<TempDir>();
        settings.AppPath = dir->withSeparator();
        // Screenshots in a folder of their own, as for an installed copy.
        settings.SnapsPath = (dir->path() / "data").string() + "/";
        messages = test::RecordingMessages();
        area = std::make_unique<QMdiArea>();
        area->resize(1200, 900);
        media = new FrmMedia;
        area->addSubWindow(media);
        media->cmbConfigToUse()->addItems({"A1200.uae", "A500.uae", "CD32.uae"});
        media->cmbWBUse()->addItems({"NONE", "Workbench 1.3.adf", "Workbench 3.1.adf"});
        media->attach(&settings, &messages, &clipboard);
        media->showGame("LEMMINGS");
        test::Show(area.get());
    }

    void resizeFollowsTheWindowAboveTheMinimumAndNeverMaximises() {
        auto* img = Child<QLabel>(media, "imgMedia");
        auto* notes = Child<QPlainTextEdit>(media, "txtNotes");

        // Dragged far below the minimum, the window holds at 4600 x 3950 twips (rounded up to
        // 4605 x 3960); above it the picture stays 300 x 900 twips smaller than the window, the
        // note 300 x 1300.
        media->resize(40, 30);
        QCOMPARE(media->size(), QSize(307, 264));
        media->setGeometry(10, 20, 600, 467);  // 9000 x 7000 twips
        QCOMPARE(img->size(), QSize(580, 407));
        QCOMPARE(notes->size(), QSize(580, 380));

        media->showMaximized();
        QTRY_VERIFY(!media->isMaximized());
        QCOMPARE(media->size(), QSize(600, 467));
    }

    void showsTheRecordAndItsMarker() {
        WriteFile(file(),
                  "[LEMMINGS]\r\nCF=-1\r\nAL=1\r\nWB=2\r\nDU=0\r\nNotes=Use joystick 2\r\n"
                  "[OTHER]\r\nNotes=a note\r\n");
        auto* notes = Child<QPlainTextEdit>(media, "txtNotes");
        notes->setPlainText("old note");
        showTab(2);
        media->showGame("LEMMINGS");  // every value differs from the window's defaults
        QCOMPARE(media->choices(), (GameChoices{-1, 2, true, false}));
        QCOMPARE(media->cmbConfigToUse()->currentText(), QString());
        QCOMPARE(notes->toPlainText(), QString("Use joystick 2"));
        QVERIFY(Child<QLabel>(media, "imgSaved")->isVisible());

        // A game without remembered settings shows the defaults, no note and no marker.
        media->showGame("OTHER");
        QCOMPARE(media->choices(), DefaultGameChoices());
        QCOMPARE(media->cmbConfigToUse()->currentText(), QString("A1200.uae"));
        QCOMPARE(notes->toPlainText(), QString());
        QVERIFY(!Child<QLabel>(media, "imgSaved")->isVisible());
    }

    // An existing section is updated in place; a note saved before stays where it was. A typed
    // configuration name is no entry of the list, so it is remembered as -1.
    void rememberWritesTheRecord() {
        WriteFile(file(), "[FIRST]\nCF=0\n[LEMMINGS]\nNotes=keep\nDU=1\n[LAST]\nWB=1\n");
        media->showGame("LEMMINGS");
        media->cmbConfigToUse()->setCurrentIndex(2);
        media->cmbWBUse()->setCurrentIndex(1);
        Child<QAbstractButton>(media, "chkAutoABCD")->setChecked(true);
        Child<QAbstractButton>(media, "chkDissableUnused")->setChecked(false);
        showTab(2);
        click("cmdSaveSettings");
        QCOMPARE(ReadFile(file()),
                 "[FIRST]\nCF=0\n[LEMMINGS]\nNotes=keep\nDU=0\nCF=2\nAL=1\nWB=1\n[LAST]\nWB=1\n");
        QVERIFY(Child<QLabel>(media, "imgSaved")->isVisible());
        typeConfig("my.uae");
        QCOMPARE(media->cmbConfigToUse()->count(), 3);  // nothing is added to the list
        click("cmdSaveSettings");
        QVERIFY(ReadFile(file()).find("DU=0\nCF=-1\n") != std::string::npos);
        QVERIFY(media->savedMarkerShown() && messages.shown.empty());
    }

    void withoutAGameNothingIsWrittenAndFailedWritesAreReported() {
        media->showGame(std::nullopt);
        click("cmdSaveSettings");
        click("cmdsavenotes");
        QVERIFY(!std::filesystem::exists(file()) && messages.shown.empty());

        settings.AppPath = (dir->path() / "gone").string() + "/";
        media->showGame("LEMMINGS");
        click("cmdSaveSettings");
        click("cmdsavenotes");
        QVERIFY(!media->savedMarkerShown());
        QCOMPARE(messages.shown.size(), std::size_t(2));
        QVERIFY(messages.shown[0].text.find("/gone/Game Settings.ini") != std::string::npos);
        QVERIFY(messages.shown[1].text.find("note") != std::string::npos);
    }

    void defaultsWriteNothingAndLeaveTheMarker() {
        const std::string bytes = "[LEMMINGS]\r\nCF=0\r\nAL=1\r\nWB=2\r\nDU=0\r\n";
        WriteFile(file(), bytes);
        media->showGame("LEMMINGS");
        showTab(2);
        typeConfig("my.uae");
        click("cmddefault");
        QCOMPARE(media->choices(), DefaultGameChoices());
        // The first entry's text comes back too, though the list's position has not moved.
        QCOMPARE(media->cmbConfigToUse()->currentText(), QString("A1200.uae"));
        QVERIFY(media->savedMarkerShown() && ReadFile(file()) == bytes);
        media->showGame("LEMMINGS");  // selecting the game again brings them back
        QCOMPARE(media->choices(), (GameChoices{0, 2, true, false}));
    }

    // "Save" on the capture tab: the clipboard's picture, reduced, becomes the shown game's
    // screenshot and is shown at once; a picture dropped on the image does the same.
    void capturedAndDroppedPicturesBecomeTheScreenshot() {
        std::filesystem::create_directories(dir->path() / "data" / "Snaps");
        const auto shot = dir->path() / "data" / "Snaps" / "LEMMINGS.jpg";
        const auto shotSize = [&] { return QImage(QString::fromStdString(shot.string())).size(); };
        auto* image = Child<QLabel>(media, "imgMedia");
        showTab(1);
        click("cmdSave");  // nothing on the clipboard yet
        QCOMPARE(messages.shown.size(), std::size_t(1));

        QImage picture(800, 600, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        clipboard.setPicture(picture);
        click("cmdSave");  // "Half 50%" is chosen at the start
        QCOMPARE(shotSize(), QSize(400, 300));
        QVERIFY(image->pixmap().toImage() != media->placeholderPicture().toImage());
        auto* size = Child<QComboBox>(media, "cmbImageSize");
        size->setEditText("Half");  // an edited size text saves nothing
        std::filesystem::remove(shot);
        click("cmdSave");
        QVERIFY(!std::filesystem::exists(shot));

        // A dropped file that is no picture is refused and said so; a picture file is saved.
        size->setCurrentIndex(0);
        showTab(0);
        const auto dropData = [&](QMimeData& data) {
            QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(image->parentWidget(), &enter);
            QDropEvent event(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(image->parentWidget(), &event);
        };
        const auto drop = [&](const std::filesystem::path& file) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file.string()))});
            dropData(data);
        };
        WriteFile(dir->path() / "notes.txt", "not a picture");
        drop(dir->path() / "notes.txt");
        QCOMPARE(messages.shown.size(), std::size_t(2));
        QVERIFY(!std::filesystem::exists(shot));
        QVERIFY(picture.scaled(64, 48).save(
            QString::fromStdString((dir->path() / "shot.png").string())));
        drop(dir->path() / "shot.png");
        QCOMPARE(shotSize(), QSize(64, 48));
        QCOMPARE(messages.shown.size(), std::size_t(2));
        // Picture bytes cut short, as another program may offer them, are refused saying so.
        QMimeData damaged;
        damaged.setData("image/png", QByteArray::fromStdString(
                                         ReadFile(dir->path() / "shot.png").substr(0, 60)));
        dropData(damaged);
        QCOMPARE(messages.shown.size(), std::size_t(3));
        QVERIFY(messages.shown[2].text.find("cut short") != std::string::npos);
        QCOMPARE(shotSize(), QSize(64, 48));
    }

    // The capture page is built when first needed: a picture dropped before it was ever opened
    // is saved at the page's first choices, and the page, opened later, names the shown game.
    void theCapturePageOpenedLateHasItsChoicesAndTheGame() {
        std::filesystem::create_directories(dir->path() / "data" / "Snaps");
        QVERIFY(media->findChild<QPushButton*>("cmdSave") == nullptr);
        media->showGame("ZOOL");
        QImage picture(800, 600, QImage::Format_RGB32);
        picture.fill(Qt::darkRed);
        QMimeData data;
        data.setImageData(picture);
        QWidget* page = Child<QLabel>(media, "imgMedia")->parentWidget();
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, {});
        QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(page, &enter);
        QCoreApplication::sendEvent(page, &drop);
        QCOMPARE(
            QImage(QString::fromStdString((dir->path() / "data" / "Snaps" / "ZOOL.jpg").string()))
                .size(),
            QSize(400, 300));  // "Half 50%"
        QVERIFY(messages.shown.empty());

        showTab(1);
        auto* name = Child<QLineEdit>(media, "txtimgname");
        QVERIFY(name->isVisible() && !page->isVisible());
        QCOMPARE(name->text(), QString::fromStdString(CaptureImageName("ZOOL")));
        QCOMPARE(name->parentWidget()->geometry(), page->geometry());  // placed as the others
        media->showGame("LEMMINGS");
        QCOMPARE(name->text(), QString::fromStdString(CaptureImageName("LEMMINGS")));
    }

    // Saving the note is checked with the real file list (browser_window_test.cpp).
    void noteAndCompressionBoxesKeepTheirLimits() {
        showTab(3);
        auto* notes = Child<QPlainTextEdit>(media, "txtNotes");
        notes->setFocus();
        QTest::keyClicks(notes, QString(499, 'a'));
        QTest::keyClick(notes, Qt::Key_Return);
        QTest::keyClick(notes, Qt::Key_Enter, Qt::ShiftModifier);
        QTest::keyClicks(notes, "bc");  // the 501st character is refused
        QCOMPARE(notes->toPlainText(), QString(499, 'a') + "b");

        // A paste turns line breaks into blanks and is cut to what still fits.
        notes->setPlainText("Disk swap:");
        notes->moveCursor(QTextCursor::End);
        QGuiApplication::clipboard()->setText(" press\r\nfire\n" + QString(600, 'z'));
        notes->paste();
        const QString note = "Disk swap: press fire " + QString(478, 'z');
        QCOMPARE(notes->toPlainText(), note);

        showTab(1);
        auto* box = Child<QLineEdit>(media, "txtJPGcompession");
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, "x7a ");  // only digits, sign and point get through
        QCOMPARE(box->text(), QString("7"));
        box->selectAll();
        QTest::keyClicks(box, "150");  // the clamp runs on every change
        QCOMPARE(box->text(), QString("100"));
        // Ctrl+V types a control character under X11: refused like any other.
        QGuiApplication::clipboard()->setText("abc");
        QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QString(QChar(0x16)));
        QApplication::sendEvent(box, &paste);
        QCOMPARE(box->text(), QString("100"));
    }

private:
    std::filesystem::path file() const { return dir->path() / "Game Settings.ini"; }
    void showTab(int tab) { media->tabMedia()->setCurrentIndex(tab); }
    void click(const char* button) { test::Click(media, button); }
    void typeConfig(const char* text) {  // as a user types into the list's text field
        QLineEdit* edit = media->cmbConfigToUse()->lineEdit();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    std::unique_ptr<TempDir> dir;
    std::unique_ptr<QMdiArea> area;
    FrmMedia* media = nullptr;
    LauncherSettings settings;
    test::RecordingMessages messages;
    QtPictureClipboard clipboard;
};

}  // namespace brackmoor

QTEST_MAIN(brackmoor::FrmMediaTest)
#include "frm_media_test.moc"
