#pragma once
// "Totals": the per-category and grand totals, one preformatted line each, in a fixed-pitch
// font so that the columns line up; beside them a chart of where the checked weight is.

#include "output/WeightChart.h"

#include <QDialog>
#include <QFont>
#include <QStringList>

class QListWidget;
class QPushButton;
class QScrollArea;

namespace varnel {

class TTotalsDlg : public QDialog {
    Q_OBJECT

public:
    // The object name of the list; OK has the usual one.
    static constexpr const char* kLinesId = "101";

    explicit TTotalsDlg(const QStringList& lines, QWidget* parent = nullptr);
    TTotalsDlg(const QStringList& lines, WeightChart chart, QWidget* parent = nullptr);

    // `family` at 8 points when it is installed and gives every character of a totals line the
    // same width, otherwise the system's fixed font at the same size.
    static QFont listFont(const QString& family = QStringLiteral("Courier New"));
    // Whether the characters of a totals line all take the same width in `font`.
    static bool hasEvenColumns(const QFont& font);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QListWidget* list_ = nullptr;
    QScrollArea* chartArea_ = nullptr;
    QPushButton* ok_ = nullptr;
};

} // namespace varnel
