#include "browser/frm_folder_bar.h"

#include <QWidget>

namespace brackmoor {

FrmFolderBar::FrmFolderBar(QWidget* parent) : QMdiSubWindow(parent) {
    setObjectName("frmFolderBar");
    setWindowTitle("Folders");
    setWindowFlags(windowFlags() & ~Qt::WindowMaximizeButtonHint);
    setWidget(new QWidget(this));
}

}  // namespace brackmoor
