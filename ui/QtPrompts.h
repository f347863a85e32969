#pragma once
// The prompts as Qt dialogs, owned by the given window (or the active window when none).

#include "ui/Prompts.h"

#include <QPointer>
#include <QWidget>

namespace varnel {

class QtPrompts final : public Prompts {
public:
    explicit QtPrompts(QWidget* owner = nullptr);
    ~QtPrompts() override;

    void setOwner(QWidget* owner) { owner_ = owner; }

    PromptAnswer message(const QString& text, const QString& caption, MessageIcon icon,
                         PromptButtons buttons) override;
    std::optional<QString> textInput(const QString& caption, const QString& prompt,
                                     const QString& initial, int maxLength) override;
    std::optional<QString> openFileName(const QString& title, const QString& filter) override;
    std::optional<QString> saveFileName(const QString& title, const QString& filter,
                                        const QString& initialName = {},
                                        const QString& defaultExtension = {}) override;
    std::optional<QColor> chooseColor(const QColor& initial,
                                      const CustomColors& customColors) override;
    std::optional<QFont> chooseFont(const QFont& initial, bool fixedPitchOnly, int minPointSize,
                                    int maxPointSize) override;
    void beginWait() override;
    void endWait() override;

    // "Text Files (*.txt)|*.txt|" -> "Text Files (*.txt)": Qt reads the patterns from the
    // parentheses at the end of each description, so they are put there.
    static QString qtFilter(const QString& windowsFilter);
    // "Gear Weight Files (*.dat)" -> "dat": what a save dialog adds to a bare name.
    static QString defaultSuffix(const QString& nameFilter);

private:
    [[nodiscard]] QWidget* owner() const;
    std::optional<QString> chooseFileName(const QString& title, const QString& filter, bool save,
                                          const QString& initialName = {},
                                          const QString& defaultExtension = {});

    QPointer<QWidget> owner_;
    int waitDepth_ = 0;
};

} // namespace varnel
