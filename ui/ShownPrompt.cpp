#include "ui/ShownPrompt.h"

namespace varnel {

namespace {

const char* kindName(PromptKind kind) {
    switch (kind) {
    case PromptKind::Message:
        return "message";
    case PromptKind::TextInput:
        return "text input";
    case PromptKind::OpenFile:
        return "open file";
    case PromptKind::SaveFile:
        return "save file";
    case PromptKind::Color:
        return "colour";
    case PromptKind::Font:
        return "font";
    }
    return "?";
}

const char* iconName(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return "information";
    case MessageIcon::Exclamation:
        return "exclamation";
    case MessageIcon::Stop:
        return "stop";
    case MessageIcon::Question:
        return "question";
    case MessageIcon::None:
        break;
    }
    return "no icon";
}

const char* buttonsName(PromptButtons buttons) {
    switch (buttons) {
    case PromptButtons::Ok:
        return "OK";
    case PromptButtons::OkCancel:
        return "OK/Cancel";
    case PromptButtons::YesNo:
        return "Yes/No";
    case PromptButtons::YesNoCancel:
        return "Yes/No/Cancel";
    }
    return "?";
}

} // namespace

QString ShownPrompt::describe() const {
    QString out =
        QStringLiteral("%1 \"%2\": \"%3\"").arg(QLatin1String(kindName(kind)), caption, text);
    switch (kind) {
    case PromptKind::Message:
        out += QStringLiteral(" [%1, %2]")
                   .arg(QLatin1String(iconName(icon)), QLatin1String(buttonsName(buttons)));
        break;
    case PromptKind::TextInput:
        out += QStringLiteral(" [initial \"%1\", max %2]").arg(initial).arg(maxLength);
        break;
    case PromptKind::Color:
        out += QStringLiteral(" [%1]").arg(color.name());
        break;
    case PromptKind::Font:
        out += QStringLiteral(" [%1, %2..%3%4]")
                   .arg(font.toString())
                   .arg(minPointSize)
                   .arg(maxPointSize)
                   .arg(fixedPitchOnly ? QStringLiteral(", fixed pitch") : QString());
        break;
    case PromptKind::SaveFile:
        if (!initial.isEmpty() || !defaultExtension.isEmpty()) {
            out += QStringLiteral(" [initial \"%1\", extension \"%2\"]")
                       .arg(initial, defaultExtension);
        }
        break;
    case PromptKind::OpenFile:
        break;
    }
    return out;
}

} // namespace varnel
