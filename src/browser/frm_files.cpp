#include "browser/frm_files.h"

#include <QAbstractListModel>
#include <QKeyEvent>
#include <QListView>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QTimer>
#include <algorithm>
#include <functional>

#include "browser/folder_listing.h"
#include "launch/naming_rules.h"
#include "settings/window_placement.h"

namespace brackmoor {

// The names of the listed files, as bytes; shown as text in the local encoding.
class FileListModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void setNames(std::vector<std::string> names) {
        beginResetModel();
        names_ = std::move(names);
        endResetModel();
    }
    const std::string& name(int row) const { return names_[static_cast<std::size_t>(row)]; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : static_cast<int>(names_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid()) {
            return {};
        }
        return QString::fromLocal8Bit(name(index.row()));
    }

private:
    std::vector<std::string> names_;
};

// The list control. A press, a drag step or a key can move the focus and change the selection
// in several steps and in either order; `settle` runs once the view has handled the event, so
// the selection handling sees the end state, once.
class FilesView : public QListView {
public:
    using QListView::QListView;
    std::function<void()> settle;
    std::function<void()> enterPressed;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
            (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            enterPressed();
            return;
        }
        QListView::keyPressEvent(event);
    }
    bool event(QEvent* event) override {
        const bool handled = QListView::event(event);
        if (settle) {
            settle();
        }
        return handled;
    }
    bool viewportEvent(QEvent* event) override {
        const bool handled = QListView::viewportEvent(event);
        if (settle) {
            settle();
        }
        return handled;
    }
};

namespace {

// At most this many files stay selected: the emulator has four drives.
constexpr int kMostSelected = 4;

// Margins of the list inside the window's outer frame, in twips.
constexpr int kListWidthMargin = 100;
constexpr int kListHeightMargin = 300;

}  // namespace

FrmFiles::FrmFiles(QWidget* parent) : ChildWindow("frmFiles", "Files", parent) {
    buildControls();
    connectControls();
}

FrmFiles::~FrmFiles() {
    // The list's last events and signals come while this window is half gone.
    flbFiles_->settle = nullptr;
    flbFiles_->selectionModel()->disconnect(this);
}

QListView* FrmFiles::flbFiles() const {
    return flbFiles_;
}

void FrmFiles::buildControls() {
    auto* client = new QWidget(this);
    flbFiles_ = new FilesView(client);
    flbFiles_->setObjectName("flbFiles");
    flbFiles_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    flbFiles_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Folders of tens of thousands of files lay out in no time when every row is alike.
    flbFiles_->setUniformItemSizes(true);
    model_ = new FileListModel(flbFiles_);
    flbFiles_->setModel(model_);
    setWidget(client);
}

void FrmFiles::connectControls() {
    flbFiles_->settle = [this] { settle(); };
    connect(flbFiles_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FrmFiles::noteChange);
    connect(flbFiles_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &FrmFiles::noteChange);
    connect(flbFiles_, &QListView::doubleClicked, this, [this] {
        settle();
        Q_EMIT launchRequested();
    });
    // Enter on the list starts the focused game, as a double click does.
    flbFiles_->enterPressed = [this] {
        settle();
        Q_EMIT launchRequested();
    };
    // A right click must not change the selection, nor may any other button but the left: they
    // are caught before the list sees them.
    flbFiles_->viewport()->installEventFilter(this);
}

bool FrmFiles::eventFilter(QObject* watched, QEvent* event) {
    if (watched == flbFiles_->viewport() &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease ||
         event->type() == QEvent::MouseButtonDblClick)) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            settle();
            const auto selected = flbFiles_->selectionModel()->selectedRows().size();
            if (event->type() == QEvent::MouseButtonPress && selected > 1) {
                Q_EMIT launchMultipleRequested();
            }
            return true;
        }
        // Only the left button selects and launches; the middle and extra buttons do nothing.
        if (mouse->button() != Qt::LeftButton) {
            return true;
        }
    }
    return ChildWindow::eventFilter(watched, event);
}

void FrmFiles::resizeEvent(QResizeEvent* event) {
    ChildWindow::resizeEvent(event);
    const double dpi = logicalDpiX();
    const int width = std::max(0, event->size().width() - TwipsToPixels(kListWidthMargin, dpi));
    const int height = std::max(0, event->size().height() - TwipsToPixels(kListHeightMargin, dpi));
    flbFiles_->setGeometry(0, 0, width, height);
}

Result FrmFiles::setPath(const std::string& folder) {
    FolderContents contents;
    Result listed = ListFolder(folder, &contents);
    if (!listed) {
        return listed;  // the list keeps the folder it showed
    }
    path_ = folder;
    const QSignalBlocker quiet(flbFiles_->selectionModel());
    model_->setNames(std::move(contents.files));
    changePending_ = false;
    return listed;
}

Result FrmFiles::showFolder(const std::optional<std::string>& folder) {
    if (folder) {
        if (Result listed = setPath(*folder); !listed) {
            return listed;
        }
    }
    const bool any = count() > 0;
    if (any) {
        setSelected(0, true);
    }
    Q_EMIT filesShown(any);
    return Result::Ok();
}

void FrmFiles::keepFirstSelected() {
    if (count() == 0) {
        return;
    }
    const int first = FirstSelectedIndex(*this);
    DeselectAllFiles(*this);
    setSelected(first, true);
}

bool FrmFiles::selectByName(const std::string& name) {
    for (int i = 0; i < count(); ++i) {
        if (model_->name(i) == name) {
            DeselectAllFiles(*this);
            setSelected(i, true);
            return true;
        }
    }
    return false;
}

int FrmFiles::count() const {
    return model_->rowCount();
}

bool FrmFiles::isSelected(int index) const {
    return flbFiles_->selectionModel()->isSelected(model_->index(index));
}

std::string FrmFiles::name(int index) const {
    return index >= 0 && index < count() ? model_->name(index) : std::string();
}

int FrmFiles::nextSelected(int from) const {
    int next = -1;
    for (const QItemSelectionRange& range : flbFiles_->selectionModel()->selection()) {
        if (range.bottom() >= from) {
            const int candidate = std::max(from, range.top());
            next = next < 0 ? candidate : std::min(next, candidate);
        }
    }
    return next;
}

int FrmFiles::focusedIndex() const {
    const QModelIndex current = flbFiles_->selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void FrmFiles::setSelected(int index, bool selected) {
    if (index < 0 || index >= count()) {
        return;
    }
    const QModelIndex item = model_->index(index);
    QItemSelectionModel* selection = flbFiles_->selectionModel();
    const bool focusMoves = selected && selection->currentIndex() != item;
    if (isSelected(index) == selected && !focusMoves) {
        return;
    }
    programChange_ = true;
    selection->select(item, selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
    if (selected) {
        selection->setCurrentIndex(item, QItemSelectionModel::NoUpdate);
        flbFiles_->scrollTo(item);
    }
    programChange_ = false;
    runSelectionHandling();
}

void FrmFiles::noteChange() {
    if (programChange_) {
        return;
    }
    changePending_ = true;
    // Changes made outside the view's own event handling (rare) are settled once the event
    // loop comes back.
    if (!settleQueued_) {
        settleQueued_ = true;
        QTimer::singleShot(0, this, [this] {
            settleQueued_ = false;
            settle();
        });
    }
}

void FrmFiles::settle() {
    if (changePending_ && !programChange_) {
        runSelectionHandling();
    }
}

void FrmFiles::runSelectionHandling() {
    changePending_ = false;
    const int focused = focusedIndex();
    FileListState state;
    state.gameKey = focused >= 0 ? GameKey(name(focused)) : std::nullopt;
    state.selectedCount = capSelection();
    Q_EMIT selectionHandled(state);
}

// Keeps the first four selected items in list order, whichever was clicked last; returns how
// many were selected before.
int FrmFiles::capSelection() {
    QModelIndexList rows = flbFiles_->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    programChange_ = true;
    for (int i = kMostSelected; i < rows.size(); ++i) {
        flbFiles_->selectionModel()->select(rows[i], QItemSelectionModel::Deselect);
    }
    programChange_ = false;
    return static_cast<int>(rows.size());
}

}  // namespace brackmoor
