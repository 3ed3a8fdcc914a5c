#include "directory_list.h"

#include "native_names.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace tolvane {
namespace {

fs::path toFsPath(const QString& path) {
#ifdef Q_OS_WIN
    return fs::path(path.toStdWString());
#else
    return fs::path(pathToNative(path).toStdString());
#endif
}

QString fromFsPath(const fs::path& path) {
#ifdef Q_OS_WIN
    return QString::fromStdWString(path.native());
#else
    return pathFromNative(QByteArray::fromStdString(path.native()));
#endif
}

// A directory's name as the list shows it.
QString shownDirectoryName(const QString& name) {
#ifdef Q_OS_WIN
    return name;
#else
    return shownName(pathToNative(name));
#endif
}

bool isHidden(const fs::directory_entry& entry) {
#ifdef Q_OS_WIN
    return QFileInfo(fromFsPath(entry.path())).isHidden();
#else
    return entry.path().filename().native().rfind('.', 0) == 0;
#endif
}

QString cleanAbsolute(const QString& path) {
    return QDir::cleanPath(QDir(path).absolutePath());
}

} // namespace

QStringList directoryBranch(const QString& path) {
    QStringList branch;
    QString dir = cleanAbsolute(path);
    for (;;) {
        branch.prepend(QDir::toNativeSeparators(dir));
        if (QDir(dir).isRoot())
            break;
        const QString parent = QFileInfo(dir).path();
        if (parent == dir)
            break;
        dir = parent;
    }
    return branch;
}

bool readSubdirectories(const QString& dir, QStringList* names, QString* error) {
    std::error_code ec;
    fs::directory_iterator it(toFsPath(dir), ec);
    QStringList found;
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code typeError;
        if (it->is_directory(typeError) && !isHidden(*it))
            found.append(fromFsPath(it->path().filename()));
    }
    if (ec) {
        if (error)
            *error = QString::fromLocal8Bit(ec.message().c_str());
        return false;
    }
    found.sort(Qt::CaseInsensitive);
    *names = found;
    return true;
}

} // namespace tolvane

DirectoryList::DirectoryList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
}

bool DirectoryList::setPath(const QString& dir, QString* error) {
    QString reason;
    QStringList children;
    bool readable = false;
    if (dir.isEmpty())
        reason = tr("No directory was given.");
    else if (std::error_code ec; !fs::is_directory(tolvane::toFsPath(dir), ec))
        reason = tr("The directory does not exist.");
    else
        readable = tolvane::readSubdirectories(dir, &children, &reason);
    if (!readable) {
        if (error)
            *error = reason;
        return false;
    }

    const QStringList branch = tolvane::directoryBranch(dir);
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const QString indentUnit = QStringLiteral("  ");

    clear();
    for (int level = 0; level < branch.size(); ++level) {
        const QString& full = branch[level];
        const QString name =
            level == 0 ? full : tolvane::shownDirectoryName(QFileInfo(full).fileName());
        auto* item = new QListWidgetItem(openIcon, indentUnit.repeated(level) + name, this);
        item->setData(PathRole, full);
    }
    const QString current = branch.last();
    const QString separator =
        current.endsWith(QDir::separator()) ? QString() : QString(QDir::separator());
    for (const QString& child : children) {
        auto* item = new QListWidgetItem(
            closedIcon, indentUnit.repeated(branch.size()) + tolvane::shownDirectoryName(child),
            this);
        item->setData(PathRole, current + separator + child);
    }
    currentDirRow_ = static_cast<int>(branch.size()) - 1;
    setCurrentRow(currentDirRow_);

    const bool changed = current != path_;
    path_ = current;
    if (changed)
        emit pathChanged(path_);
    return true;
}

void DirectoryList::openEntry(QListWidgetItem* item) {
    if (!item)
        return;
    const QString target = item->data(PathRole).toString();
    QString reason;
    if (!setPath(target, &reason)) {
        setCurrentRow(currentDirRow_);
        emit openFailed(target, reason);
    }
}

void DirectoryList::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        if (QListWidgetItem* item = itemAt(event->position().toPoint())) {
            openEntry(item);
            event->accept();
            return;
        }
    }
    QListWidget::mouseDoubleClickEvent(event);
}

void DirectoryList::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        openEntry(currentItem());
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}
