#include "file_list_box.h"

#include "driver_files.h"
#include "native_names.h"

#include <filesystem>
#include <system_error>

namespace {

// Role of each entry's name as the file system holds it.
constexpr int kFileNameRole = Qt::UserRole + 1;

std::filesystem::path nativePath(const QString& path) {
    return std::filesystem::path(tolvane::pathToNative(path).toStdString());
}

} // namespace

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            emit entrySelected(row);
    });
}

bool FileListBox::isSameDirectory(const QString& dir) const {
    if (dir == path_)
        return true;
    if (dir.isEmpty() || path_.isEmpty())
        return false;
    std::error_code aError;
    std::error_code bError;
    const std::filesystem::path a = std::filesystem::canonical(nativePath(dir), aError);
    const std::filesystem::path b = std::filesystem::canonical(nativePath(path_), bError);
    return !aError && !bError && a == b;
}

void FileListBox::setPath(const QString& dir) {
    if (isSameDirectory(dir))
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
    if (index < 0 || index >= count()) {
        setCurrentRow(-1);
        return;
    }
    setCurrentRow(index);
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
