#include "app/HandheldCommands.h"

#include "output/HandheldFile.h"
#include "output/HandheldSaveCheck.h"
#include "output/HotSyncFolder.h"

#include <memory>
#include <optional>
#include <string>

namespace varnel {

namespace {

QString toQString(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::filesystem::path resolved(const HandheldCommandContext& context,
                               const std::filesystem::path& path) {
    return path.is_relative() ? context.currentFolder / path : path;
}

} // namespace

std::filesystem::path FindHotSyncFile(HandheldCommandContext& context, bool* asked) {
    const std::unique_ptr<RegistryKey> key =
        context.registry ? context.registry->open(kHotSyncRegistryKey) : nullptr;
    const HotSyncLookup lookup = lookUpHotSyncFile(key.get());
    switch (lookup.result) {
    case HotSyncLookup::Result::Found:
        return resolved(context, lookup.file);
    case HotSyncLookup::Result::NoPath:
        context.prompts.showMessage(*lookup.message);
        return {};
    case HotSyncLookup::Result::AskFolder:
        break;
    }
    if (asked) {
        *asked = true;
    }
    return AskHotSyncFolder(context);
}

std::filesystem::path AskHotSyncFolder(HandheldCommandContext& context) {
    // No length limit: a folder's name is never cut.
    const std::optional<QString> typed = context.prompts.textInput(
        toQString(kHotSyncPromptCaption), toQString(kHotSyncPrompt), QString(), 0);
    if (!typed) {
        return {};
    }
    const std::string folder = typed->toStdString();
    const HotSyncFolderCheck check =
        checkHotSyncFolder(folder.empty() ? std::filesystem::path() : resolved(context, folder));
    if (!check.usable()) {
        context.prompts.showMessage(*check.message);
        return {};
    }
    if (context.registry) {
        // Not being able to register it only means the next save asks again.
        (void)context.registry->writeString(kHotSyncRegistryKey, kHotSyncPathValue, folder);
    }
    return check.file;
}

bool writeHandheldFileTo(HandheldCommandContext& context, const std::filesystem::path& path) {
    const FileOutcome outcome = WriteHandheldFile(context.document, path);
    if (const auto message = outcome.message()) {
        context.prompts.showMessage(*message);
        return false;
    }
    return true;
}

bool handheldSaveConfirmed(HandheldCommandContext& context) {
    if (const auto refusal = handheldSaveRefusal(context.document)) {
        context.prompts.showMessage(*refusal);
        return false;
    }
    if (context.document.userColumnCount > 0) {
        const UserMessage question = handheldCustomColumnsQuestion();
        return context.prompts.message(toQString(question.text), toQString(question.caption),
                                       question.icon, PromptButtons::YesNo) == PromptAnswer::Yes;
    }
    return true;
}

} // namespace varnel
