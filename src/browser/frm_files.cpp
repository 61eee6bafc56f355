#include "browser/frm_files.h"

#include <QListWidget>

namespace brackmoor {

FrmFiles::FrmFiles(QWidget* parent) : QMdiSubWindow(parent) {
    setObjectName("frmFiles");
    setWindowTitle("Files");
    setWindowFlags(windowFlags() & ~Qt::WindowMaximizeButtonHint);
    flbFiles_ = new QListWidget(this);
    flbFiles_->setObjectName("flbFiles");
    flbFiles_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    setWidget(flbFiles_);
}

}  // namespace brackmoor
