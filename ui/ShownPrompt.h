#pragma once
// One prompt as the scripted prompts recorded it, compared field by field in tests.

#include "ui/Prompts.h"

#include <QString>

namespace varnel {

enum class PromptKind { Message, TextInput, OpenFile, SaveFile, Color, Font };

struct ShownPrompt {
    PromptKind kind = PromptKind::Message;
    QString text;    // message text, input prompt, or file filter (Windows form)
    QString caption; // box caption or dialog title
    MessageIcon icon = MessageIcon::None;
    PromptButtons buttons = PromptButtons::Ok;
    QString initial;          // text input; the name a save chooser opens on
    QString defaultExtension; // save chooser
    int maxLength = 0;
    QColor color; // colour chooser
    Prompts::CustomColors customColors{};
    QFont font; // font chooser
    bool fixedPitchOnly = false;
    int minPointSize = 0;
    int maxPointSize = 0;

    static ShownPrompt message(const QString& text, const QString& caption, MessageIcon icon,
                               PromptButtons buttons = PromptButtons::Ok) {
        ShownPrompt p;
        p.text = text;
        p.caption = caption;
        p.icon = icon;
        p.buttons = buttons;
        return p;
    }

    static ShownPrompt textInput(const QString& caption, const QString& prompt,
                                 const QString& initial, int maxLength) {
        ShownPrompt p;
        p.kind = PromptKind::TextInput;
        p.caption = caption;
        p.text = prompt;
        p.initial = initial;
        p.maxLength = maxLength;
        return p;
    }

    static ShownPrompt fileName(PromptKind kind, const QString& title, const QString& filter) {
        ShownPrompt p;
        p.kind = kind;
        p.caption = title;
        p.text = filter;
        return p;
    }

    static ShownPrompt saveFile(const QString& title, const QString& filter,
                                const QString& initialName, const QString& defaultExtension) {
        ShownPrompt p = fileName(PromptKind::SaveFile, title, filter);
        p.initial = initialName;
        p.defaultExtension = defaultExtension;
        return p;
    }

    // One line for failure reports and test output.
    [[nodiscard]] QString describe() const;

    bool operator==(const ShownPrompt&) const = default;
};

} // namespace varnel
