#include "directory_list.h"

#include "driver_files.h"
#include "native_names.h"
#include "path_text.h"
#include "posix_directory.h"

#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <algorithm>

namespace tolvane {
namespace {

QString cleanAbsolute(const QString& path) {
    return QDir::toNativeSeparators(QDir::cleanPath(QDir(path).absolutePath()));
}

bool byName(const QByteArray& a, const QByteArray& b) {
    return compareNativeNames(std::string_view(a.constData(), static_cast<std::size_t>(a.size())),
                              std::string_view(b.constData(), static_cast<std::size_t>(b.size()))) <
           0;
}

} // namespace
} // namespace tolvane

DirectoryList::DirectoryList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
}

tolvane::SelectPathSeam DirectoryList::seam(SelectPathContext& context) {
    tolvane::SelectPathSeam seam{};
    seam.context = &context;
    seam.separator = tolvane::kPathSeparator;
    seam.ignoreCase = false;
    seam.directories = directory_.seam();
    seam.clearDirectories = [](void* c) {
        static_cast<SelectPathContext*>(c)->list->clearEntries();
    };
    seam.addBranchEntry = [](void* c, const char* name, std::size_t length, int) {
        static_cast<SelectPathContext*>(c)->list->branch_.append(
            QByteArray(name, static_cast<qsizetype>(length)));
    };
    seam.addSubdirectory = [](void* c, const char* name, int) {
        static_cast<SelectPathContext*>(c)->list->subdirectories_.append(QByteArray(name));
    };
    seam.setOpenPath = [](void* c, const char* path) {
        static_cast<SelectPathContext*>(c)->list->setOpenPath(path);
    };
    seam.openPath = [](void* c) {
        return static_cast<SelectPathContext*>(c)->list->openPath_.constData();
    };
    return seam;
}

void DirectoryList::clearEntries() {
    clear();
    branch_.clear();
    subdirectories_.clear();
}

void DirectoryList::setOpenPath(const char* path) {
    const QByteArray open(path); // path may be openPath() itself
    std::sort(subdirectories_.begin(), subdirectories_.end(), tolvane::byName);
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const QString indent = QString::fromLatin1(tolvane::kBranchIndent);
    const int depth = static_cast<int>(branch_.size());
    auto add = [&](const QIcon& icon, const QString& text, int row, const QByteArray& name) {
        const std::size_t length = tolvane::pathBehindEntry(
            open.constData(), tolvane::kPathSeparator, row, name.constData(), nullptr, 0);
        QByteArray behind(static_cast<qsizetype>(length), '\0');
        tolvane::pathBehindEntry(open.constData(), tolvane::kPathSeparator, row, name.constData(),
                                 behind.data(), length + 1);
        auto* item = new QListWidgetItem(icon, text, this);
        item->setData(PathRole, tolvane::pathFromNative(behind));
    };
    for (int level = 0; level < depth; ++level) {
        const QByteArray& name = branch_[level];
        add(openIcon,
            indent.repeated(level) +
                (level == 0 ? tolvane::pathFromNative(name) : tolvane::shownName(name)),
            level, name);
    }
    for (int n = 0; n < subdirectories_.size(); ++n)
        add(closedIcon, indent.repeated(depth) + tolvane::shownName(subdirectories_[n]), depth + n,
            subdirectories_[n]);
    currentDirRow_ = depth - 1;
    setCurrentRow(currentDirRow_);
    openPath_ = open;
    const QString shown = tolvane::pathFromNative(open);
    const bool changed = shown != path_;
    path_ = shown;
    if (changed)
        emit pathChanged(path_);
}

bool DirectoryList::setPath(const QString& dir, QString* error) {
    const QByteArray bytes =
        dir.isEmpty() ? QByteArray() : tolvane::pathToNative(tolvane::cleanAbsolute(dir));
    SelectPathContext context{this, nullptr};
    const tolvane::FileFailure failed = tolvane::openDirectory(seam(context), bytes.constData());
    if (failed == tolvane::FileFailure::None)
        return true;
    if (error)
        *error = QString::fromLatin1(tolvane::fileFailureReason(failed));
    return false;
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
