#include "app/CommandLine.h"

#include "app/TMiravo99App.h"
#include "model/DocumentFiles.h"
#include "output/CategoryTotals.h"
#include "ui/Cp1252.h"

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

void describe(QCommandLineParser& parser, const QCommandLineOption& totals) {
    parser.setApplicationDescription(
        QStringLiteral("Varnel keeps a backpacking gear list and tells what it weighs."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(totals);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The gear list to open."),
                                 QStringLiteral("[FILE]"));
}

bool displayAvailable() {
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
           qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

} // namespace

int runVarnel(int argc, char* argv[]) {
    const QCommandLineOption totals(
        QStringLiteral("totals"),
        QStringLiteral("Print the totals of FILE per category and in all, as the Totals dialog "
                       "shows them. Needs no display and writes nothing."),
        QStringLiteral("FILE"));
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    {
        // Headless options run without a window system.
        QCommandLineParser parser;
        describe(parser, totals);
        const bool parsed = parser.parse(arguments);
        if (!parsed || parser.isSet(totals) || parser.isSet(QStringLiteral("help")) ||
            parser.isSet(QStringLiteral("version"))) {
            QCoreApplication app(argc, argv);
            QCoreApplication::setApplicationName(QStringLiteral("varnel"));
            QCoreApplication::setApplicationVersion(QStringLiteral("Version 5.51"));
            QCommandLineParser headless;
            describe(headless, totals);
            headless.process(app);
            return printTotals(headless.value(totals));
        }
        if (!displayAvailable()) {
            QTextStream(stderr)
                << "varnel: there is no display to open the window on (neither DISPLAY nor "
                   "WAYLAND_DISPLAY is set).\n"
                   "The headless options work without one: varnel --totals FILE prints a gear "
                   "list's totals; varnel --help lists them all.\n";
            return 1;
        }
        return runApplication(argc, argv, parser.positionalArguments());
    }
}

} // namespace varnel
