#pragma once
// The one-time choice of the display unit. It has no way out but OK: the document must not
// go on without a unit.

#include <QDialog>

class QRadioButton;

namespace varnel {

class TWeightDisplayDialg : public QDialog {
    Q_OBJECT

public:
    // The object names of the controls.
    static constexpr const char* kChoiceId = "101";
    static constexpr const char* kMetricId = "102";
    static constexpr const char* kNonMetricId = "103";

    explicit TWeightDisplayDialg(QWidget* parent = nullptr);

    // Grams and kilograms exactly when "Non-Metric" is not checked.
    [[nodiscard]] bool metricChosen() const;

    // Runs the dialog modally and gives its answer.
    static bool askMetric(QWidget* parent);

public slots:
    // Escape and the window manager's close both end here; the choice must be made with OK.
    void reject() override;

private:
    QRadioButton* nonMetric_ = nullptr;
};

} // namespace varnel
