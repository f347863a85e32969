#pragma once
// A swatch of one list colour; pressing it opens the colour chooser at once (not on release).

#include <QPushButton>

#include <cstdint>

namespace varnel {

class Prompts;

class TColorButton : public QPushButton {
    Q_OBJECT

public:
    explicit TColorButton(Prompts& prompts, QWidget* parent = nullptr);

    // 0x00BBGGRR.
    void setColor(std::uint32_t color);
    [[nodiscard]] std::uint32_t color() const { return color_; }
    // True once the user has chosen a colour with this swatch.
    [[nodiscard]] bool hasBrush() const { return hasBrush_; }

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void choose();

    Prompts& prompts_;
    std::uint32_t color_ = 0;
    bool hasBrush_ = false;
    // The swatch just answered a press: it is outlined in white until it is drawn anew.
    bool answeredPress_ = false;
};

} // namespace varnel
