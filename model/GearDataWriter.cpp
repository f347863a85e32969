#include "model/GearDataWriter.h"

#include "model/AtomicFile.h"
#include "model/ByteOrder.h"
#include "model/RecordLayout.h"

#include <algorithm>
#include <string_view>

namespace varnel {

namespace {

constexpr std::string_view kHeader = "Varnel data file. Version 5.11\r\n";
constexpr std::string_view kLineEnd = "\r\n";

// A line of the file ends at LF, and a NUL ends the text as "%s" would; cutting there keeps
// one text from spilling into the next line.
std::string_view oneLine(std::string_view text, std::size_t maxLength) {
    text = text.substr(0, text.find_first_of(std::string_view("\n\0", 2)));
    return text.substr(0, maxLength);
}

class ByteSink {
public:
    explicit ByteSink(std::string& out) : out_(out) {}

    void bytes(const unsigned char* p, std::size_t n) {
        out_.append(reinterpret_cast<const char*>(p), n);
    }
    void int32(std::int32_t v) {
        unsigned char b[4];
        putInt32(b, v);
        bytes(b, sizeof b);
    }
    void line(std::string_view text) {
        out_ += text;
        out_ += kLineEnd;
    }
    void texts(const sPubInfo& record) {
        const auto* list = record.columnTexts.get();
        const int k = list ? list->count() : 0;
        int32(k);
        for (int i = 1; i <= k; ++i) {
            line(oneLine(*list->at(i), kMaxStoredTextLength));
        }
    }

private:
    std::string& out_;
};

std::size_t textsSize(const sPubInfo& record) {
    std::size_t n = 4;
    if (const auto* list = record.columnTexts.get()) {
        list->forEach([&](const std::string& t) { n += t.size() + kLineEnd.size(); });
    }
    return n;
}

// Enough room for the whole file, so the bytes are appended without moving.
std::size_t sizeHint(const GearDocument& document) {
    std::size_t n = kHeader.size() + kLineEnd.size();
    for (const CategoryChoice& c : document.categoryChoices) {
        n += c.name.size() + kLineEnd.size();
    }
    for (const GearRow& row : document.rows()) {
        n += kRowRecordSize + 4 + textsSize(*row.record);
        if (const auto* members = row.record->members.get()) {
            members->forEach([&](const sPubInfo& m) { n += kMemberRecordSize + textsSize(m); });
        }
    }
    return n;
}

} // namespace

std::string serializeGearData(const GearDocument& document) {
    std::string out;
    appendGearDataHead(document, out);
    appendGearDataRows(document, 0, document.rowCount(), out);
    return out;
}

void appendGearDataHead(const GearDocument& document, std::string& out) {
    // Growing a large list's bytes piece by piece would copy them over and over.
    out.reserve(out.size() + sizeHint(document));
    ByteSink sink(out);
    out += kHeader;

    for (const CategoryChoice& choice : document.categoryChoices) {
        // An empty line, or one starting with CR, would end the section early and turn the
        // remaining names into rows; such a name cannot be stored.
        const std::string_view name = oneLine(choice.name, kMaxStoredCategoryLength);
        if (!name.empty() && name.front() != '\r') {
            sink.line(name);
        }
    }
    out += kLineEnd;
}

int appendGearDataRows(const GearDocument& document, int first, int count, std::string& out) {
    ByteSink sink(out);
    first = std::clamp(first, 0, document.rowCount());
    const int end = first + std::clamp(count, 0, document.rowCount() - first);
    unsigned char record[kMemberRecordSize];
    for (int i = first; i < end; ++i) {
        const GearRow& row = document.row(i);
        if (row.isMemberRow()) {
            continue; // stored with its group
        }
        const sPubInfo& r = *row.record;
        encodePubInfo(r, record);
        record[kSelectedOffset] = row.stateImage == kUncheckedImage ? 0 : 1;
        if (row.isGroupRow()) {
            record[kExpandedOffset] = 0;
        }
        sink.bytes(record, kRowRecordSize);

        sink.int32(r.members ? r.members->count() : 0);
        if (r.members) {
            r.members->forEach([&](const sPubInfo& member) {
                encodePubInfo(member, record);
                sink.bytes(record, kMemberRecordSize);
                sink.texts(member);
            });
        }
        sink.texts(r);
    }
    return end;
}

FileOutcome writeGearDataFile(const std::filesystem::path& path, const GearDocument& document) {
    return FileOutcome::written(FileOutcome::Task::Save, path,
                                replaceFileAtomically(path, serializeGearData(document)));
}

} // namespace varnel
