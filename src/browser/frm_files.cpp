#include "browser/frm_files.h"

#include <QAbstractListModel>
#include <QImage>
#include <QListView>
#include <QMouseEvent>
#include <QResizeEvent>
#include <algorithm>

#include "browser/folder_listing.h"
#include "launch/naming_rules.h"
#include "media/frm_media.h"
#include "platform/atomic_file.h"
#include "settings/launcher_settings.h"
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

void FrmFiles::attach(const LauncherSettings* settings, FrmMedia* media,
                      std::function<void()> launch, std::function<void()> launchMultiple) {
    settings_ = settings;
    media_ = media;
    launch_ = std::move(launch);
    launchMultiple_ = std::move(launchMultiple);
}

void FrmFiles::buildControls() {
    auto* client = new QWidget(this);
    flbFiles_ = new QListView(client);
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
    connect(flbFiles_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FrmFiles::onSelectionChanged);
    connect(flbFiles_, &QListView::doubleClicked, this, [this] {
        if (launch_) {
            launch_();
        }
    });
    // A right click must not change the selection: it is caught before the list sees it.
    flbFiles_->viewport()->installEventFilter(this);
}

bool FrmFiles::eventFilter(QObject* watched, QEvent* event) {
    if (watched == flbFiles_->viewport() &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease ||
         event->type() == QEvent::MouseButtonDblClick)) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            const int selected =
                static_cast<int>(flbFiles_->selectionModel()->selectedRows().size());
            if (event->type() == QEvent::MouseButtonPress && selected > 1 && launchMultiple_) {
                launchMultiple_();
            }
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
    return listed;
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

void FrmFiles::onSelectionChanged() {
    if (!programChange_) {
        runSelectionHandling();
    }
}

void FrmFiles::runSelectionHandling() {
    if (media_ == nullptr) {
        return;
    }
    const int focused = focusedIndex();
    const auto key = focused >= 0 ? GameKey(name(focused)) : std::nullopt;
    showScreenshot(key);
    media_->setImageName(key ? QString::fromStdString(*key + ".JPG") : QString());
    media_->loadGameSettings(key.value_or(std::string()));
    media_->setMultiSelectMode(capSelection() > 1);
}

void FrmFiles::showScreenshot(const std::optional<std::string>& gameKey) {
    media_->showPlaceholder();
    if (!gameKey || settings_ == nullptr) {
        return;
    }
    if (const auto file = FindScreenshot(settings_->AppPath, *gameKey)) {
        // Read as bytes: the name may not be valid text. A damaged file or one that is no
        // picture gives a null image, and the placeholder stays.
        const auto bytes = ReadWholeFile(*file, nullptr);
        if (bytes) {
            const QImage picture = QImage::fromData(reinterpret_cast<const uchar*>(bytes->data()),
                                                    static_cast<int>(bytes->size()));
            if (!picture.isNull()) {
                media_->showScreenshot(picture);
            }
        }
    }
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
