#pragma once

#include <QMdiSubWindow>
#include <QString>

namespace brackmoor {

// The "Folders" child window: drives and folders of the collection.
class FrmFolderBar : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit FrmFolderBar(QWidget* parent = nullptr);

    // The folder the hidden folder enumerator (dlbFolders) stands in.
    const QString& dlbFoldersPath() const { return dlbFoldersPath_; }
    void setDlbFoldersPath(const QString& path) { dlbFoldersPath_ = path; }

private:
    QString dlbFoldersPath_;
};

}  // namespace brackmoor
