#include "ui/QtPrompts.h"

#include "ui/WindowTitle.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSpacerItem>
#include <QTreeView>

namespace varnel {

namespace {

constexpr int kFileDialogWidth = 900;
constexpr int kFileDialogHeight = 560;

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Stop:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qtButtons(PromptButtons buttons) {
    switch (buttons) {
    case PromptButtons::Ok:
        break;
    case PromptButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case PromptButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case PromptButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// What closing the box without pressing a button means.
PromptAnswer refusal(PromptButtons buttons) {
    switch (buttons) {
    case PromptButtons::Ok:
        break;
    case PromptButtons::YesNo:
        return PromptAnswer::No;
    case PromptButtons::OkCancel:
    case PromptButtons::YesNoCancel:
        return PromptAnswer::Cancel;
    }
    return PromptAnswer::Ok;
}

std::optional<QString> chosenName(const QString& name) {
    if (name.isEmpty()) {
        return std::nullopt;
    }
    return name;
}

} // namespace

QtPrompts::QtPrompts(QWidget* owner) : owner_(owner) {}

QtPrompts::~QtPrompts() {
    while (waitDepth_ > 0) {
        endWait();
    }
}

QWidget* QtPrompts::owner() const {
    return owner_ ? owner_.data() : QApplication::activeWindow();
}

PromptAnswer QtPrompts::message(const QString& text, const QString& caption, MessageIcon icon,
                                PromptButtons buttons) {
    QMessageBox box(qtIcon(icon), caption, text, qtButtons(buttons), owner());
    // File names and record texts are shown as they are, never as markup.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoCancel
                             ? QMessageBox::Yes
                             : QMessageBox::Ok);
    // The box sizes itself to its text; a spacer across its grid keeps the caption readable.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(
            new QSpacerItem(titleWidth(box), 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
            grid->rowCount(), 0, 1, grid->columnCount());
    }
    switch (box.exec()) {
    case QMessageBox::Ok:
        return PromptAnswer::Ok;
    case QMessageBox::Yes:
        return PromptAnswer::Yes;
    case QMessageBox::No:
        return PromptAnswer::No;
    case QMessageBox::Cancel:
        return PromptAnswer::Cancel;
    default:
        return refusal(buttons);
    }
}

std::optional<QString> QtPrompts::textInput(const QString& caption, const QString& prompt,
                                            const QString& initial, int maxLength) {
    QInputDialog dialog(owner());
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    if (auto* label = dialog.findChild<QLabel*>()) {
        label->setTextFormat(Qt::PlainText);
    }
    if (auto* edit = dialog.findChild<QLineEdit*>(); edit && maxLength > 0) {
        edit->setMaxLength(maxLength);
    }
    dialog.setTextValue(initial);
    fitWindowTitle(dialog);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.textValue();
}

QString QtPrompts::defaultSuffix(const QString& nameFilter) {
    static const QRegularExpression pattern(QStringLiteral("\\(\\*\\.([^ ;)*]+)"));
    const QRegularExpressionMatch match = pattern.match(nameFilter);
    return match.hasMatch() ? match.captured(1) : QString();
}

std::optional<QString> QtPrompts::chooseFileName(const QString& title, const QString& filter,
                                                 bool save, const QString& initialName,
                                                 const QString& defaultExtension) {
    QFileDialog dialog(owner(), title);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(qtFilter(filter));
    // A name typed without an extension gets the chosen filter's, so that it shows in Open.
    const auto suffixFrom = [&dialog](const QString& nameFilter) {
        dialog.setDefaultSuffix(defaultSuffix(nameFilter));
    };
    if (defaultExtension.isEmpty()) {
        suffixFrom(dialog.selectedNameFilter());
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, suffixFrom);
    } else {
        dialog.setDefaultSuffix(defaultExtension);
    }
    if (!initialName.isEmpty()) {
        dialog.selectFile(initialName);
    }
    // Room for the name, size, type and date columns, each as wide as what it shows.
    dialog.resize(kFileDialogWidth, kFileDialogHeight);
    if (auto* details = dialog.findChild<QTreeView*>()) {
        QHeaderView* header = details->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int c = 1; c < header->count(); ++c) {
            header->setSectionResizeMode(c, QHeaderView::ResizeToContents);
        }
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return chosenName(dialog.selectedFiles().constFirst());
}

std::optional<QString> QtPrompts::openFileName(const QString& title, const QString& filter) {
    return chooseFileName(title, filter, false);
}

std::optional<QString> QtPrompts::saveFileName(const QString& title, const QString& filter,
                                               const QString& initialName,
                                               const QString& defaultExtension) {
    return chooseFileName(title, filter, true, initialName, defaultExtension);
}

std::optional<QColor> QtPrompts::chooseColor(const QColor& initial,
                                             const CustomColors& customColors) {
    for (int i = 0; i < static_cast<int>(customColors.size()) && i < QColorDialog::customCount();
         ++i) {
        QColorDialog::setCustomColor(i, customColors[static_cast<std::size_t>(i)]);
    }
    const QColor chosen = QColorDialog::getColor(initial, owner());
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return chosen;
}

std::optional<QFont> QtPrompts::chooseFont(const QFont& initial, bool fixedPitchOnly,
                                           int minPointSize, int maxPointSize) {
    QFontDialog dialog(owner());
    // The families are filtered when the current font is set, so the option goes first.
    QFont start = initial;
    if (fixedPitchOnly) {
        dialog.setOption(QFontDialog::MonospacedFonts);
        // A face that is not installed would start the chooser outside its own list: it starts
        // on the face the system puts in its place.
        if (!QFontDatabase::isFixedPitch(start.family())) {
            start.setFamily(QFontInfo(initial).family());
        }
    }
    dialog.setCurrentFont(start);
    // The Qt chooser cannot limit its sizes, so a size out of range sends the user back to it.
    while (dialog.exec() == QDialog::Accepted) {
        const QFont chosen = dialog.selectedFont();
        const int size = chosen.pointSize();
        if (size >= minPointSize && size <= maxPointSize) {
            return chosen;
        }
        message(QStringLiteral("Size must be between %1 and %2 points.")
                    .arg(minPointSize)
                    .arg(maxPointSize),
                QStringLiteral("Font"), MessageIcon::Exclamation, PromptButtons::Ok);
        dialog.setCurrentFont(chosen);
    }
    return std::nullopt;
}

void QtPrompts::beginWait() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++waitDepth_;
}

void QtPrompts::endWait() {
    if (waitDepth_ > 0) {
        --waitDepth_;
        QApplication::restoreOverrideCursor();
    }
}

QString QtPrompts::qtFilter(const QString& windowsFilter) {
    const QStringList parts = windowsFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString windowsPatterns = parts[i + 1].trimmed();
        QStringList patterns;
        for (const QString& p : windowsPatterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString pattern = p.trimmed();
            if (!pattern.isEmpty()) {
                // "*.*" matches every name on Windows, "*" does so in Qt.
                patterns << (pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
            }
        }
        if (patterns.isEmpty()) {
            continue;
        }
        QString description = parts[i].trimmed();
        const QString windowsSuffix = QLatin1Char('(') + windowsPatterns + QLatin1Char(')');
        // "Text Files (*.TXT)" over "*.txt" names its patterns already, in other letters.
        if (description.endsWith(windowsSuffix, Qt::CaseInsensitive)) {
            description.chop(windowsSuffix.size());
            description = description.trimmed();
        }
        const QString qtSuffix =
            QLatin1Char('(') + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
        filters << (description.isEmpty() ? qtSuffix : description + QLatin1Char(' ') + qtSuffix);
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace varnel
