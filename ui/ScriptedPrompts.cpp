#include "ui/ScriptedPrompts.h"

#include <QtGlobal>

namespace varnel {

namespace {

bool offers(PromptButtons buttons, PromptAnswer answer) {
    switch (buttons) {
    case PromptButtons::Ok:
        return answer == PromptAnswer::Ok;
    case PromptButtons::OkCancel:
        return answer == PromptAnswer::Ok || answer == PromptAnswer::Cancel;
    case PromptButtons::YesNo:
        return answer == PromptAnswer::Yes || answer == PromptAnswer::No;
    case PromptButtons::YesNoCancel:
        return answer != PromptAnswer::Ok;
    }
    return false;
}

PromptAnswer refusal(PromptButtons buttons) {
    switch (buttons) {
    case PromptButtons::Ok:
        return PromptAnswer::Ok;
    case PromptButtons::YesNo:
        return PromptAnswer::No;
    case PromptButtons::OkCancel:
    case PromptButtons::YesNoCancel:
        break;
    }
    return PromptAnswer::Cancel;
}

} // namespace

ScriptedPrompts::ScriptedPrompts(FailureHandler onFailure) : onFailure_(std::move(onFailure)) {}

ScriptedPrompts::~ScriptedPrompts() {
    if (!answers_.empty()) {
        fail(QStringLiteral("%1 scripted answer(s) never asked for").arg(answers_.size()));
    }
    if (waitDepth_ != 0) {
        fail(QStringLiteral("wait cursor still shown at the end (depth %1)").arg(waitDepth_));
    }
}

void ScriptedPrompts::fail(const QString& what) {
    failures_ << what;
    if (onFailure_) {
        onFailure_(what);
    } else {
        qCritical("ScriptedPrompts: %s", qUtf8Printable(what));
    }
}

ScriptedPrompts& ScriptedPrompts::queue(Answer answer) {
    answers_.push_back(std::move(answer));
    return *this;
}

ScriptedPrompts& ScriptedPrompts::answer(PromptAnswer answer) {
    return queue(Answer{PromptKind::Message, answer, {}, {}, {}});
}

ScriptedPrompts& ScriptedPrompts::answerText(std::optional<QString> text) {
    return queue(Answer{PromptKind::TextInput, {}, std::move(text), {}, {}});
}

ScriptedPrompts& ScriptedPrompts::answerOpenFile(std::optional<QString> name) {
    return queue(Answer{PromptKind::OpenFile, {}, std::move(name), {}, {}});
}

ScriptedPrompts& ScriptedPrompts::answerSaveFile(std::optional<QString> name) {
    return queue(Answer{PromptKind::SaveFile, {}, std::move(name), {}, {}});
}

ScriptedPrompts& ScriptedPrompts::answerColor(std::optional<QColor> color) {
    return queue(Answer{PromptKind::Color, {}, {}, color, {}});
}

ScriptedPrompts& ScriptedPrompts::answerFont(std::optional<QFont> font) {
    return queue(Answer{PromptKind::Font, {}, {}, {}, std::move(font)});
}

std::optional<ScriptedPrompts::Answer> ScriptedPrompts::take(const ShownPrompt& prompt) {
    shown_.push_back(prompt);
    if (answers_.empty() || answers_.front().kind != prompt.kind) {
        fail(QStringLiteral("unexpected %1").arg(prompt.describe()));
        return std::nullopt;
    }
    Answer a = std::move(answers_.front());
    answers_.pop_front();
    return a;
}

std::optional<QString> ScriptedPrompts::takeText(const ShownPrompt& prompt) {
    auto a = take(prompt);
    return a ? a->text : std::nullopt;
}

PromptAnswer ScriptedPrompts::message(const QString& text, const QString& caption, MessageIcon icon,
                                      PromptButtons buttons) {
    const ShownPrompt prompt = ShownPrompt::message(text, caption, icon, buttons);
    if (acknowledgeOk_ && buttons == PromptButtons::Ok &&
        (answers_.empty() || answers_.front().kind != PromptKind::Message)) {
        shown_.push_back(prompt);
        return PromptAnswer::Ok;
    }
    const auto a = take(prompt);
    if (!a) {
        return refusal(buttons);
    }
    if (!offers(buttons, a->button)) {
        fail(QStringLiteral("scripted answer not among the buttons of %1").arg(prompt.describe()));
        return refusal(buttons);
    }
    return a->button;
}

std::optional<QString> ScriptedPrompts::textInput(const QString& caption, const QString& prompt,
                                                  const QString& initial, int maxLength) {
    const ShownPrompt shown = ShownPrompt::textInput(caption, prompt, initial, maxLength);
    auto text = takeText(shown);
    if (text && maxLength > 0 && text->size() > maxLength) {
        fail(QStringLiteral("scripted text longer than the %1 characters %2 takes")
                 .arg(maxLength)
                 .arg(shown.describe()));
        text->truncate(maxLength);
    }
    return text;
}

std::optional<QString> ScriptedPrompts::openFileName(const QString& title, const QString& filter) {
    return takeText(ShownPrompt::fileName(PromptKind::OpenFile, title, filter));
}

std::optional<QString> ScriptedPrompts::saveFileName(const QString& title, const QString& filter,
                                                     const QString& initialName,
                                                     const QString& defaultExtension) {
    return takeText(ShownPrompt::saveFile(title, filter, initialName, defaultExtension));
}

std::optional<QColor> ScriptedPrompts::chooseColor(const QColor& initial,
                                                   const CustomColors& customColors) {
    ShownPrompt p;
    p.kind = PromptKind::Color;
    p.color = initial;
    p.customColors = customColors;
    const auto a = take(p);
    return a ? a->color : std::nullopt;
}

std::optional<QFont> ScriptedPrompts::chooseFont(const QFont& initial, bool fixedPitchOnly,
                                                 int minPointSize, int maxPointSize) {
    ShownPrompt p;
    p.kind = PromptKind::Font;
    p.font = initial;
    p.fixedPitchOnly = fixedPitchOnly;
    p.minPointSize = minPointSize;
    p.maxPointSize = maxPointSize;
    const auto a = take(p);
    if (a && a->font &&
        (a->font->pointSize() < minPointSize || a->font->pointSize() > maxPointSize)) {
        fail(QStringLiteral("scripted font size %1 outside %2")
                 .arg(a->font->pointSize())
                 .arg(p.describe()));
        return std::nullopt;
    }
    return a ? a->font : std::nullopt;
}

void ScriptedPrompts::beginWait() {
    ++waitDepth_;
    ++waitCount_;
}

void ScriptedPrompts::endWait() {
    if (waitDepth_ == 0) {
        fail(QStringLiteral("wait cursor ended without being shown"));
        return;
    }
    --waitDepth_;
}

} // namespace varnel
