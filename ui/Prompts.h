#pragma once
// Every message box, question, text prompt and file, colour or font chooser of the program goes
// through this interface: the GUI shows Qt dialogs, tests script the answers and check every
// prompt shown.

#include "model/UserMessage.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <array>
#include <optional>
#include <string_view>

namespace varnel {

class Prompts {
public:
    using CustomColors = std::array<QColor, 16>;

    Prompts() = default;
    Prompts(const Prompts&) = delete;
    Prompts& operator=(const Prompts&) = delete;
    virtual ~Prompts() = default;

    virtual PromptAnswer message(const QString& text, const QString& caption, MessageIcon icon,
                                 PromptButtons buttons) = 0;

    // A single-line text; `maxLength` counts characters (one byte each once stored), 0 for none.
    virtual std::optional<QString> textInput(const QString& caption, const QString& prompt,
                                             const QString& initial, int maxLength) = 0;

    // Filters are given in the Windows form, "Description|*.ext|Description|*.ext|".
    virtual std::optional<QString> openFileName(const QString& title, const QString& filter) = 0;
    // Names that do not exist yet are fine; an existing file is confirmed before it is chosen.
    // The chooser opens on `initialName` when given; `defaultExtension` (no dot) is added to a
    // name typed without one, else the chosen filter's is.
    virtual std::optional<QString> saveFileName(const QString& title, const QString& filter,
                                                const QString& initialName = {},
                                                const QString& defaultExtension = {}) = 0;

    virtual std::optional<QColor> chooseColor(const QColor& initial,
                                              const CustomColors& customColors) = 0;
    virtual std::optional<QFont> chooseFont(const QFont& initial, bool fixedPitchOnly,
                                            int minPointSize, int maxPointSize) = 0;

    // Nested: the cursor comes back when the last wait ends. Use WaitCursor.
    virtual void beginWait() = 0;
    virtual void endWait() = 0;

    // A message the lower layers produced, with an OK button.
    PromptAnswer showMessage(const UserMessage& message);
    // The refusal, when there is one; true when it was shown and the command must stop.
    bool refused(const std::optional<UserMessage>& refusal);
    // A question the lower layers put; its text is UTF-8.
    PromptAnswer ask(const UserQuestion& question);

    // Texts from below the Qt edge: operating-system texts and file names are UTF-8; a text that
    // is not valid UTF-8 came from record bytes and is read as Windows-1252.
    static QString messageText(std::string_view text);
};

} // namespace varnel
