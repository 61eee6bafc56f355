#pragma once

#include <QMdiSubWindow>
#include <QString>

class QListWidget;

namespace brackmoor {

// The "Files" child window: the disk images of the current folder.
class FrmFiles : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit FrmFiles(QWidget* parent = nullptr);

    QListWidget* flbFiles() const { return flbFiles_; }
    // The folder the file list shows.
    const QString& path() const { return path_; }
    void setPath(const QString& path) { path_ = path; }

private:
    QListWidget* flbFiles_ = nullptr;
    QString path_;
};

}  // namespace brackmoor
