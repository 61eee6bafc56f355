#include "media/frm_media.h"

#include <QComboBox>
#include <QVBoxLayout>

namespace brackmoor {

FrmMedia::FrmMedia(QWidget* parent) : QMdiSubWindow(parent) {
    setObjectName("frmMedia");
    setWindowTitle("Media");
    setWindowFlags(windowFlags() & ~Qt::WindowMaximizeButtonHint);
    buildControls();
}

void FrmMedia::buildControls() {
    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);
    cmbConfigToUse_ = new QComboBox(content);
    cmbConfigToUse_->setObjectName("cmbConfigToUse");
    cmbWBUse_ = new QComboBox(content);
    cmbWBUse_->setObjectName("cmbWBUse");
    layout->addWidget(cmbConfigToUse_);
    layout->addWidget(cmbWBUse_);
    layout->addStretch();
    setWidget(content);
}

}  // namespace brackmoor
