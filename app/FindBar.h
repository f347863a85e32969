#pragma once
// The find bar under the list: a text box, a note on how the search went, a close button.

#include <QWidget>

class QLabel;
class QLineEdit;

namespace varnel {

class FindBar : public QWidget {
    Q_OBJECT

public:
    explicit FindBar(QWidget* parent = nullptr);

    // Shows the bar with the text box focused and its text selected.
    void open();
    [[nodiscard]] QString text() const;
    void setNote(const QString& note);
    [[nodiscard]] QString note() const;
    [[nodiscard]] QLineEdit* edit() const { return edit_; }

signals:
    // `fromCurrent`: the typed text changed, so the current row may match itself.
    void findRequested(bool forward, bool fromCurrent);
    void closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLineEdit* edit_ = nullptr;
    QLabel* note_ = nullptr;
};

} // namespace varnel
