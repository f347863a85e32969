#include "app/CommandLine.h"

#include "app/ReportPrinter.h"
#include "app/TMiravo99App.h"
#include "model/AtomicFile.h"
#include "model/DocumentFiles.h"
#include "model/LighterPackImport.h"
#include "output/CategoryTotals.h"
#include "output/ExportWriter.h"
#include "output/GearSummary.h"
#include "platform/ColorRef.h"
#include "ui/Cp1252.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <system_error>
#include <vector>

#include <unistd.h>

namespace varnel {

namespace {

constexpr int kExitRefused = 1; // a refused or unwritable file
constexpr int kExitUsage = 2;   // a missing file or bad usage

// What a headless option's function is given.
struct HeadlessCall {
    QString value;     // the option's own value
    QStringList files; // the other arguments
    const QCommandLineParser& parser;
    QTextStream& out;
    QTextStream& err;
};

// An option that runs without a window system and ends the program.
struct HeadlessOption {
    const char* name;
    const char* valueName; // nullptr: the option takes no value
    const char* description;
    int (*run)(const HeadlessCall& call);
    bool needsFonts = false; // drawing: a GUI application on the offscreen platform
};

// Plain switches that go with a headless option.
struct HeadlessSwitch {
    const char* name;
    const char* valueName;
    const char* description;
};

constexpr HeadlessSwitch kHeadlessSwitches[] = {
    {"output", "OUT", "With --export: the file to write; - for standard output."},
    {"checked-only", nullptr,
     "With --export: only the checked items, as \"Export only Checked "
     "Items\" does (lighterpack too)."},
    {"notes", nullptr, "With --export: the notes too."},
    {"custom-columns", nullptr,
     "With --export: the user columns too (nothing on a list without any)."},
    {"title", "TEXT", "With --export: the title of a text or HTML export."},
};

// Options of the window system: QApplication takes them out of the arguments when the window
// opens. They are declared so that they are not taken for unknown ones, and listed by
// --help-all.
struct WindowOption {
    const char* name;
    const char* valueName;
    const char* description;
};

constexpr WindowOption kWindowOptions[] = {
    {"platform", "platformName[:options]", "Window system plugin, e.g. xcb, wayland, offscreen."},
    {"platformpluginpath", "path", "Path to the window system plugins."},
    {"platformtheme", "theme", "Platform theme."},
    {"plugin", "plugin", "Additional plugins to load, can be given more than once."},
    {"qwindowgeometry", "geometry", "Window geometry for the main window, e.g. 760x520+0+0."},
    {"qwindowicon", "icon", "Default window icon."},
    {"qwindowtitle", "title", "Title of the first window."},
    {"reverse", nullptr, "Sets the layout direction to right to left."},
    {"session", "session", "Restores the application from an earlier session."},
    {"display", "display", "Display name to use (X11)."},
    {"geometry", "geometry", "Window geometry for the main window (X11)."},
    {"style", "style", "Widget style, e.g. fusion."},
    {"stylesheet", "file", "Style sheet to apply."},
    {"widgetcount", nullptr, "Prints the number of widgets left at exit."},
    {"qmljsdebugger", "value", "QML/JS debugger settings (not used by Varnel)."},
};

std::filesystem::path toPath(const QString& name) {
    return std::filesystem::path(QFileInfo(name).absoluteFilePath().toStdString());
}

QString fromPath(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}

// "varnel: FILE: reason", the shape of every error about a file.
int fileError(QTextStream& err, const QString& file, const QString& reason, int code) {
    err << "varnel: " << file << ": " << reason << '\n';
    return code;
}

int usageError(const QCommandLineParser& parser, QTextStream& err, const QString& what) {
    err << "varnel: " << what << "\n\n" << parser.helpText();
    return kExitUsage;
}

// The list a headless command reads. The process ends right after the command, so the list is
// never freed record by record (for 100,000 items that would take a good part of the command's
// time); it stays reachable from here, which leak checkers count as in use.
GearDocument& headlessDocument() {
    static GearDocument* const document = new GearDocument;
    return *document;
}

// Reads FILE and the settings beside it as the window does; 0, or the exit status of the error
// it printed. A file cut short is read as far as it goes and said on standard error; `cutShort`
// then tells the caller, which still gives what could be read but must not end with success.
int readForHeadless(const HeadlessCall& call, const QString& file, GearDocument& document,
                    DocumentSettings& settings, bool& cutShort, bool missingIsNew = false) {
    const FileOutcome outcome = readDocumentWithSettings(
        toPath(file), std::filesystem::path(QDir::currentPath().toStdString()), document, settings);
    switch (outcome.status) {
    case FileOutcome::Status::Ok:
        break;
    case FileOutcome::Status::CannotOpen:
        if (missingIsNew) {
            break;
        }
        return fileError(call.err, file,
                         QString::fromStdString(std::system_category().message(ENOENT)),
                         kExitUsage);
    case FileOutcome::Status::Refused:
    case FileOutcome::Status::Failed:
        return fileError(call.err, file, QString::fromStdString(outcome.reason), kExitRefused);
    case FileOutcome::Status::NotVarnel:
    case FileOutcome::Status::Version3:
        return fileError(call.err, file, QString::fromStdString(outcome.message()->text),
                         kExitRefused);
    }
    // The unit comes from the settings: without them the figures could be in the wrong one.
    if (!outcome.settingsReason.empty()) {
        std::filesystem::path settingsFile = file.toStdString();
        settingsFile.replace_extension(".ini");
        return fileError(call.err, fromPath(settingsFile),
                         QString::fromStdString(outcome.settingsReason), kExitRefused);
    }
    cutShort = outcome.ok() && outcome.truncated;
    if (cutShort) {
        call.err << "varnel: " << file << " ends in the middle of an item: only the first "
                 << outcome.itemsRead << " items could be read\n";
    }
    return 0;
}

// The standard output's name among the files a command writes.
bool isStandardOutput(const QString& name) {
    return name == QStringLiteral("-");
}

FileOutcome writeOut(const QString& name, std::string_view bytes) {
    return FileOutcome::written(FileOutcome::Task::Export, name.toStdString(),
                                isStandardOutput(name) ? writeToDescriptor(STDOUT_FILENO, bytes)
                                                       : writeOutputFile(toPath(name), bytes));
}

// Reads the one FILE a printing option names and prints `lines(document, settings)`; a list cut
// short is printed as far as it goes and ends refused. Writes nothing anywhere.
int printLines(const HeadlessCall& call, const char* option,
               const std::function<std::vector<std::string>(const GearDocument&,
                                                            const DocumentSettings&)>& lines) {
    if (!call.files.isEmpty()) {
        return usageError(call.parser, call.err,
                          QStringLiteral("--%1 takes one FILE, not also '%2'.")
                              .arg(QLatin1String(option), call.files.front()));
    }
    const QString& file = call.value;
    if (file.isEmpty()) {
        return usageError(call.parser, call.err,
                          QStringLiteral("--%1 needs a FILE.").arg(QLatin1String(option)));
    }
    GearDocument& document = headlessDocument();
    DocumentSettings settings;
    bool cutShort = false;
    if (const int failed = readForHeadless(call, file, document, settings, cutShort)) {
        return failed;
    }
    for (const std::string& line : lines(document, settings)) {
        call.out << Cp1252::toUnicode(line) << '\n';
    }
    return cutShort ? kExitRefused : 0;
}

// The Totals dialog's lines for FILE.
int printTotals(const HeadlessCall& call) {
    return printLines(call, "totals", [](const GearDocument& document, const DocumentSettings&) {
        return totalsDialogLines(categoryTotals(document), document.metric);
    });
}

// FILE's base, worn, consumable, pack and skin-out weights (and its base-weight goal) as Totals
// dialog lines.
int printSummary(const HeadlessCall& call) {
    return printLines(
        call, "summary", [](const GearDocument& document, const DocumentSettings& settings) {
            std::vector<std::string> headings;
            for (const ColumnRecord& column : settings.userColumnRecords) {
                headings.push_back(column.heading);
            }
            const GearSummary summary =
                gearSummary(categoryTotals(document, markColumns(headings)));
            return summaryLines(summary, goalValue(settings.baseGoal), document.metric);
        });
}

// The one FILE a writing option reads, or a usage error.
std::optional<QString> singleFile(const HeadlessCall& call, const char* option) {
    if (call.files.size() != 1) {
        usageError(call.parser, call.err,
                   QStringLiteral("--%1 reads exactly one FILE.").arg(QString::fromLatin1(option)));
        return std::nullopt;
    }
    return call.files.front();
}

// Writes FILE's export as the Export command writes that format with those options.
int exportList(const HeadlessCall& call) {
    static const QHash<QString, ExportFormat> formats{
        {QStringLiteral("text"), ExportFormat::Text},
        {QStringLiteral("csv"), ExportFormat::Comma},
        {QStringLiteral("html"), ExportFormat::Html},
        {QStringLiteral("xml"), ExportFormat::Xml},
        {QStringLiteral("lighterpack"), ExportFormat::LighterPack}};
    if (!formats.contains(call.value)) {
        return usageError(call.parser, call.err,
                          QStringLiteral("--export takes text, csv, html, xml or lighterpack, not "
                                         "'%1'.")
                              .arg(call.value));
    }
    const QString out = call.parser.value(QStringLiteral("output"));
    if (out.isEmpty()) {
        return usageError(call.parser, call.err, QStringLiteral("--export needs --output OUT."));
    }
    const auto file = singleFile(call, "export");
    if (!file) {
        return kExitUsage;
    }
    GearDocument& document = headlessDocument();
    DocumentSettings settings;
    bool cutShort = false;
    if (const int failed = readForHeadless(call, *file, document, settings, cutShort)) {
        return failed;
    }
    ExportOptions options;
    options.checkedOnly = call.parser.isSet(QStringLiteral("checked-only"));
    options.notes = call.parser.isSet(QStringLiteral("notes"));
    // As the dialog's box, which is disabled on a list without user columns.
    options.customColumns =
        call.parser.isSet(QStringLiteral("custom-columns")) && document.userColumnCount > 0;
    options.title =
        Cp1252::fromUnicode(call.parser.value(QStringLiteral("title"))).substr(0, kMaxTitleLength);
    const FileOutcome written =
        writeOut(out, exportBytes(formats.value(call.value), document, exportHeadings(settings),
                                  options, exportColours(settings, currentColorRef)));
    if (!written.ok()) {
        return fileError(call.err, out, QString::fromStdString(written.reason), kExitRefused);
    }
    return cutShort ? kExitRefused : 0;
}

// Prints FILE's report to the PDF OUT on A4, with FILE's print options and printing font.
int printPdf(const HeadlessCall& call) {
    const QString out = call.value;
    const auto file = singleFile(call, "print-pdf");
    if (out.isEmpty() || !file) {
        return out.isEmpty() ? usageError(call.parser, call.err,
                                          QStringLiteral("--print-pdf needs OUT and FILE."))
                             : kExitUsage;
    }
    GearDocument& document = headlessDocument();
    DocumentSettings settings;
    bool cutShort = false;
    if (const int failed = readForHeadless(call, *file, document, settings, cutShort)) {
        return failed;
    }
    // Printed aside first, then written as an export is: a failed print leaves an earlier OUT as
    // it was, and a pipe or standard output gets the bytes instead of a file renamed over it.
    const QTemporaryDir aside;
    const QString printed = aside.filePath(QStringLiteral("report.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printed);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(QStringLiteral("Varnel"));
    const ReportSource source{document, PrintHeadings::from(settings), PrintOptions::from(settings),
                              settings.font};
    QFile pdf(printed);
    FileOutcome written = FileOutcome::written(FileOutcome::Task::Export, out.toStdString(),
                                               std::error_code(EIO, std::system_category()));
    if (aside.isValid() && printReport(printer, source) == PrintResult::Printed &&
        printer.isValid() && pdf.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = pdf.readAll();
        written = writeOut(
            out, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    }
    if (!written.ok()) {
        return fileError(call.err, out, QString::fromStdString(written.reason), kExitRefused);
    }
    return cutShort ? kExitRefused : 0;
}

// A user column of the settings the command line adds, as Add New Column would: last, left
// aligned, at the width the other new columns get.
void appendUserColumn(DocumentSettings& settings, GearDocument& document, const std::string& name) {
    constexpr std::int32_t kNewColumnWidth = 100;
    const auto index = static_cast<std::int32_t>(kFixedColumns) + settings.userColumns;
    settings.userColumnRecords.push_back({name, ColumnRecord::kAlignLeft, index});
    ++settings.userColumns;
    document.userColumnCount = settings.userColumns;
    if (settings.columnWidths.size() <= static_cast<std::size_t>(index)) {
        settings.columnWidths.resize(static_cast<std::size_t>(index) + 1, 0);
    }
    settings.columnWidths[static_cast<std::size_t>(index)] = kNewColumnWidth;
    if (!settings.columnOrder.empty()) {
        settings.columnOrder.push_back(index);
    }
}

// Adds CSV's items to FILE (a new list when FILE is missing) and saves it; the report goes to
// standard output.
int importLighterPack(const HeadlessCall& call) {
    const QString csv = call.value;
    const auto file = singleFile(call, "import-lighterpack");
    if (csv.isEmpty() || !file) {
        return csv.isEmpty()
                   ? usageError(call.parser, call.err,
                                QStringLiteral("--import-lighterpack needs CSV and FILE."))
                   : kExitUsage;
    }
    std::string bytes;
    if (const FileOutcome read = readLighterPackFile(toPath(csv), bytes); !read.ok()) {
        return fileError(call.err, csv, QString::fromStdString(read.reason),
                         read.status == FileOutcome::Status::CannotOpen ? kExitUsage
                                                                        : kExitRefused);
    }
    GearDocument document;
    DocumentSettings settings;
    bool cutShort = false;
    if (const int failed = readForHeadless(call, *file, document, settings, cutShort, true)) {
        return failed;
    }
    if (cutShort) {
        // Saving would replace the whole file with the part that could be read, and its backup
        // with the damaged file: the window asks first, and nobody is here to be asked.
        return fileError(call.err, *file,
                         QStringLiteral("not imported into: saving it would lose the items that "
                                        "could not be read; it is left as it is."),
                         kExitRefused);
    }
    if (document.handheldDocument) {
        return fileError(call.err, *file,
                         QStringLiteral("A handheld data file cannot take an import."),
                         kExitRefused);
    }
    const LighterPackList list = parseLighterPackCsv(bytes, document.metric);
    if (!list.recognised) {
        return fileError(call.err, csv, QString::fromStdString(notLighterPackMessage().text),
                         kExitRefused);
    }
    std::vector<std::string> headings = exportHeadings(settings).user;
    // Nobody is there to be asked: the values get their columns rather than being left out.
    for (const std::string& name : missingLighterPackColumns(list, headings)) {
        if (settings.userColumns >= kMaxUserColumns) {
            break;
        }
        appendUserColumn(settings, document, name);
        headings.push_back(name);
    }
    const LighterPackAdded added = addLighterPackItems(document, list, headings);
    const FileOutcome outcome =
        writeListAndSettings(toPath(*file), document, settings,
                             std::filesystem::path(QDir::currentPath().toStdString()));
    if (!outcome.ok()) {
        return fileError(call.err, *file, QString::fromStdString(outcome.reason), kExitRefused);
    }
    call.out << Cp1252::toUnicode(lighterPackReport(list, added)) << '\n';
    return 0;
}

// One entry per headless option, each with its own function.
constexpr HeadlessOption kHeadlessOptions[] = {
    {"totals", "FILE",
     "Print the totals of FILE per category and in all, as the Totals dialog shows them. Needs "
     "no display and writes nothing.",
     &printTotals},
    {"summary", "FILE",
     "Print the base, worn, consumable, pack and skin-out weights of FILE, and its base-weight "
     "goal when it has one, as Totals dialog lines. Needs no display and writes nothing.",
     &printSummary},
    {"export", "FORMAT",
     "Write FILE as an export: text, csv, html, xml or lighterpack, into --output OUT. Writes "
     "nothing else.",
     &exportList},
    {"import-lighterpack", "CSV",
     "Add the items of the LighterPack list CSV to FILE (a new list when FILE is missing) and "
     "save FILE. Rows that cannot be read are listed and skipped.",
     &importLighterPack},
    {"print-pdf", "OUT",
     "Print FILE's report, with its print options and printing font, to the PDF OUT on A4 (- for "
     "standard output). Writes nothing else.",
     &printPdf, true},
};

QCommandLineOption makeOption(const char* name, const char* valueName, const char* description) {
    QCommandLineOption option(QString::fromLatin1(name), QString::fromUtf8(description));
    if (valueName != nullptr) {
        option.setValueName(QString::fromLatin1(valueName));
    }
    return option;
}

void describe(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("Varnel keeps a backpacking gear list and tells what it weighs."));
    // "-platform xcb" is one option, as the window system reads it, not eight letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addHelpOption();
    parser.addVersionOption();
    for (const HeadlessOption& h : kHeadlessOptions) {
        parser.addOption(makeOption(h.name, h.valueName, h.description));
    }
    for (const HeadlessSwitch& h : kHeadlessSwitches) {
        parser.addOption(makeOption(h.name, h.valueName, h.description));
    }
    for (const WindowOption& w : kWindowOptions) {
        QCommandLineOption option = makeOption(w.name, w.valueName, w.description);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The gear list to open."),
                                 QStringLiteral("[FILE]"));
}

QString windowOptionsHelp() {
    const auto shown = [](const WindowOption& w) {
        QString s = QStringLiteral("-") + QString::fromLatin1(w.name);
        if (w.valueName != nullptr) {
            s += QStringLiteral(" <") + QString::fromLatin1(w.valueName) + QLatin1Char('>');
        }
        return s;
    };
    qsizetype width = 0;
    for (const WindowOption& w : kWindowOptions) {
        width = std::max(width, shown(w).size());
    }
    QString text = QStringLiteral("\nWindow options (taken by Qt when the window opens):\n");
    for (const WindowOption& w : kWindowOptions) {
        text += QStringLiteral("  ") + shown(w).leftJustified(width + 2) +
                QString::fromUtf8(w.description) + QLatin1Char('\n');
    }
    return text;
}

bool displayAvailable(const QCommandLineParser& parser) {
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
           qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || parser.isSet(QStringLiteral("platform"));
#else
    (void)parser;
    return true;
#endif
}

} // namespace

int runVarnel(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    QCommandLineParser parser;
    describe(parser);
    const bool parsed = parser.parse(arguments);
    std::vector<const HeadlessOption*> headless;
    for (const HeadlessOption& h : kHeadlessOptions) {
        if (parser.isSet(QString::fromLatin1(h.name))) {
            headless.push_back(&h);
        }
    }
    const bool help = parser.isSet(QStringLiteral("help"));
    const bool helpAll = parser.isSet(QStringLiteral("help-all"));
    const bool version = parser.isSet(QStringLiteral("version"));

    if (parsed && !help && !helpAll && !version && headless.empty()) {
        if (!displayAvailable(parser)) {
            QTextStream(stderr)
                << "varnel: there is no display to open the window on (neither DISPLAY nor "
                   "WAYLAND_DISPLAY is set).\n"
                   "The headless options work without one: varnel --totals FILE prints a gear "
                   "list's totals; varnel --help lists them all.\n";
            return kExitRefused;
        }
        return runApplication(argc, argv, parser.positionalArguments());
    }

    // Everything else answers in text, without a window system; drawing gets the offscreen one.
    const bool fonts = parsed && headless.size() == 1 && headless.front()->needsFonts && !help &&
                       !helpAll && !version;
    if (fonts && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (fonts) {
        // Qt's own notes (runtime folder, a painter that could not start) would only repeat, less
        // clearly, the one error line this program prints.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtCriticalMsg || type == QtFatalMsg) {
                QTextStream(stderr) << text << '\n';
            }
        });
    }
    std::unique_ptr<QCoreApplication> app = fonts ? std::make_unique<QGuiApplication>(argc, argv)
                                                  : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("varnel"));
    QCoreApplication::setApplicationVersion(QStringLiteral("Version 5.51"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (!parsed) {
        return usageError(parser, err, parser.errorText());
    }
    if (help || helpAll) {
        out << parser.helpText();
        if (helpAll) {
            out << windowOptionsHelp();
        }
        return 0;
    }
    if (version) {
        out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion()
            << '\n';
        return 0;
    }
    if (headless.size() > 1) {
        return usageError(parser, err,
                          QStringLiteral("--%1 and --%2 cannot be given together.")
                              .arg(QString::fromLatin1(headless[0]->name),
                                   QString::fromLatin1(headless[1]->name)));
    }
    const HeadlessOption& option = *headless.front();
    const QString name = QString::fromLatin1(option.name);
    const HeadlessCall call{option.valueName != nullptr ? parser.value(name) : QString(),
                            parser.positionalArguments(), parser, out, err};
    return option.run(call);
}

} // namespace varnel
