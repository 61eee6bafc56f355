#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace brackmoor {

// The "Capture" tab of the media window: the name the screenshot is saved under, the size and
// compression choices and "Save". The compression box takes only digits, "-", "." and
// Backspace and keeps its number between 0 and 100.
class CaptureTab : public QWidget {
    Q_OBJECT
public:
    // `origin`: where this page sits on the tab control, in twips; controls keep the tab
    // control's design coordinates.
    CaptureTab(QWidget* tabControl, const QPoint& origin);

    void setImageName(const QString& name);
    QString sizeText() const;
    QString compressionText() const;

Q_SIGNALS:
    void saveRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls(const QPoint& origin);
    void connectControls();
    void onCompressionChanged(const QString& text);

    QLabel* Label3_ = nullptr;
    QLineEdit* txtimgname_ = nullptr;
    QLineEdit* txtJPGcompession_ = nullptr;
    QComboBox* cmbImageSize_ = nullptr;
    QPushButton* cmdSave_ = nullptr;
};

}  // namespace brackmoor
