#pragma once

#include <QDialog>
#include <cstdint>

class QFrame;
class QLabel;
class QTextBrowser;
class QTimer;

namespace brackmoor {

// The modal help and about window. In help mode ("Help") it shows the help document; in about
// mode ("About Brackmoor") the about picture with a blinking frame over the program's name, and
// after five seconds a banner and the author line.
//
// The frame blinks on a counter that belongs to the whole program, not to one opening: a later
// opening carries on in whatever phase the last one left it.
class FrmHelpAbout : public QDialog {
    Q_OBJECT
public:
    // `helpMode` is the HelpMode flag the Help menu sets before opening the window.
    explicit FrmHelpAbout(bool helpMode, QWidget* parent = nullptr);

    // What the two timers do when they fire; public so that a test can step the clock.
    void Timer1Tick();
    void Timer2Tick();
    QTimer* timer1() const { return Timer1; }
    QTimer* timer2() const { return Timer2; }
    // The blink counter, 0 or 1: 1 shows the frame.
    static std::uint16_t blinkCounter();

public Q_SLOTS:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void connectControls();
    void loadEvent();

    bool helpMode_;
    bool centred_ = false;

    QTextBrowser* text1 = nullptr;
    QLabel* Image1 = nullptr;
    QFrame* Shape1 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* Label2 = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
};

}  // namespace brackmoor
