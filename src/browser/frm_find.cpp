#include "browser/frm_find.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>
#include <QTreeWidget>

#include "browser/folder_bar_rules.h"
#include "browser/folder_listing.h"
#include "platform/messages.h"
#include "platform/qt_item_views.h"
#include "platform/qt_twips.h"
#include "settings/window_placement.h"

namespace brackmoor {

namespace {

// The client area in twips.
constexpr int kClientWidth = 7200;
constexpr int kClientHeight = 7380;
// How often the count of folders searched is brought up to date while a search runs.
constexpr int kProgressMilliseconds = 100;

const char* const kPatternToolTip =
    "*fire*.* will find all games with the word 'fire' in it. A???.* find all 5 letter files "
    "begining with 'A'";

Message MissingMediaBusyMessage() {
    return {"Missing Media! CD might be busy......", "Brackmoor", MessageIcon::Information};
}

bool IsEnterKey(QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const int key = static_cast<QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

QString Shown(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

// A folder path as dirfind keeps it: no separator at its end, except for the root itself.
std::string WithoutTrailingSeparator(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

}  // namespace

FrmFind::FrmFind(const std::string& currentGameDir, MessageSink& messages, QWidget* parent)
    : QDialog(parent), messages_(messages) {
    setObjectName("frmFind");
    setWindowTitle("Find A Game");
    setModal(true);
    buildControls();
    connectControls();
    loadEvent(currentGameDir);
}

FrmFind::~FrmFind() {
    // The search thread ends before the dialog it reports to goes.
    search_.reset();
    if (busyPointer_) {
        QApplication::restoreOverrideCursor();
    }
}

void FrmFind::buildControls() {
    const double dpi = logicalDpiX();
    setFixedSize(TwipsToPixels(kClientWidth, dpi), TwipsToPixels(kClientHeight, dpi));

    Frame1 = new QFrame(this);
    Frame1->setFrameShape(QFrame::StyledPanel);
    PlaceInTwips(Frame1, "Frame1", {75, 0, 7065, 2115});
    // The frame's controls are placed within it.
    drvfind = new QComboBox(Frame1);
    PlaceInTwips(drvfind, "drvfind", {75, 150, 2790, 315});
    dirfind = new QTreeWidget(Frame1);
    PlaceInTwips(dirfind, "dirfind", {75, 525, 2790, 1440});
    dirfind->setHeaderHidden(true);
    dirfind->setRootIsDecorated(false);
    dirfind->setItemsExpandable(false);
    dirfind->setExpandsOnDoubleClick(false);
    dirfind->setIndentation(TwipsToPixels(150, dpi));
    // A list of folders, not a tree one can fold: no branch arrows.
    dirfind->setStyleSheet("QTreeView::branch { image: none; border-image: none; }");
    Label1 = new QLabel("Find game (including wildcards)", Frame1);
    PlaceInTwips(Label1, "Label1", {3000, 300, 3915, 240});
    txtfindwild = new QLineEdit(Frame1);
    PlaceInTwips(txtfindwild, "txtfindwild", {3000, 525, 3915, 315});
    txtfindwild->setToolTip(kPatternToolTip);
    txtfindwild->setText("*.*");
    chkfindsub = new QCheckBox("Search Sub Directorys", Frame1);
    // Wider than its first design (2190): the caption needs more room in today's fonts.
    PlaceInTwips(chkfindsub, "chkfindsub", {3000, 1125, 3915, 240});
    chkfindsub->setChecked(true);
    lblSearched = new QLabel(Frame1);
    PlaceInTwips(lblSearched, "lblSearched", {3000, 1395, 3915, 240});
    cmdStop = new QPushButton("Stop", Frame1);
    PlaceInTwips(cmdStop, "cmdStop", {3645, 1650, 1590, 315});
    cmdStop->setEnabled(false);
    cmdfindnow = new QPushButton("Find Now", Frame1);
    PlaceInTwips(cmdfindnow, "cmdfindnow", {5325, 1650, 1590, 315});

    lstfind = new QListWidget(this);
    PlaceInTwips(lstfind, "lstfind", {75, 2175, 7065, 5130});
    lstfind->setSelectionMode(QAbstractItemView::SingleSelection);
    lstfind->setUniformItemSizes(true);

    progressTimer_ = new QTimer(this);
    progressTimer_->setInterval(kProgressMilliseconds);

    setTabOrder(drvfind, dirfind);
    setTabOrder(dirfind, txtfindwild);
    setTabOrder(txtfindwild, chkfindsub);
    setTabOrder(chkfindsub, cmdfindnow);
    setTabOrder(cmdfindnow, cmdStop);
    setTabOrder(cmdStop, lstfind);
    txtfindwild->setFocus();
    txtfindwild->selectAll();
}

void FrmFind::connectControls() {
    connect(drvfind, &QComboBox::activated, this, &FrmFind::onDriveChanged);
    connect(dirfind, &QTreeWidget::itemDoubleClicked, this, &FrmFind::enterFolder);
    connect(cmdfindnow, &QPushButton::clicked, this, &FrmFind::findNow);
    connect(cmdStop, &QPushButton::clicked, this, &FrmFind::stopSearch);
    connect(lstfind, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { chooseResult(lstfind->row(item)); });
    connect(progressTimer_, &QTimer::timeout, this, &FrmFind::takeResults);
    // Enter in the pattern box searches; in the folder list it enters the folder, in the
    // results it chooses the game. None of them falls through to a default button.
    txtfindwild->installEventFilter(this);
    dirfind->installEventFilter(this);
    lstfind->installEventFilter(this);
    KeepToLeftButton(dirfind);
    KeepToLeftButton(lstfind);
}

bool FrmFind::eventFilter(QObject* watched, QEvent* event) {
    if (IsEnterKey(event)) {
        if (watched == txtfindwild) {
            findNow();
            return true;
        }
        if (watched == dirfind) {
            enterFolder(dirfind->currentItem());
            return true;
        }
        if (watched == lstfind) {
            chooseResult(lstfind->currentRow());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FrmFind::keyPressEvent(QKeyEvent* event) {
    // Esc ends a running search; only when none runs does it close the dialog.
    if (event->key() == Qt::Key_Escape && searching()) {
        stopSearch();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FrmFind::done(int result) {
    search_.reset();
    endSearch();
    QDialog::done(result);
}

// Opening: the drive of CurrentGameDir is chosen, which shows its root (the drive change),
// then the folder itself. Either step that cannot read its folder says so and ends here.
void FrmFind::loadEvent(const std::string& currentGameDir) {
    volumes_ = ListVolumes();
    {
        const QSignalBlocker quiet(drvfind);
        for (const Volume& volume : volumes_) {
            const std::string text =
                volume.label == volume.root ? volume.root : volume.root + " [" + volume.label + "]";
            drvfind->addItem(Shown(text), QByteArray::fromStdString(volume.root));
        }
    }
    const std::string folder = WithoutTrailingSeparator(currentGameDir);
    selectDriveOf(folder);
    if (Result root = setDirfindPath(VolumeOf(folder, volumes_)); !root) {
        messages_.show(MissingMediaBusyMessage());
        return;
    }
    if (Result shown = setDirfindPath(folder); !shown) {
        messages_.show(MissingMediaBusyMessage());
    }
}

void FrmFind::selectDriveOf(const std::string& folder) {
    const QSignalBlocker quiet(drvfind);
    drvfind->setCurrentIndex(
        drvfind->findData(QByteArray::fromStdString(VolumeOf(folder, volumes_))));
}

Result FrmFind::setDirfindPath(const std::string& path) {
    const std::string folder = WithoutTrailingSeparator(path);
    FolderContents contents;
    Result listed = ListFolder(folder, &contents);
    if (listed) {
        dirfindPath_ = folder;
        fillDirfind(contents.folders);
    }
    return listed;
}

// The chain from the volume's root down to the current folder, each folder one step further
// in, then the current folder's subfolders below it.
void FrmFind::fillDirfind(const std::vector<std::string>& subfolders) {
    const QSignalBlocker quiet(dirfind);
    dirfind->clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirIcon);
    auto add = [&](QTreeWidgetItem* parent, const std::string& text, const std::string& path,
                   const QIcon& icon) {
        auto* item = parent != nullptr ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(dirfind);
        item->setText(0, Shown(text));
        item->setIcon(0, icon);
        item->setData(0, Qt::UserRole, QByteArray::fromStdString(path));
        return item;
    };
    const std::string root = VolumeOf(dirfindPath_, volumes_);
    QTreeWidgetItem* current = add(nullptr, root, root, open);
    std::string path = root;
    std::size_t begin = root.size();
    while (begin < dirfindPath_.size()) {
        if (dirfindPath_[begin] == '/') {
            ++begin;
            continue;
        }
        std::size_t end = dirfindPath_.find('/', begin);
        if (end == std::string::npos) {
            end = dirfindPath_.size();
        }
        const std::string name = dirfindPath_.substr(begin, end - begin);
        path = JoinPath(path, name, PathStyle::Posix);
        current = add(current, name, path, open);
        begin = end;
    }
    for (const std::string& name : subfolders) {
        add(current, name, JoinPath(dirfindPath_, name, PathStyle::Posix), closed);
    }
    dirfind->expandAll();
    dirfind->setCurrentItem(current);
    dirfind->scrollToItem(current);
}

void FrmFind::onDriveChanged() {
    const std::string root = drvfind->currentData().toByteArray().toStdString();
    if (Result moved = setDirfindPath(root); !moved) {
        messages_.show(MissingMediaBusyMessage());
        selectDriveOf(dirfindPath_);
    }
}

void FrmFind::enterFolder(QTreeWidgetItem* item) {
    if (item == nullptr) {
        return;
    }
    const std::string path = item->data(0, Qt::UserRole).toByteArray().toStdString();
    if (Result entered = setDirfindPath(path); !entered) {
        messages_.show(MissingMediaBusyMessage());
    }
}

void FrmFind::findNow() {
    // A search still running is replaced: it ends, and its results go with the list.
    search_.reset();
    std::vector<std::string> last;
    last.swap(results_);
    // The busy pointer keeps its arrow: the dialog still answers Stop and Esc while it searches.
    if (!busyPointer_) {
        QApplication::setOverrideCursor(Qt::BusyCursor);
        busyPointer_ = true;
    }
    showFoldersSearched(0);
    cmdStop->setEnabled(true);
    const QByteArray pattern = txtfindwild->text().toLocal8Bit();
    search_ = std::make_unique<BackgroundSearch>(
        searchFunction_, dirfindPath_, chkfindsub->isChecked(), pattern.toStdString(),
        [this] { QMetaObject::invokeMethod(this, &FrmFind::takeResults, Qt::QueuedConnection); });
    progressTimer_->start();
    // The last results go while the new search already runs: deleting tens of thousands of
    // rows takes milliseconds. The new results are taken from the event loop, after this.
    lstfind->clear();
}

void FrmFind::stopSearch() {
    if (search_ != nullptr) {
        search_->stop();
        cmdStop->setEnabled(false);
    }
}

void FrmFind::takeResults() {
    if (search_ == nullptr) {
        return;
    }
    BackgroundSearch::Progress progress = search_->take();
    if (!progress.found.empty()) {
        QStringList rows;
        rows.reserve(static_cast<qsizetype>(progress.found.size()));
        for (const std::string& path : progress.found) {
            rows.append(Shown(path));
        }
        lstfind->addItems(rows);
        results_.insert(results_.end(), std::make_move_iterator(progress.found.begin()),
                        std::make_move_iterator(progress.found.end()));
    }
    showFoldersSearched(progress.foldersSearched);
    if (progress.finished) {
        search_.reset();
        endSearch();
    }
}

void FrmFind::endSearch() {
    progressTimer_->stop();
    cmdStop->setEnabled(false);
    if (busyPointer_) {
        QApplication::restoreOverrideCursor();
        busyPointer_ = false;
        Q_EMIT searchFinished();
    }
}

void FrmFind::showFoldersSearched(std::size_t folders) {
    lblSearched->setText(QString("Folders searched: %1").arg(folders));
}

void FrmFind::chooseResult(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= results_.size()) {
        return;
    }
    search_.reset();
    endSearch();
    foundGamePath_ = results_[static_cast<std::size_t>(row)];
    Q_EMIT gameChosen(foundGamePath_);
    accept();
}

}  // namespace brackmoor
