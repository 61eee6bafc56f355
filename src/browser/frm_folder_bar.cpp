#include "browser/frm_folder_bar.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <algorithm>

#include "browser/folder_bar_rules.h"
#include "browser/folder_listing.h"
#include "launch/naming_rules.h"
#include "platform/messages.h"
#include "platform/qt_twips.h"
#include "platform/twips.h"
#include "settings/launcher_settings.h"
#include "settings/startup.h"

namespace brackmoor {

namespace {

// Sizes in twips of the window's outer frame.
constexpr int kMinimumWidth = 1170;
constexpr int kMinimumHeight = 1710;

Message MissingMediaBusyMessage() {
    return {"Missing Media! CD might be busy......", "Brackmoor", MessageIcon::Information};
}

}  // namespace

FrmFolderBar::FrmFolderBar(QWidget* parent) : ChildWindow("frmFolderBar", "Folders", parent) {
    buildControls();
    connectControls();
}

void FrmFolderBar::attach(LauncherSettings* settings, MessageSink* messages,
                          FolderShower showFolder) {
    settings_ = settings;
    messages_ = messages;
    showFolder_ = std::move(showFolder);
}

void FrmFolderBar::buildControls() {
    auto* client = new QWidget(this);
    cmdback_ = new QPushButton("<-", client);
    PlaceInTwips(cmdback_, "cmdback", {0, 75, 540, 315});
    Drive1_ = new QComboBox(client);
    PlaceInTwips(Drive1_, "Drive1", {525, 75, 2415, 315});
    lstFolders_ = new QListWidget(client);
    PlaceInTwips(lstFolders_, "lstFolders", {0, 450, 2940, 2010});
    lstFolders_->setSelectionMode(QAbstractItemView::SingleSelection);
    dlbFolders_ = new QLabel(client);
    PlaceInTwips(dlbFolders_, "dlbFolders", {2025, 3525, 1215, 765});
    dlbFolders_->hide();
    setWidget(client);
    // Tab moves from the drive list to the folders, then to the back button.
    setTabOrder(Drive1_, lstFolders_);
    setTabOrder(lstFolders_, cmdback_);
    const double dpi = logicalDpiX();
    setMinimumSize(TwipsToPixelsAtLeast(kMinimumWidth, dpi),
                   TwipsToPixelsAtLeast(kMinimumHeight, dpi));
}

void FrmFolderBar::connectControls() {
    connect(lstFolders_, &QListWidget::currentRowChanged, this, &FrmFolderBar::ChangeDir);
    connect(lstFolders_, &QListWidget::itemDoubleClicked, this, &FrmFolderBar::onDoubleClick);
    connect(cmdback_, &QPushButton::clicked, this, &FrmFolderBar::onBack);
    connect(Drive1_, &QComboBox::activated, this, &FrmFolderBar::onDriveChanged);
    lstFolders_->viewport()->installEventFilter(this);
}

bool FrmFolderBar::eventFilter(QObject* watched, QEvent* event) {
    // A right-button press reads the folder again; no button but the left selects or enters a
    // folder.
    if (watched == lstFolders_->viewport() &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease ||
         event->type() == QEvent::MouseButtonDblClick)) {
        const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
        if (button == Qt::RightButton && event->type() == QEvent::MouseButtonPress) {
            onRefresh();
        }
        if (button != Qt::LeftButton) {
            return true;
        }
    }
    return ChildWindow::eventFilter(watched, event);
}

void FrmFolderBar::resizeEvent(QResizeEvent* event) {
    ChildWindow::resizeEvent(event);
    const double dpi = logicalDpiX();
    const int width = PixelsToTwips(event->size().width(), dpi);
    const int height = PixelsToTwips(event->size().height(), dpi);
    lstFolders_->resize(std::max(0, TwipsToPixels(width - 100, dpi)),
                        std::max(0, TwipsToPixels(height - 800, dpi)));
    Drive1_->resize(std::max(0, TwipsToPixels(width - 630, dpi)), Drive1_->height());
}

void FrmFolderBar::setVolumes(const std::vector<Volume>& volumes, const std::string& current) {
    volumes_ = volumes;
    const QSignalBlocker quiet(Drive1_);
    Drive1_->clear();
    for (const Volume& volume : volumes) {
        const std::string text =
            volume.label == volume.root ? volume.root : volume.root + " [" + volume.label + "]";
        Drive1_->addItem(QString::fromLocal8Bit(text), QByteArray::fromStdString(volume.root));
    }
    Drive1_->setCurrentIndex(Drive1_->findData(QByteArray::fromStdString(current)));
}

std::string FrmFolderBar::driveRoot() const {
    const QVariant root = Drive1_->currentData();
    return root.isValid() ? root.toByteArray().toStdString() : SystemRoot(kNativePathStyle);
}

std::string FrmFolderBar::selectedEntry() const {
    const int row = lstFolders_->currentRow();
    return row >= 0 ? lstFolders_->item(row)->data(Qt::UserRole).toByteArray().toStdString()
                    : std::string();
}

Result FrmFolderBar::setDlbFoldersPath(const std::string& path) {
    FolderContents contents;
    Result listed = ListFolder(path, &contents);
    if (listed) {
        dlbFoldersPath_ = path;
        dlbFolders_->setText(QString::fromLocal8Bit(path));
        dlbSubfolders_ = std::move(contents.folders);
    }
    return listed;
}

void FrmFolderBar::fillEntries(const std::string& selected) {
    const QSignalBlocker quiet(lstFolders_);
    lstFolders_->clear();
    const bool atRoot = IsVolumeRoot(settings_->CurrentGameDir, volumes_, kNativePathStyle);
    int row = 0;
    for (const std::string& entry : FolderBarEntries(atRoot, dlbSubfolders_)) {
        if (entry == selected) {
            row = lstFolders_->count();
        }
        auto* item = new QListWidgetItem(QString::fromLocal8Bit(entry), lstFolders_);
        item->setData(Qt::UserRole, QByteArray::fromStdString(entry));
    }
    if (lstFolders_->count() > 0) {
        lstFolders_->setCurrentRow(row);
    }
}

void FrmFolderBar::FillDirList() {
    if (settings_ == nullptr) {
        return;
    }
    fillEntries();
    // Selecting the first entry is a click on it: its files are shown, once.
    ChangeDir();
}

void FrmFolderBar::ChangeDir() {
    if (settings_ != nullptr && showFolder_) {
        reportFailure(changeDirSteps());
    }
}

void FrmFolderBar::goToFolder(const std::string& folder) {
    if (settings_ == nullptr) {
        return;
    }
    const std::string volume = VolumeOf(folder, volumes_);
    if (const int drive = Drive1_->findData(QByteArray::fromStdString(volume)); drive >= 0) {
        const QSignalBlocker quiet(Drive1_);
        Drive1_->setCurrentIndex(drive);
    }
    const bool atRoot = IsVolumeRoot(folder, volumes_, kNativePathStyle);
    const std::string current = atRoot ? folder : ParentPath(folder, kNativePathStyle);
    if (Result listed = setDlbFoldersPath(current); !listed) {
        return reportFailure(listed);
    }
    settings_->PreviousGameDir = settings_->CurrentGameDir;
    settings_->CurrentGameDir = current;
    const auto name =
        LastComponent(StripTrailingSeparator(folder, kNativePathStyle), kNativePathStyle);
    fillEntries(atRoot ? std::string(kRootEntry) : name.value_or(std::string()));
    ChangeDir();
}

Result FrmFolderBar::changeDirSteps() {
    const std::string target =
        FolderTarget(selectedEntry(), driveRoot(), settings_->CurrentGameDir, kNativePathStyle);
    switch (ProbeFolder(target)) {
        case FolderState::Missing:
            if (messages_ != nullptr) {
                ShowPathsWrong(*messages_);
            }
            return showFolder_(std::nullopt);  // the files shown stay
        case FolderState::Unreadable:
            return Result::Fail(target + " cannot be read");
        case FolderState::Present:
            break;
    }
    return showFolder_(target);
}

void FrmFolderBar::onDoubleClick() {
    const std::string entry = selectedEntry();
    if (settings_ == nullptr || entry == kRootEntry) {
        return;
    }
    LauncherSettings& s = *settings_;
    const std::string target = FolderTarget(entry, driveRoot(), s.CurrentGameDir, kNativePathStyle);
    // The current folder moves only once the folder could be read: a folder that vanished
    // (an ejected CD) must not leave the bar pointing at it.
    if (Result entered = setDlbFoldersPath(target); !entered) {
        return reportFailure(entered);
    }
    s.PreviousGameDir = s.CurrentGameDir;
    s.CurrentGameDir = target;
    FillDirList();
    if (lstFolders_->count() == 0) {
        // A folder without subfolders cannot be entered: back to where the user was.
        s.CurrentGameDir = StripTrailingSeparator(s.PreviousGameDir, kNativePathStyle) +
                           PathSeparator(kNativePathStyle);
        if (Result back = setDlbFoldersPath(s.CurrentGameDir); !back) {
            return reportFailure(back);
        }
        FillDirList();
        s.PreviousGameDir.clear();
    }
}

void FrmFolderBar::onBack() {
    if (settings_ == nullptr) {
        return;
    }
    const bool atRoot = IsVolumeRoot(settings_->CurrentGameDir, volumes_, kNativePathStyle);
    const auto parent = BackTarget(settings_->CurrentGameDir, atRoot, kNativePathStyle);
    if (!parent) {
        return;
    }
    settings_->CurrentGameDir = *parent;
    if (Result up = setDlbFoldersPath(*parent); !up) {
        return reportFailure(up);
    }
    FillDirList();
}

void FrmFolderBar::onDriveChanged() {
    if (settings_ == nullptr) {
        return;
    }
    if (Result moved = setDlbFoldersPath(driveRoot()); !moved) {
        return reportFailure(moved);
    }
    settings_->CurrentGameDir = dlbFoldersPath_;
    FillDirList();
}

void FrmFolderBar::onRefresh() {
    if (Result reread = setDlbFoldersPath(dlbFoldersPath_); !reread) {
        return reportFailure(reread);
    }
    FillDirList();
}

void FrmFolderBar::reportFailure(const Result& result) {
    if (!result && messages_ != nullptr) {
        messages_->show(MissingMediaBusyMessage());
    }
}

}  // namespace brackmoor
