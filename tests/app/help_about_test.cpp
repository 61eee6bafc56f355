// The help and about window offscreen, its clock stepped by the test: the blinking frame, the
// late banner and author line, help mode, and the blink phase carried from one opening to the
// next. The captions are checked with the menu that opens the window.

#include <QTextBrowser>
#include <QTimer>

#include "app/frm_help_about.h"
#include "qt_test_support.h"

using namespace brackmoor;

class HelpAboutTest : public QObject {
    Q_OBJECT

    static bool shown(FrmHelpAbout& window, const char* name) {
        return test::Child(&window, name)->isVisible();
    }

private Q_SLOTS:
    // Runs first: the program's first About starts with the counter at 0.
    void aboutBlinksTheFrameRevealsTheBannerLateAndKeepsThePhase() {
        QCOMPARE(FrmHelpAbout::blinkCounter(), std::uint16_t(0));
        FrmHelpAbout window(false);
        test::Show(&window);
        // The test steps the clock itself.
        QVERIFY(window.timer1()->isActive() && window.timer2()->isActive());
        window.timer1()->stop();
        window.timer2()->stop();
        QVERIFY(shown(window, "Image1") && !shown(window, "text1"));
        QVERIFY(!shown(window, "Image2") && !shown(window, "Label2"));
        // Frame on at opening; ticks: on, off, on.
        QList<bool> frame{shown(window, "Shape1")};
        for (int tick = 0; tick < 3; ++tick) {
            window.Timer1Tick();
            frame << shown(window, "Shape1");
        }
        QCOMPARE(frame, (QList<bool>{true, true, false, true}));
        for (int tick = 0; tick < 2; ++tick) {  // later ticks change nothing
            window.Timer2Tick();
            QVERIFY(shown(window, "Image2") && shown(window, "Label2"));
        }
        window.close();
        QVERIFY(!window.timer1()->isActive());
        // The counter was left at 1: the next opening's first tick hides the frame.
        FrmHelpAbout next(false);
        test::Show(&next);
        QVERIFY(shown(next, "Shape1"));
        next.Timer1Tick();
        QVERIFY(!shown(next, "Shape1"));
    }

    void helpShowsOnlyTheDocument() {
        FrmHelpAbout window(true);
        test::Show(&window);
        QVERIFY(shown(window, "text1"));
        for (const char* name : {"Image1", "Shape1", "Image2", "Label2"})
            QVERIFY2(!shown(window, name), name);
        QVERIFY(!window.timer1()->isActive() && !window.timer2()->isActive());
        auto* text = window.findChild<QTextBrowser*>("text1");
        QVERIFY(text->isReadOnly() && text->toPlainText().contains("Using Brackmoor"));
    }
};

QTEST_MAIN(HelpAboutTest)
#include "help_about_test.moc"
