#include "app/SummaryCommands.h"

#include "app/ColumnCommands.h"
#include "app/GearListModel.h"
#include "app/TTotalsDlg.h"
#include "app/TTotalsDlgXfer.h"
#include "model/DocumentSettings.h"
#include "model/WeightText.h"
#include "output/CategoryTotals.h"
#include "output/GearSummary.h"
#include "output/WeightChart.h"
#include "ui/Cp1252.h"
#include "ui/Prompts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTreeView>

#include <utility>

namespace varnel {

namespace {

const QString kGoalCaption = QStringLiteral("Base Weight Goal");

QString markCaption(GearMark mark) {
    return mark == GearMark::Worn ? QStringLiteral("Mark Worn") : QStringLiteral("Mark Consumable");
}

} // namespace

SummaryLine::SummaryLine(QWidget* parent) : QWidget(parent) {
    figures_ = new QLabel(this);
    figures_->setObjectName(QStringLiteral("summary"));
    goal_ = new QLabel(this);
    goal_->setObjectName(QStringLiteral("goal"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(figures_);
    layout->addSpacing(18);
    layout->addWidget(goal_);
    layout->addStretch(1);
    setVisible(false);
}

void SummaryLine::update(const GearListModel& model, const std::string& goal) {
    const MarkColumns& marks = model.markColumns();
    const std::optional<double> target = goalValue(goal);
    const bool metric = model.document().metric;
    setVisible(marks.any() || target.has_value());
    if (!marks.any() && !target) {
        figures_->clear();
        goal_->clear();
        over_ = false;
        return;
    }
    const GearSummary summary = gearSummary(categoryTotals(model.document(), marks));
    figures_->setText(QString::fromLatin1(summaryText(summary, metric)));
    over_ = false;
    goal_->setText(target ? QString::fromLatin1(varnel::goalText(summary, *target, metric, over_))
                          : QString());
    QPalette palette = this->palette();
    if (over_) {
        palette.setColor(QPalette::WindowText, QColor(0xC0, 0x10, 0x10));
    }
    goal_->setPalette(palette);
}

QString SummaryLine::text() const {
    return figures_->text();
}

QString SummaryLine::goalText() const {
    return goal_->text();
}

bool toggleMark(GearListModel& model, QTreeView& list, Prompts& prompts, int row, GearMark mark) {
    GearDocument& document = model.document();
    if (row < 0 || row >= document.rowCount()) {
        return false;
    }
    if (document.row(row).isGroupRow()) {
        prompts.message(QStringLiteral("A group is marked through its items: expand it and mark "
                                       "them one by one."),
                        markCaption(mark), MessageIcon::Information, PromptButtons::Ok);
        return false;
    }
    const QString heading = Cp1252::toUnicode(markHeading(mark));
    if (model.markColumns().column(mark) == 0) {
        if (document.handheldDocument || document.userColumnCount >= kMaxUserColumns) {
            prompts.message(QStringLiteral("Marks are kept in a user column headed \"%1\", and "
                                           "this list cannot take another user column%2.")
                                .arg(heading, document.handheldDocument
                                                  ? QStringLiteral(" while it is a handheld list")
                                                  : QString()),
                            markCaption(mark), MessageIcon::Exclamation, PromptButtons::Ok);
            return false;
        }
        if (prompts.message(QStringLiteral("This list has no \"%1\" column. Add a user column "
                                           "headed \"%1\" to keep the marks in?")
                                .arg(heading),
                            markCaption(mark), MessageIcon::Question,
                            PromptButtons::YesNo) != PromptAnswer::Yes) {
            return false;
        }
        appendUserColumn(model, list, heading, Qt::AlignHCenter);
    }
    const int column = model.markColumns().column(mark);
    return setRowMark(document, row, column, mark, !hasMark(*document.row(row).record, column));
}

DocumentEdit toggleMarkEdit(GearListModel& model, QTreeView& list, Prompts& prompts, int row,
                            GearMark mark, std::function<void()> collectColumns) {
    return DocumentEdit(
        "Mark",
        [&model, &list, &prompts, row, mark,
         collect = std::move(collectColumns)](GearDocument&, DocumentSettings&) {
            const bool marked = toggleMark(model, list, prompts, row, mark);
            collect();
            return marked ? 1 : 0;
        },
        true);
}

bool askBaseGoal(DocumentSettings& settings, bool metric, Prompts& prompts) {
    const std::optional<QString> typed =
        prompts.textInput(kGoalCaption,
                          QStringLiteral("Base weight goal in %1 (empty for none):")
                              .arg(metric ? QStringLiteral("grams") : QStringLiteral("ounces")),
                          QString::fromLatin1(settings.baseGoal), 10);
    if (!typed) {
        return false;
    }
    const std::string text = typed->trimmed().toStdString();
    if (text.empty()) {
        const bool had = !settings.baseGoal.empty();
        settings.baseGoal.clear();
        return had;
    }
    const std::optional<double> goal = goalValue(text);
    if (!goal) {
        prompts.message(QStringLiteral("\"%1\" is not a weight. Type a number from 0 to "
                                       "999999.99, such as 160.00, or nothing to have no goal.")
                            .arg(typed->trimmed()),
                        kGoalCaption, MessageIcon::Exclamation, PromptButtons::Ok);
        return false;
    }
    const std::string stored = formatWeight(*goal);
    if (stored == settings.baseGoal) {
        return false;
    }
    settings.baseGoal = stored;
    return true;
}

void showTotals(const GearListModel& model, const std::string& baseGoal, TTotalsDlgXfer& xfer,
                const std::function<int(QDialog&)>& runDialog, QWidget* parent) {
    const GearDocument& document = model.document();
    const MarkColumns& marks = model.markColumns();
    const CategoryTotals totals = categoryTotals(document, marks);
    std::vector<std::string> lines = totalsDialogLines(totals, document.metric);
    if (const auto goal = goalValue(baseGoal); goal || marks.any()) {
        lines.emplace_back(kTotalsRule);
        for (std::string& line : summaryLines(gearSummary(totals), goal, document.metric, true)) {
            lines.push_back(std::move(line));
        }
    }
    xfer.fill(lines);
    TTotalsDlg dialog(xfer.strings, weightChart(totals, document.metric), parent);
    runDialog(dialog);
    xfer.clear();
}

QString totalsTooltip(const GearDocument& document) {
    QString text = Cp1252::toUnicode(totalsTooltipText(categoryTotals(document), document.metric));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

} // namespace varnel
