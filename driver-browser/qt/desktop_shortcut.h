// The desktop shortcut on Linux: the core's operation (shortcut_file.h) over POSIX writes,
// the Wine prefix's desktop folders and Qt's message boxes.
#pragma once

#include <QByteArray>
#include <QString>

class QWidget;

namespace tolvane {

// A message as a message box shows it: a lone carriage return breaks the line there, just
// as a line feed does.
QString shownMessageText(const QString& text);

// Object names of the two message boxes createDesktopShortcut shows.
inline constexpr const char* ThankYouBoxName = "thankYouBox";
inline constexpr const char* ShortcutFailedBoxName = "shortcutFailedBox";

// The click on the main window's picture, for the Windows directory winPath (the file
// system's bytes). The file is opened without blocking and written only when it is a
// regular file; the thanks are application-modal and stay on top.
void createDesktopShortcut(QWidget* parent, const QByteArray& winPath);

} // namespace tolvane
