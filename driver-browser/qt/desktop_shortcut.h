// The Internet shortcut to the maker's web site that a click on the main window's picture
// puts on the desktop (the "desktop" folder under the Windows directory).
#pragma once

#include <QByteArray>
#include <QMessageBox>
#include <QString>

class QWidget;

namespace tolvane {

// The shortcut's exact bytes: two CR LF-terminated lines.
QByteArray desktopShortcutContents();

// winPath + sep + "desktop" + sep + "Harrowmint.URL", joined as the strings stand.
QString desktopShortcutPath(const QString& winPath);

// Creates or replaces the shortcut file at `path`. False with *error set to the system's
// reason when it cannot be written.
bool writeDesktopShortcut(const QString& path, QString* error);

// The thanks after the shortcut is written, exactly as stored: two sentences separated by a
// lone carriage return.
QString thankYouText();

// A message as a message box shows it: a lone carriage return breaks the line there, just
// as a line feed does.
QString shownMessageText(const QString& text);

// Object names of the two message boxes createDesktopShortcut shows.
inline constexpr const char* ThankYouBoxName = "thankYouBox";
inline constexpr const char* ShortcutFailedBoxName = "shortcutFailedBox";

// Writes the shortcut under winPath and thanks the user ("Thank You!", information icon,
// one OK button, application-modal). When the file cannot be written the user is told what
// failed and where instead, and no thanks are shown.
void createDesktopShortcut(QWidget* parent, const QString& winPath);

} // namespace tolvane
