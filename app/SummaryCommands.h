#pragma once
// Base weight and the marks it comes from: the window's summary line, marking an item worn or
// consumable (adding the column it needs), and the base-weight goal.

#include "model/DocumentEdit.h"
#include "model/GearMarks.h"

#include <QWidget>

#include <functional>
#include <string>

class QDialog;
class QLabel;
class QTreeView;

namespace varnel {

class GearListModel;
class Prompts;
struct DocumentSettings;
struct TTotalsDlgXfer;
class GearDocument;

// "Base ... Skin-out ..." and the goal with how far over or under it the base weight is (over
// in a warning colour). Hidden while the document has neither mark column nor goal.
class SummaryLine : public QWidget {
    Q_OBJECT

public:
    explicit SummaryLine(QWidget* parent = nullptr);

    void update(const GearListModel& model, const std::string& goal);

    [[nodiscard]] QString text() const;
    [[nodiscard]] QString goalText() const;
    [[nodiscard]] bool overGoal() const { return over_; }

private:
    QLabel* figures_ = nullptr;
    QLabel* goal_ = nullptr;
    bool over_ = false;
};

// Marks the item at `row` with `mark` or takes the mark away. Without the mark's column, asks
// once to add it (a handheld list cannot take one: says so). False when nothing changed.
bool toggleMark(GearListModel& model, QTreeView& list, Prompts& prompts, int row, GearMark mark);
// The same as one undoable step with the column it may add; `collectColumns` brings the window's
// headings into the settings, which is what the step keeps.
DocumentEdit toggleMarkEdit(GearListModel& model, QTreeView& list, Prompts& prompts, int row,
                            GearMark mark, std::function<void()> collectColumns);

// Asks for the base-weight goal in the display unit; empty clears it. A text that is no weight
// is refused with a message and changes nothing. True when the goal changed.
bool askBaseGoal(DocumentSettings& settings, bool metric, Prompts& prompts);

// View Totals: the checked weight per category, then base weight and goal when the list keeps marks
// or a goal.
void showTotals(const GearListModel& model, const std::string& baseGoal, TTotalsDlgXfer& xfer,
                const std::function<int(QDialog&)>& runDialog, QWidget* parent);

// The per-category lines shown over the totals text.
[[nodiscard]] QString totalsTooltip(const GearDocument& document);

} // namespace varnel
