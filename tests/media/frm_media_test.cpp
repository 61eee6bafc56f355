// The media window offscreen: placement in twips, the resize rule, loading a game's record and
// the buttons that write it, the note's limits and the multi-select stopper.

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>
#include <memory>

#include "launch/naming_rules.h"
#include "media/frm_media.h"
#include "media/media_layout.h"
#include "settings/launcher_settings.h"
#include "test_support.h"

namespace brackmoor {
namespace {

// The file list as the media window sees it: selecting an item from the program focuses it
// and runs the selection handling, which reloads the media window and sets its mode.
class StandInList : public FileSelection, public CurrentGameSource {
public:
    StandInList(FrmMedia* media, std::vector<std::string> names)
        : media_(media), names_(std::move(names)), selected_(names_.size(), false) {}

    int count() const override { return static_cast<int>(names_.size()); }
    bool isSelected(int index) const override { return selected_.at(index); }
    void setSelected(int index, bool selected) override {
        selected_.at(index) = selected;
        if (selected) {
            focused_ = index;
        }
        handleSelection();
    }
    std::optional<std::string> currentGameKey() const override {
        if (focused_ < 0) {
            return std::nullopt;
        }
        return GameKey(names_.at(focused_));
    }

    // A user's Ctrl+click adding `index`.
    void add(int index) { setSelected(index, true); }
    int focused() const { return focused_; }
    std::vector<int> selection() const {
        std::vector<int> out;
        for (int i = 0; i < count(); ++i) {
            if (selected_[i]) {
                out.push_back(i);
            }
        }
        return out;
    }

private:
    void handleSelection() {
        if (const auto key = currentGameKey()) {
            media_->loadGameSettings(*key);
        }
        media_->setMultiSelectMode(selection().size() > 1);
    }

    FrmMedia* media_;
    std::vector<std::string> names_;
    std::vector<bool> selected_;
    int focused_ = -1;
};

// A game known by its key alone.
class FixedGame : public CurrentGameSource {
public:
    std::optional<std::string> key;
    std::optional<std::string> currentGameKey() const override { return key; }
};

int Px(int twips) {
    return TwipsToPixels(twips, 96);
}

}  // namespace

class FrmMediaTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void resizeFollowsTheWindowAboveTheMinimum();
    void isNeverMaximised();
    void artworkHasItsSizes();

    void loadsRecords_data();
    void loadsRecords();
    void rememberWritesTheRecord();
    void failedWritesAreReportedWithoutTheMarker();
    void defaultsWriteNothingAndLeaveTheMarker();
    void typedChoiceTextMeansNoChoice();
    void noteKeepsToOneLineOf500();
    void stopperKeepsTheFirstOfThreeSelected();
    void withoutACurrentGameNothingIsWritten();
    void compressionBoxKeepsItsRange();

private:
    template <typename T>
    T* child(const char* name) {
        T* found = media->findChild<T*>(name);
        if (found == nullptr) {
            qFatal("no control %s", name);
        }
        return found;
    }
    std::filesystem::path file() const { return dir->path() / "Game Settings.ini"; }
    void showTab(int tab) { media->tabMedia()->setCurrentIndex(tab); }

    std::unique_ptr<test::TempDir> dir;
    std::unique_ptr<QMdiArea> area;
    FrmMedia* media = nullptr;
    LauncherSettings settings;
    test::RecordingMessages messages;
    FixedGame game;
};

void FrmMediaTest::init() {
    dir = std::make_unique<test::TempDir>();
    settings = LauncherSettings();
    settings.AppPath = dir->withSeparator();
    messages = test::RecordingMessages();
    game.key = "LEMMINGS";

    area = std::make_unique<QMdiArea>();
    area->resize(1200, 900);
    media = new FrmMedia;
    area->addSubWindow(media);
    media->cmbConfigToUse()->addItems({"A1200.uae", "A500.uae", "CD32.uae"});
    media->cmbConfigToUse()->setCurrentIndex(0);
    media->cmbWBUse()->addItems({"NONE", "Workbench 1.3.adf", "Workbench 3.1.adf"});
    media->cmbWBUse()->setCurrentIndex(0);
    media->attach(&settings, &messages, &game, nullptr);
    area->show();
    media->show();
    QVERIFY(QTest::qWaitForWindowExposed(area.get()));
}

void FrmMediaTest::cleanup() {
    area.reset();
    dir.reset();
}

void FrmMediaTest::resizeFollowsTheWindowAboveTheMinimum() {
    QCOMPARE(media->windowTitle(), QString("Media"));
    QCOMPARE(media->objectName(), QString("frmMedia"));
    QVERIFY(!(media->windowFlags() & Qt::WindowMaximizeButtonHint));
    QStringList captions;
    for (int i = 0; i < media->tabMedia()->count(); ++i) {
        captions << media->tabMedia()->tabText(i);
    }
    QCOMPARE(captions, QStringList({"Image", "Capture", "Game Options", "Game Info/Notes"}));

    auto* img = child<QLabel>("imgMedia");
    auto* notes = child<QPlainTextEdit>("txtNotes");
    // One pixel is 15 twips; the window's own size is rounded to whole pixels first.
    auto near = [](QSize actual, int widthTwips, int heightTwips) {
        return std::abs(actual.width() * 15 - widthTwips) <= 15 &&
               std::abs(actual.height() * 15 - heightTwips) <= 15;
    };

    media->resize(40, 30);  // dragged far below the minimum
    QVERIFY(media->width() * 15 >= 4600 && media->width() * 15 < 4600 + 15);
    QVERIFY(media->height() * 15 >= 3950 && media->height() * 15 < 3950 + 15);
    QVERIFY2(near(media->tabMedia()->size(), 4450, 3500), "tab control at the minimum");
    QVERIFY2(near(img->size(), 4300, 3050), "picture at the minimum");
    QVERIFY2(near(notes->size(), 4300, 2650), "note at the minimum");
    QCOMPARE(img->pos(), QPoint(5, 25));
    QCOMPARE(notes->pos(), QPoint(5, 50));

    media->setGeometry(10, 20, Px(9000), Px(7000));
    QCOMPARE(media->size(), QSize(600, 467));
    QCOMPARE(media->tabMedia()->size(), QSize(590, 437));
    QCOMPARE(img->size(), QSize(580, 407));
    QCOMPARE(notes->size(), QSize(580, 380));
    // Everything else keeps its design place and size.
    QCOMPARE(child<QWidget>("cmdSaveSettings")->geometry(),
             QRect(Px(900), Px(2850), Px(2640), Px(390)));
    QCOMPARE(child<QWidget>("cmdStopper")->geometry(), QRect(Px(825), Px(1275), Px(2790), Px(615)));
}

void FrmMediaTest::isNeverMaximised() {
    const QSize before = media->size();
    media->showMaximized();
    QTRY_VERIFY(!media->isMaximized());
    QCOMPARE(media->size(), before);
}

void FrmMediaTest::artworkHasItsSizes() {
    QCOMPARE(media->placeholderPicture().size(), QSize(321, 242));
    QCOMPARE(child<QLabel>("imgSaved")->pixmap().size(), QSize(14, 14));
    // A screenshot replaces the placeholder; a null picture brings it back.
    QImage shot(64, 48, QImage::Format_RGB32);
    shot.fill(Qt::green);
    media->showScreenshot(shot);
    QCOMPARE(child<QLabel>("imgMedia")->pixmap().size(), QSize(64, 48));
    media->showScreenshot(QImage());
    QCOMPARE(child<QLabel>("imgMedia")->pixmap().size(), QSize(321, 242));
}

void FrmMediaTest::loadsRecords_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("config");
    QTest::addColumn<int>("workbench");
    QTest::addColumn<bool>("autoload");
    QTest::addColumn<bool>("disableUnused");
    QTest::addColumn<bool>("marker");
    QTest::addColumn<QString>("notes");

    QTest::newRow("no file") << QByteArray() << 0 << 0 << false << true << false << "";
    QTest::newRow("no section") << QByteArray("[OTHER]\r\nCF=2\r\n") << 0 << 0 << false << true
                                << false << "";
    QTest::newRow("only Notes") << QByteArray("[LEMMINGS]\r\nNotes=a note\r\n") << 0 << 0 << false
                                << true << false << "";
    QTest::newRow("CF without the rest")
        << QByteArray("[LEMMINGS]\r\nCF=1\r\n") << 1 << 0 << false << false << true << "";
    QTest::newRow("CF ERR") << QByteArray("[LEMMINGS]\r\nCF=ERR\r\nWB=1\r\nNotes=n\r\n") << 0 << 0
                            << false << true << false << "";
    QTest::newRow("empty CF") << QByteArray("[LEMMINGS]\r\nCF=\r\n") << 0 << 0 << false << false
                              << true << "";
    QTest::newRow("CF -1")
        << QByteArray("[LEMMINGS]\r\nCF=-1\r\nAL=1\r\nWB=2\r\nDU=1\r\nNotes=Use joystick 2\r\n")
        << -1 << 2 << true << true << true << "Use joystick 2";
    QTest::newRow("CF abc") << QByteArray("[LEMMINGS]\r\nCF=abc\r\nWB=1\r\n") << 0 << 1 << false
                            << false << true << "";
    QTest::newRow("CF 2.5") << QByteArray("[LEMMINGS]\r\nCF=2.5\r\n") << 2 << 0 << false << false
                            << true << "";
    QTest::newRow("CF -7") << QByteArray("[LEMMINGS]\r\nCF=-7\r\n") << -1 << 0 << false << false
                           << true << "";
    QTest::newRow("CF 99999, WB 3") << QByteArray("[LEMMINGS]\r\nCF=99999\r\nWB=3\r\nAL=2\r\n")
                                    << -1 << -1 << false << false << true << "";
    QTest::newRow("other letter case") << QByteArray("[Lemmings]\r\ncf=2\r\nnotes=x\r\n") << 2 << 0
                                       << false << false << true << "x";
    QTest::newRow("duplicated") << QByteArray("[LEMMINGS]\nCF=1\n[LEMMINGS]\nCF=2\n") << 1 << 0
                                << false << false << true << "";
    QTest::newRow("garbage") << QByteArray("\x01\xff[[[\n=\n]LEMMINGS[\nCF\n\0\0", 22) << 0 << 0
                             << false << true << false << "";
}

void FrmMediaTest::loadsRecords() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, config);
    QFETCH(int, workbench);
    QFETCH(bool, autoload);
    QFETCH(bool, disableUnused);
    QFETCH(bool, marker);
    QFETCH(QString, notes);

    // Start from the opposite of every expectation, so each control is seen to change.
    media->cmbConfigToUse()->setCurrentIndex(config == 1 ? 2 : 1);
    child<QCheckBox>("chkAutoABCD")->setChecked(!autoload);
    child<QCheckBox>("chkDissableUnused")->setChecked(!disableUnused);
    child<QPlainTextEdit>("txtNotes")->setPlainText("old note");
    if (!bytes.isEmpty()) {
        test::WriteFile(file(), bytes.toStdString());
    }

    media->loadGameSettings("LEMMINGS");
    QCOMPARE(media->configPosition(), config);
    QCOMPARE(media->cmbConfigToUse()->currentIndex(), config);
    QCOMPARE(media->cmbConfigToUse()->currentText(),
             config < 0 ? QString() : media->cmbConfigToUse()->itemText(config));
    QCOMPARE(media->workbenchPosition(), workbench);
    QCOMPARE(media->autoloadABCD(), autoload);
    QCOMPARE(media->disableUnusedDrives(), disableUnused);
    QCOMPARE(media->savedMarkerShown(), marker);
    QCOMPARE(child<QPlainTextEdit>("txtNotes")->toPlainText(), notes);
    showTab(2);
    QCOMPARE(child<QLabel>("imgSaved")->isVisible(), marker);
}

void FrmMediaTest::rememberWritesTheRecord() {
    media->loadGameSettings("LEMMINGS");
    QVERIFY(!media->savedMarkerShown());
    media->cmbConfigToUse()->setCurrentIndex(2);
    media->cmbWBUse()->setCurrentIndex(1);
    child<QCheckBox>("chkAutoABCD")->setChecked(true);
    child<QCheckBox>("chkDissableUnused")->setChecked(false);
    showTab(2);
    QTest::mouseClick(child<QPushButton>("cmdSaveSettings"), Qt::LeftButton);
    QCOMPARE(test::ReadFile(file()), std::string("[LEMMINGS]\r\nCF=2\r\nAL=1\r\nWB=1\r\nDU=0\r\n"));
    QVERIFY(media->savedMarkerShown());
    QVERIFY(child<QLabel>("imgSaved")->isVisible());

    // An existing section is updated in place; a note saved before stays where it was.
    test::WriteFile(file(), "[FIRST]\nCF=0\n[LEMMINGS]\nNotes=keep\nDU=1\n[LAST]\nWB=1\n");
    media->loadGameSettings("LEMMINGS");
    QVERIFY(!media->savedMarkerShown());
    media->cmbConfigToUse()->setCurrentIndex(1);
    QTest::mouseClick(child<QPushButton>("cmdSaveSettings"), Qt::LeftButton);
    QCOMPARE(test::ReadFile(file()),
             std::string("[FIRST]\nCF=0\n[LEMMINGS]\nNotes=keep\nDU=1\nCF=1\nAL=0\nWB=0\n"
                         "[LAST]\nWB=1\n"));
    media->loadGameSettings("LEMMINGS");
    QCOMPARE(child<QPlainTextEdit>("txtNotes")->toPlainText(), QString("keep"));
    QVERIFY(messages.shown.empty());
}

void FrmMediaTest::failedWritesAreReportedWithoutTheMarker() {
    settings.AppPath = (dir->path() / "gone").string() + "/";
    media->loadGameSettings("LEMMINGS");
    QTest::mouseClick(child<QPushButton>("cmdSaveSettings"), Qt::LeftButton);
    QVERIFY(!media->savedMarkerShown());
    QCOMPARE(messages.shown.size(), std::size_t(1));
    QVERIFY(messages.shown[0].text.find("Game Settings.ini") != std::string::npos);
    QVERIFY(messages.shown[0].text.find("gone") != std::string::npos);

    showTab(3);
    child<QPlainTextEdit>("txtNotes")->setPlainText("lost?");
    QTest::mouseClick(child<QPushButton>("cmdsavenotes"), Qt::LeftButton);
    QCOMPARE(messages.shown.size(), std::size_t(2));
    QVERIFY(messages.shown[1].text.find("note") != std::string::npos);
}

void FrmMediaTest::defaultsWriteNothingAndLeaveTheMarker() {
    const std::string bytes = "[LEMMINGS]\r\nCF=2\r\nAL=1\r\nWB=2\r\nDU=0\r\n";
    test::WriteFile(file(), bytes);
    media->loadGameSettings("LEMMINGS");
    QVERIFY(media->savedMarkerShown());
    showTab(2);
    QTest::mouseClick(child<QPushButton>("cmddefault"), Qt::LeftButton);
    QCOMPARE(media->choices(), DefaultGameChoices());
    QCOMPARE(media->cmbConfigToUse()->currentText(), QString("A1200.uae"));
    QCOMPARE(media->cmbWBUse()->currentText(), QString("NONE"));
    QVERIFY(media->savedMarkerShown());
    QCOMPARE(test::ReadFile(file()), bytes);
    // Selecting the game again brings the remembered choices back.
    media->loadGameSettings("LEMMINGS");
    QCOMPARE(media->choices(), (GameChoices{2, 2, true, false}));
}

void FrmMediaTest::typedChoiceTextMeansNoChoice() {
    showTab(2);
    QLineEdit* edit = media->cmbConfigToUse()->lineEdit();
    QVERIFY(edit != nullptr);
    edit->selectAll();
    QTest::keyClicks(edit, "my.uae");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(media->cmbConfigToUse()->count(), 3);  // nothing is added to the list
    QCOMPARE(media->configPosition(), -1);
    QTest::mouseClick(child<QPushButton>("cmdSaveSettings"), Qt::LeftButton);
    QVERIFY(test::ReadFile(file()).find("CF=-1\r\n") != std::string::npos);
    // Defaults put the first entry back, text included.
    QTest::mouseClick(child<QPushButton>("cmddefault"), Qt::LeftButton);
    QCOMPARE(media->configPosition(), 0);
    QCOMPARE(edit->text(), QString("A1200.uae"));
}

void FrmMediaTest::noteKeepsToOneLineOf500() {
    showTab(3);
    auto* notes = child<QPlainTextEdit>("txtNotes");
    notes->setFocus();
    QTest::keyClicks(notes, QString(499, 'a'));
    QTest::keyClick(notes, Qt::Key_Return);
    QTest::keyClick(notes, Qt::Key_Enter, Qt::ShiftModifier);
    QTest::keyClicks(notes, "bc");  // the 501st character is refused
    QCOMPARE(notes->toPlainText(), QString(499, 'a') + "b");

    // A paste turns line breaks into blanks and is cut to what still fits.
    notes->setPlainText("Disk swap:");
    notes->moveCursor(QTextCursor::End);
    QGuiApplication::clipboard()->setText(" press\r\nfire\nthen [EVIL]\nCF=1");
    notes->paste();
    const QString pasted = "Disk swap: press fire then [EVIL] CF=1";
    QCOMPARE(notes->toPlainText(), pasted);
    QCOMPARE(notes->document()->blockCount(), 1);
    QGuiApplication::clipboard()->setText(QString(600, 'z'));
    notes->paste();
    QCOMPARE(notes->toPlainText(), pasted + QString(500 - pasted.size(), 'z'));

    QTest::mouseClick(child<QPushButton>("cmdsavenotes"), Qt::LeftButton);
    QCOMPARE(test::ReadFile(file()),
             "[LEMMINGS]\r\nNotes=" + (pasted + QString(500 - pasted.size(), 'z')).toStdString() +
                 "\r\n");
    QVERIFY(!media->savedMarkerShown());  // a note alone is no remembered settings
    // ... so selecting the game again shows an empty box, while the file keeps the note.
    media->loadGameSettings("LEMMINGS");
    QCOMPARE(notes->toPlainText(), QString());
}

void FrmMediaTest::stopperKeepsTheFirstOfThreeSelected() {
    test::WriteFile(file(),
                    "[GAME TWO]\r\nCF=1\r\nAL=0\r\nWB=1\r\nDU=0\r\n"
                    "[GAME FOUR]\r\nCF=2\r\nAL=1\r\nWB=2\r\nDU=1\r\n");
    StandInList list(media, {"Game One.adf", "Game Two.adf", "Game Three.adf", "Game Four.adf",
                             "Game Five.adf"});
    media->attach(&settings, &messages, &list, &list);
    auto* stopper = child<QPushButton>("cmdStopper");
    QVERIFY(!stopper->isVisible());

    list.add(1);
    list.add(3);
    list.add(2);  // focused last
    QVERIFY(media->multiSelectMode());
    QVERIFY(stopper->isVisible());
    QVERIFY(!media->tabMedia()->isEnabled());
    QVERIFY(!media->cmbConfigToUse()->isEnabled());
    QVERIFY(stopper->isEnabled());
    QVERIFY(!media->savedMarkerShown());  // Game Three, the focused item, has no record

    QTest::mouseClick(stopper, Qt::LeftButton);
    QCOMPARE(list.selection(), std::vector<int>({1}));
    QCOMPARE(list.focused(), 1);
    QVERIFY(!media->multiSelectMode());
    QVERIFY(!stopper->isVisible());
    QVERIFY(media->tabMedia()->isEnabled());
    QVERIFY(media->savedMarkerShown());
    QCOMPARE(media->choices(), (GameChoices{1, 1, false, false}));
}

void FrmMediaTest::withoutACurrentGameNothingIsWritten() {
    StandInList empty(media, {});
    media->attach(&settings, &messages, &empty, &empty);
    media->setMultiSelectMode(true);
    QTest::mouseClick(child<QPushButton>("cmdStopper"), Qt::LeftButton);
    media->setMultiSelectMode(false);
    QTest::mouseClick(child<QPushButton>("cmdSaveSettings"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>("cmdsavenotes"), Qt::LeftButton);
    game.key = "";  // a name that gives an empty key counts as no game
    media->attach(&settings, &messages, &game, &empty);
    QTest::mouseClick(child<QPushButton>("cmdSaveSettings"), Qt::LeftButton);
    QVERIFY(!std::filesystem::exists(file()));
    QVERIFY(!media->savedMarkerShown());
    QVERIFY(messages.shown.empty());
}

void FrmMediaTest::compressionBoxKeepsItsRange() {
    showTab(1);
    auto* box = child<QLineEdit>("txtJPGcompession");
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, "x7a ");
    QCOMPARE(box->text(), QString("7"));
    box->selectAll();
    QTest::keyClicks(box, "150");  // the clamp runs on every change
    QCOMPARE(box->text(), QString("100"));
    auto* size = child<QComboBox>("cmbImageSize");
    QCOMPARE(size->count(), 3);
    QCOMPARE(size->itemText(0), QString("Full 100%"));
    QCOMPARE(size->itemText(2), QString("Third 33%"));
}

}  // namespace brackmoor

QTEST_MAIN(brackmoor::FrmMediaTest)
#include "frm_media_test.moc"
