#include "ui/Prompts.h"

#include "ui/Cp1252.h"

#include <QStringDecoder>

namespace varnel {

PromptAnswer Prompts::showMessage(const UserMessage& m) {
    return message(messageText(m.text), messageText(m.caption), m.icon, PromptButtons::Ok);
}

bool Prompts::refused(const std::optional<UserMessage>& refusal) {
    if (refusal) {
        showMessage(*refusal);
    }
    return refusal.has_value();
}

PromptAnswer Prompts::ask(const UserQuestion& q) {
    return message(QString::fromStdString(q.message.text),
                   QString::fromStdString(q.message.caption), q.message.icon, q.buttons);
}

QString Prompts::messageText(std::string_view text) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8.decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    if (!utf8.hasError()) {
        return decoded;
    }
    return Cp1252::toUnicode(text);
}

} // namespace varnel
