#include "file_list_box.h"

#include "driver_files.h"
#include "native_names.h"
#include "posix_directory.h"

namespace {

// Role of each entry's name as the file system holds it.
constexpr int kFileNameRole = Qt::UserRole + 1;

} // namespace

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            emit entrySelected(row);
    });
    // The selected entry is the highlighted one. Whatever a key or click does to the
    // highlight (Ctrl+click and Ctrl+Space take it off the entry, Ctrl+arrows move the
    // current entry without it), it goes back to the current entry alone.
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FileListBox::keepHighlight);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            &FileListBox::keepHighlight);
}

void FileListBox::keepHighlight() {
    const QModelIndex current = currentIndex();
    const QModelIndexList highlighted = selectedIndexes();
    if (current.isValid() && (highlighted.size() != 1 || highlighted.first() != current))
        selectionModel()->select(current, QItemSelectionModel::ClearAndSelect);
}

void FileListBox::setPath(const QString& dir) {
    if (tolvane::isSameDirectory(tolvane::pathToNative(path_).constData(),
                                 tolvane::pathToNative(dir).constData(),
                                 tolvane::posixDirectoryIdentity()))
        return;
    path_ = dir;
    rebuild();
    emit pathChanged();
}

void FileListBox::setPattern(const QString& patterns) {
    pattern_ = patterns;
    rebuild();
    emit patternChanged();
}

int FileListBox::selectedIndex() const {
    return currentRow();
}

void FileListBox::setSelectedIndex(int index) {
    setCurrentRow(index >= 0 && index < count() ? index : -1);
}

QString FileListBox::entry(int index) const {
    const QListWidgetItem* it = item(index);
    return it ? it->text() : QString();
}

QByteArray FileListBox::entryFileName(int index) const {
    const QListWidgetItem* it = item(index);
    return it ? it->data(kFileNameRole).toByteArray() : QByteArray();
}

void FileListBox::rebuild() {
    clear();
    if (path_.isEmpty())
        return;
    const std::vector<std::string> names = tolvane::listDriverFiles(
        tolvane::pathToNative(path_).toStdString(), pattern_.toLocal8Bit().toStdString());
    for (const std::string& name : names) {
        const QByteArray bytes = QByteArray::fromStdString(name);
        auto* entry = new QListWidgetItem(tolvane::shownName(bytes), this);
        entry->setData(kFileNameRole, bytes);
    }
    setCurrentRow(-1);
}
