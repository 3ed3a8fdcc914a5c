// The driver list: a list of the file names in one directory that match a set of
// ";"-separated wildcard patterns, sorted ignoring case.
#pragma once

#include <QListWidget>
#include <QString>

class FileListBox : public QListWidget {
    Q_OBJECT
    Q_PROPERTY(QString pattern READ pattern WRITE setPattern)

public:
    explicit FileListBox(QWidget* parent = nullptr);

    // The listed directory (in the form of native_names.h). Empty until the program sets
    // one; nothing is listed then.
    QString path() const { return path_; }
    // Points the list at dir. When dir names a different directory than the current path
    // the list is rebuilt (nothing selected) and pathChanged() is raised; setting the same
    // directory again changes nothing.
    void setPath(const QString& dir);

    QString pattern() const { return pattern_; }
    // Sets the wildcard patterns; always rebuilds the list (nothing selected) and raises
    // patternChanged(), even when the patterns are the ones already in force.
    void setPattern(const QString& patterns);

    // The selected entry, -1 when nothing is selected. It is always the one entry
    // highlighted; while it is there no key or click takes the highlight off it.
    int selectedIndex() const;
    // Selects entry index (-1 clears the selection). Selecting the entry that is already
    // selected raises nothing.
    void setSelectedIndex(int index);

    // The name of entry index (no directory), as the list shows it.
    QString entry(int index) const;
    // The same name as the file system holds it: the bytes that open the file.
    QByteArray entryFileName(int index) const;

signals:
    // The selected entry changed to index, by mouse, keyboard or setSelectedIndex().
    void entrySelected(int index);
    void pathChanged();
    void patternChanged();

private:
    void rebuild();
    void keepHighlight();

    QString path_;
    QString pattern_ = QStringLiteral("*.*");
};
