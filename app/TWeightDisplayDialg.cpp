#include "app/TWeightDisplayDialg.h"

#include "ui/DialogButtons.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace varnel {

TWeightDisplayDialg::TWeightDisplayDialg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(QStringLiteral("Varnel"));

    auto* text = new QLabel(
        QStringLiteral("This dialog will appear this one time only.\n\nPlease select the way you "
                       "wish to have your gear weights displayed:\n\nMetric (gm/kg) or "
                       "Non-Metric (oz/lb).\n\nNOTE: If you have used previous versions of this "
                       "application, make the selection based on the way your weights ARE "
                       "CURRENTLY DISPLAYED."),
        this);
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    // Word-wrapped labels size themselves badly; a width of some fifty average characters
    // keeps the paragraphs readable.
    text->setMinimumWidth(QFontMetrics(text->font()).averageCharWidth() * 52);

    auto* group = new QGroupBox(QStringLiteral("Display my Gear Weights as"), this);
    group->setObjectName(QLatin1String(kChoiceId));
    auto* metricButton = new QRadioButton(QStringLiteral("Metric"), group);
    metricButton->setObjectName(QLatin1String(kMetricId));
    nonMetric_ = new QRadioButton(QStringLiteral("Non-Metric"), group);
    nonMetric_->setObjectName(QLatin1String(kNonMetricId));
    nonMetric_->setChecked(true);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(metricButton);
    groupLayout->addWidget(nonMetric_);

    auto* buttons = okButton(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    // Set off from the note, so that the group's title does not read as its last line.
    layout->addSpacing(layout->spacing() > 0 ? layout->spacing() : 6);
    layout->addWidget(group);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    nonMetric_->setFocus();
}

bool TWeightDisplayDialg::metricChosen() const {
    return !nonMetric_->isChecked();
}

bool TWeightDisplayDialg::askMetric(QWidget* parent) {
    // On the heap and watched: a parent that goes away while the dialog runs takes it along.
    QPointer<TWeightDisplayDialg> dialog = new TWeightDisplayDialg(parent);
    dialog->exec();
    if (!dialog) {
        return false;
    }
    const bool result = dialog->metricChosen();
    delete dialog;
    return result;
}

void TWeightDisplayDialg::reject() {}

} // namespace varnel
