#include "app/CommandLine.h"

#include "app/Cp1252.h"
#include "model/DocumentFiles.h"
#include "output/CategoryTotals.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>
#include <filesystem>

namespace varnel {

namespace {

std::filesystem::path toPath(const QString& name) {
    return std::filesystem::path(QFileInfo(name).absoluteFilePath().toStdString());
}

// Prints the Totals dialog's lines for FILE; writes nothing anywhere.
int printTotals(const QString& file) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QFileInfo info(file);
    if (!info.exists() || !info.isFile() || !info.isReadable()) {
        err << "varnel: cannot read " << file << '\n';
        return 2;
    }
    GearDocument document;
    DocumentSettings settings;
    const ReadOutcome outcome = readDocumentWithSettings(
        toPath(file), std::filesystem::path(QDir::currentPath().toStdString()), document, settings);
    if (outcome.status == ReadOutcome::Status::CannotOpen) {
        err << "varnel: cannot read " << file << '\n';
        return 2;
    }
    if (const auto message = outcome.message()) {
        err << QString::fromStdString(message->caption) << ": "
            << QString::fromStdString(message->text) << '\n';
        return 1;
    }
    for (const std::string& line : totalsDialogLines(categoryTotals(document), document.metric)) {
        out << Cp1252::toUnicode(line) << '\n';
    }
    return 0;
}

} // namespace

int runVarnel(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("varnel"));
    QCoreApplication::setApplicationVersion(QStringLiteral("Version 5.51"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Varnel keeps a backpacking gear list and tells what it weighs."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption totals(
        QStringLiteral("totals"),
        QStringLiteral("Print the totals of FILE per category and in all, as the Totals dialog "
                       "shows them. Writes nothing."),
        QStringLiteral("FILE"));
    parser.addOption(totals);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The gear list to open."),
                                 QStringLiteral("[FILE]"));
    parser.process(app);

    if (parser.isSet(totals)) {
        return printTotals(parser.value(totals));
    }
    QTextStream(stderr) << "varnel: the window is not part of this build yet; try --totals FILE\n";
    return 1;
}

} // namespace varnel
