#include "model/RecoveryFile.h"

#include "model/GearDataReader.h"
#include "model/GearDataWriter.h"
#include "model/IniFile.h"

#include <charconv>
#include <chrono>
#include <ctime>
#include <span>

namespace varnel {

namespace {

constexpr std::string_view kHeader = "Varnel recovery copy 1\n";
constexpr std::string_view kEnd = "end\n";

void putField(std::string& out, std::string_view name, std::string_view value) {
    out += name;
    out += ' ';
    out += std::to_string(value.size());
    out += '\n';
    out += value;
    out += '\n';
}

// Reads "NAME LENGTH\n" then LENGTH bytes and "\n"; a length beyond what remains is refused.
std::optional<std::string_view> takeField(std::string_view& in, std::string_view name) {
    if (in.substr(0, name.size()) != name || in.size() <= name.size() || in[name.size()] != ' ') {
        return std::nullopt;
    }
    in.remove_prefix(name.size() + 1);
    std::size_t length = 0;
    const auto [end, ec] = std::from_chars(in.data(), in.data() + in.size(), length);
    if (ec != std::errc{} || end == in.data() || end == in.data() + in.size() || *end != '\n') {
        return std::nullopt;
    }
    in.remove_prefix(static_cast<std::size_t>(end - in.data()) + 1);
    if (length >= in.size() || in[length] != '\n') {
        return std::nullopt;
    }
    const std::string_view value = in.substr(0, length);
    in.remove_prefix(length + 1);
    return value;
}

} // namespace

RecoveryFile RecoveryFile::of(const std::filesystem::path& documentPath,
                              const GearDocument& document, const DocumentSettings& settings) {
    RecoveryFile copy = begin(documentPath, document, settings);
    appendGearDataRows(document, 0, document.rowCount(), copy.documentBytes);
    return copy;
}

RecoveryFile RecoveryFile::begin(const std::filesystem::path& documentPath,
                                 const GearDocument& document, const DocumentSettings& settings) {
    RecoveryFile copy;
    copy.document = documentPath;
    copy.savedNs = std::chrono::duration_cast<std::chrono::nanoseconds>(
                       std::chrono::system_clock::now().time_since_epoch())
                       .count();
    appendGearDataHead(document, copy.documentBytes);
    // Only our keys: whatever else the settings file holds stays in it and is kept by the save.
    IniFile ini;
    writeDocumentSettings(ini, settings);
    copy.settingsBytes = ini.serialize();
    return copy;
}

std::string RecoveryFile::serialize() const {
    std::string out(kHeader);
    out.reserve(documentBytes.size() + settingsBytes.size() + 256);
    putField(out, "path", document.string());
    putField(out, "time", std::to_string(savedNs));
    putField(out, "data", documentBytes);
    putField(out, "settings", settingsBytes);
    out += kEnd;
    return out;
}

std::optional<RecoveryFile> RecoveryFile::parse(std::string_view in, std::string& why) {
    if (in.substr(0, kHeader.size()) != kHeader) {
        why = "Not a Varnel recovery copy";
        return std::nullopt;
    }
    in.remove_prefix(kHeader.size());
    const auto path = takeField(in, "path");
    const auto time = path ? takeField(in, "time") : std::nullopt;
    const auto data = time ? takeField(in, "data") : std::nullopt;
    const auto settings = data ? takeField(in, "settings") : std::nullopt;
    RecoveryFile copy;
    if (time) {
        const auto [end, ec] =
            std::from_chars(time->data(), time->data() + time->size(), copy.savedNs);
        if (ec != std::errc{} || end != time->data() + time->size()) {
            copy.savedNs = -1;
        }
    }
    // The end mark is written last: without it the copy was cut short.
    if (!settings || in != kEnd || path->empty() || copy.savedNs < 0) {
        why = "The recovery copy is cut short or damaged";
        return std::nullopt;
    }
    copy.document = std::filesystem::path(std::string(*path));
    copy.documentBytes = std::string(*data);
    copy.settingsBytes = std::string(*settings);
    return copy;
}

FileOutcome RecoveryFile::restoreInto(GearDocument& into, DocumentSettings& settings) const {
    IniFile ini;
    ini.parse(settingsBytes);
    readDocumentSettings(ini, settings);
    into.metric = settings.metric;
    into.userColumnCount = settings.userColumns;
    const auto* bytes = reinterpret_cast<const unsigned char*>(documentBytes.data());
    FileOutcome outcome = parseGearData(std::span(bytes, documentBytes.size()), into);
    outcome.file = document;
    return outcome;
}

std::string localTimeText(std::int64_t ns) {
    const auto seconds = static_cast<std::time_t>(ns / 1'000'000'000);
    std::tm local{};
    if (::localtime_r(&seconds, &local) == nullptr) {
        return std::to_string(seconds);
    }
    char text[32];
    const std::size_t n = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return std::string(text, n);
}

} // namespace varnel
