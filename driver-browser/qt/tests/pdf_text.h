// Test helper: the text of a PDF file, page by page, as `pdftotext -layout` reads it back.
#pragma once

#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// Lines of every page in order (page breaks dropped, trailing blanks of each line removed).
// *pages gets the number of pages. Empty list and *ok false when pdftotext fails.
inline QStringList pdfTextLines(const QString& pdf, int* pages, bool* ok) {
    QProcess run;
    run.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"),
                                            QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    *ok = run.waitForFinished(30000) && run.exitStatus() == QProcess::NormalExit &&
          run.exitCode() == 0;
    if (!*ok)
        return {};
    const QString text = QString::fromUtf8(run.readAllStandardOutput());
    // pdftotext ends every page with a form feed.
    QStringList pageTexts = text.split(QChar('\f'));
    if (!pageTexts.isEmpty() && pageTexts.last().trimmed().isEmpty())
        pageTexts.removeLast();
    *pages = int(pageTexts.size());
    QStringList lines;
    for (const QString& page : pageTexts) {
        QStringList pageLines = page.split(QChar('\n'));
        // The last line of a page carries no text of its own.
        if (!pageLines.isEmpty() && pageLines.last().isEmpty())
            pageLines.removeLast();
        for (QString line : pageLines) {
            while (line.endsWith(QChar(' ')))
                line.chop(1);
            lines.append(line);
        }
    }
    return lines;
}

// A word of a PDF page with its box, in points from the page's top-left corner, as
// `pdftotext -bbox` finds it.
struct PdfWord {
    int page; // from 1
    double yMin, yMax;
    QString text;
};

// Every word of every page; *ok false when pdftotext fails.
inline QList<PdfWord> pdfWords(const QString& pdf, bool* ok) {
    QProcess run;
    run.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-enc"),
                                            QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    *ok = run.waitForFinished(30000) && run.exitStatus() == QProcess::NormalExit &&
          run.exitCode() == 0;
    QList<PdfWord> words;
    if (!*ok)
        return words;
    const QString html = QString::fromUtf8(run.readAllStandardOutput());
    const QRegularExpression item(QStringLiteral(
        R"re(<page |<word xMin="[-0-9.]+" yMin="([-0-9.]+)" xMax="[-0-9.]+" yMax="([-0-9.]+)">([^<]*)</word>)re"));
    int page = 0;
    for (auto it = item.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(0).startsWith(QStringLiteral("<page")))
            ++page;
        else
            words.append({page, m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3)});
    }
    return words;
}
