#pragma once
// Prompts for tests: answers come from a queue, every prompt is recorded. A prompt that finds no
// answer of its kind at the front of the queue is refused (Cancel, No or nothing chosen) and
// reported to the failure handler, so a test can never hang on a dialog or pass over a surprise.

#include "ui/Prompts.h"
#include "ui/ShownPrompt.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

namespace varnel {

class ScriptedPrompts final : public Prompts {
public:
    using FailureHandler = std::function<void(const QString&)>;

    // Tests pass a handler that fails the test; without one, failures go to qCritical.
    explicit ScriptedPrompts(FailureHandler onFailure = {});
    // Answers never asked for and an unbalanced wait cursor are failures too.
    ~ScriptedPrompts() override;

    // The next answers, used in order.
    ScriptedPrompts& answer(PromptAnswer answer);
    ScriptedPrompts& answerText(std::optional<QString> text);
    ScriptedPrompts& answerOpenFile(std::optional<QString> name);
    ScriptedPrompts& answerSaveFile(std::optional<QString> name);
    ScriptedPrompts& answerColor(std::optional<QColor> color);
    ScriptedPrompts& answerFont(std::optional<QFont> font);

    // Boxes with only an OK button are then answered without a script (still recorded).
    void setAcknowledgeOkMessages(bool on) { acknowledgeOk_ = on; }

    [[nodiscard]] const std::vector<ShownPrompt>& shown() const { return shown_; }
    [[nodiscard]] const QStringList& failures() const { return failures_; }
    [[nodiscard]] int pendingAnswers() const { return static_cast<int>(answers_.size()); }
    void clearShown() { shown_.clear(); }
    void clearAnswers() { answers_.clear(); }

    [[nodiscard]] int waitDepth() const { return waitDepth_; }
    [[nodiscard]] int waitCount() const { return waitCount_; }

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

private:
    struct Answer {
        PromptKind kind = PromptKind::Message;
        PromptAnswer button = PromptAnswer::Cancel;
        std::optional<QString> text;
        std::optional<QColor> color;
        std::optional<QFont> font;
    };

    ScriptedPrompts& queue(Answer answer);
    // The front answer when it is for this kind of prompt, else a failure.
    std::optional<Answer> take(const ShownPrompt& prompt);
    std::optional<QString> takeText(const ShownPrompt& prompt);
    void fail(const QString& what);

    FailureHandler onFailure_;
    std::deque<Answer> answers_;
    std::vector<ShownPrompt> shown_;
    QStringList failures_;
    bool acknowledgeOk_ = false;
    int waitDepth_ = 0;
    int waitCount_ = 0;
};

} // namespace varnel
