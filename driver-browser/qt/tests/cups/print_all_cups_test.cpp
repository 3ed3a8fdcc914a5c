// "Print All Drivers" of the Qt front-end on a real printer: the system's default printer
// is a queue of a private cupsd (scripts/with-private-cups.sh runs this test) that prints
// into a file. Qt hands CUPS a PDF document; the test reads the report back from the
// document the queue received (pdftotext) and checks that the queue's PostScript output
// has as many pages. (The PostScript that CUPS's pdftops makes keeps no character codes
// for its fonts, so its text cannot be read back.)
#include "form1.h"
#include "form1_test_support.h"
#include "pdf_text.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace form1_test;

namespace {

// Standard output of a program; *ok tells whether it ran to a zero exit.
QString run(const QString& program, const QStringList& arguments, bool* ok) {
    QProcess process;
    process.start(program, arguments);
    *ok = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
          process.exitCode() == 0;
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Waits until the queue has no pending job and at least one finished one; the finished
// jobs as lpstat lists them, one a line.
QStringList waitForCompletedJobs(const QString& queue) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 60000) {
        bool listed = false;
        bool listedCompleted = false;
        const QString pending = run("lpstat", {"-o", queue}, &listed);
        const QString completed = run("lpstat", {"-W", "completed", "-o", queue}, &listedCompleted);
        if (listed && listedCompleted && pending.trimmed().isEmpty() &&
            !completed.trimmed().isEmpty())
            return completed.trimmed().split('\n');
        QThread::msleep(200);
    }
    return {};
}

// The number in the "%%Pages: N" comment of a PostScript file (the last one: a document
// may say "(atend)" first); 0 when there is none.
int postScriptPages(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    int pages = 0;
    const QRegularExpression comment(QStringLiteral("^%%Pages: (\\d+)"),
                                     QRegularExpression::MultilineOption);
    auto matches = comment.globalMatch(QString::fromLatin1(file.readAll()));
    while (matches.hasNext())
        pages = matches.next().captured(1).toInt();
    return pages;
}

class PrintAllToCups : public ::testing::Test {
protected:
    void SetUp() override {
        queue = qEnvironmentVariable("PRIVATE_CUPS_QUEUE");
        output = qEnvironmentVariable("PRIVATE_CUPS_OUTPUT");
        if (queue.isEmpty() || output.isEmpty())
            GTEST_SKIP() << "no private CUPS server: run this test through "
                            "scripts/with-private-cups.sh";
        ASSERT_TRUE(prefix.valid());
        ASSERT_TRUE(work.isValid());
        form.setSplashEnabled(false);
    }

    QString queue;
    QString output;
    TempPrefix prefix;
    QTemporaryDir work;
    Form1 form;
};

} // namespace

TEST_F(PrintAllToCups, ReportArrivesAtTheDefaultQueueInOrderOverSeveralPages) {
    ASSERT_EQ(QPrinterInfo::defaultPrinter().printerName(), queue);
    QStringList expected;
    for (int i = 1; i <= 60; ++i) {
        const QString n = QString("%1").arg(i, 2, 10, QChar('0'));
        const QByteArray version = "6." + n.toLatin1() + "." + QByteArray::number(i * 13) + "q";
        ASSERT_TRUE(prefix.add("qsmp" + n + ".drv",
                               fullDriver("Quarnby Devices " + n.toLatin1(),
                                          "Sample pager driver " + n.toLatin1(), version)));
        expected << "File Name: qsmp" + n + ".drv"
                 << "Version: " + QString::fromLatin1(version) << "Vendor: Quarnby Devices " + n
                 << "Description: Sample pager driver " + n;
    }
    form.load();

    bool warned = false;
    QString warning;
    withModal([&] { form.findChild<QAction*>("ADrivers")->trigger(); },
              [&](QWidget* box) {
                  if (auto* message = qobject_cast<QMessageBox*>(box))
                      warning = message->text();
                  box->close();
              },
              &warned);
    ASSERT_FALSE(warned) << "the main window warned: " << warning.toStdString();

    const QStringList jobs = waitForCompletedJobs(queue);
    ASSERT_EQ(jobs.size(), 1) << "finished jobs on " << queue.toStdString() << ": "
                              << jobs.join(" | ").toStdString();
    const QStringList documents =
        QDir(qEnvironmentVariable("PRIVATE_CUPS_SPOOL")).entryList({"d*-001"}, QDir::Files);
    ASSERT_EQ(documents.size(), 1)
        << "documents in the spool: " << documents.join(' ').toStdString();
    int pages = 0;
    bool read = false;
    QStringList printed = pdfTextLines(
        qEnvironmentVariable("PRIVATE_CUPS_SPOOL") + '/' + documents.first(), &pages, &read);
    ASSERT_TRUE(read) << "pdftotext could not read the queued document";
    EXPECT_GE(pages, 2) << "the report of 60 drivers needs more than one page";
    EXPECT_EQ(postScriptPages(output), pages) << "pages the queue printed";
    printed.removeAll(QString());
    EXPECT_EQ(printed.join(QChar('\n')).toStdString(), expected.join(QChar('\n')).toStdString());

    // Every word lies inside the area the printer can print on, as its description gives it:
    // a line that did not fit belongs on the next page, not in the margin below.
    const QRectF printable =
        QPrinter(QPrinterInfo::defaultPrinter()).pageLayout().paintRect(QPageLayout::Point);
    bool boxesRead = false;
    const QList<PdfWord> words =
        pdfWords(qEnvironmentVariable("PRIVATE_CUPS_SPOOL") + '/' + documents.first(), &boxesRead);
    ASSERT_TRUE(boxesRead) << "pdftotext -bbox could not read the queued document";
    EXPECT_GE(words.size(), 4 * 60 * 2);
    constexpr double kSlack = 1.0; // points: the reader's and the painter's font metrics
    for (const PdfWord& word : words) {
        EXPECT_GE(word.yMin, printable.top() - kSlack)
            << "page " << word.page << ": \"" << word.text.toStdString() << "\" above the area";
        EXPECT_LE(word.yMax, printable.bottom() + kSlack)
            << "page " << word.page << ": \"" << word.text.toStdString() << "\" below the area ("
            << word.yMax << " > " << printable.bottom() << ")";
    }
}
