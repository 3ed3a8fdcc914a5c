#include "file_list_box.h"

#include "core/driver_files.h"

#include <QFile>
#include <QFileInfo>

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
    const QString a = QFileInfo(dir).canonicalFilePath();
    const QString b = QFileInfo(path_).canonicalFilePath();
    return !a.isEmpty() && a == b;
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

void FileListBox::rebuild() {
    clear();
    if (path_.isEmpty())
        return;
    const std::vector<std::string> names = tolvane::listDriverFiles(
        QFile::encodeName(path_).toStdString(), QFile::encodeName(pattern_).toStdString());
    for (const std::string& name : names)
        addItem(QFile::decodeName(QByteArray::fromStdString(name)));
    setCurrentRow(-1);
}
