#include "model/GearDataReader.h"

#include "model/ByteOrder.h"
#include "model/FixedText.h"
#include "model/RecordLayout.h"
#include "model/RegularFile.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

namespace varnel {

namespace {

// Line reads take at most this many characters, line end included; a longer line is read in
// pieces, as the format always did.
constexpr std::size_t kHeaderLineMax = 59;
constexpr std::size_t kCategoryLineMax = 59;
constexpr std::size_t kTextLineMax = 49;
constexpr std::int32_t kTextsReservedAtMost = 16;

// Bytes of a file read a window at a time, so that a second copy of the file never lives
// beside the records made from it; or bytes already in memory. Every read gets all it asks
// for or fails; a failed read consumes the rest, so everything after it fails too, as it did
// on a stream at its end. What a read returns lasts until the next read.
class ByteCursor {
public:
    explicit ByteCursor(std::span<const unsigned char> bytes)
        : data_(bytes.data()), size_(bytes.size()) {}
    explicit ByteCursor(RegularFile& file) : file_(&file), unread_(file.size()) {}

    // What is left, the part of the file not read yet counted by its size when opened.
    [[nodiscard]] std::size_t remaining() const {
        return (size_ - pos_) + static_cast<std::size_t>(unread_);
    }
    [[nodiscard]] bool atEnd() { return !available(1); }
    void endRead() {
        pos_ = size_;
        file_ = nullptr;
        unread_ = 0;
    }

    // Whether a read found some bytes but fewer than it needed.
    [[nodiscard]] bool cutShort() const { return cutShort_; }
    // The file could not be read on the way: nothing read from it counts.
    [[nodiscard]] const std::error_code& readError() const { return readError_; }

    const unsigned char* take(std::size_t n) {
        if (!available(n)) {
            cutShort_ = cutShort_ || size_ > pos_;
            endRead();
            return nullptr;
        }
        const unsigned char* p = data_ + pos_;
        pos_ += n;
        return p;
    }

    std::optional<std::int32_t> int32() {
        const unsigned char* p = take(4);
        return p ? std::optional(getInt32(p)) : std::nullopt;
    }

    // A count of things still to come: a missing, negative or impossible count (more than there
    // are bytes left) ends the read.
    std::optional<std::int32_t> count() {
        const auto n = int32();
        if (!n || *n < 0 || static_cast<std::size_t>(*n) > remaining()) {
            endRead();
            return std::nullopt;
        }
        return n;
    }

    // Up to and including the next LF, at most `maxChars` characters; none at the end.
    std::optional<std::string_view> line(std::size_t maxChars) {
        available(maxChars);
        if (pos_ == size_) {
            return std::nullopt;
        }
        const std::size_t limit = std::min(maxChars, size_ - pos_);
        const auto* start = data_ + pos_;
        const auto* lf = static_cast<const unsigned char*>(std::memchr(start, '\n', limit));
        const std::size_t n = lf ? static_cast<std::size_t>(lf - start) + 1 : limit;
        pos_ += n;
        return std::string_view(reinterpret_cast<const char*>(start), n);
    }

private:
    static constexpr std::size_t kWindow = std::size_t{256} << 10;

    // Whether `n` bytes lie in the window, reading on when they do not yet.
    bool available(std::size_t n) { return size_ - pos_ >= n || (file_ != nullptr && refill(n)); }

    bool refill(std::size_t n) {
        const std::size_t have = size_ - pos_;
        const std::size_t want = std::max(n, kWindow);
        if (capacity_ < want) {
            auto bigger = std::make_unique_for_overwrite<unsigned char[]>(want);
            if (have > 0) {
                std::memcpy(bigger.get(), data_ + pos_, have);
            }
            buffer_ = std::move(bigger);
            capacity_ = want;
        } else if (have > 0) {
            std::memmove(buffer_.get(), data_ + pos_, have);
        }
        data_ = buffer_.get();
        pos_ = 0;
        size_ = have;
        // To the end of the file, not to its size when opened: it may have grown since.
        while (size_ < want) {
            const std::size_t got = file_->read(buffer_.get() + size_, want - size_, readError_);
            if (readError_ || got == 0) {
                file_ = nullptr;
                unread_ = 0;
                break;
            }
            size_ += got;
            unread_ -= std::min<std::uintmax_t>(unread_, got);
        }
        return size_ >= n;
    }

    const unsigned char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t pos_ = 0;
    RegularFile* file_ = nullptr;
    std::uintmax_t unread_ = 0;
    std::unique_ptr<unsigned char[]> buffer_;
    std::size_t capacity_ = 0;
    std::error_code readError_;
    bool cutShort_ = false;
};

// The text of a line: its last two characters (the CR LF) dropped, and no further than a NUL.
std::string_view lineText(std::string_view line) {
    line.remove_suffix(std::min<std::size_t>(2, line.size()));
    return line.substr(0, line.find('\0'));
}

// What the header line says about the rest of the file; nothing carries over between reads.
struct Features {
    bool groups = false;
    bool rowTexts = false;
    bool memberTexts = false;
    bool handheld = false;

    explicit Features(std::string_view header) {
        const auto has = [&](std::string_view marker) {
            return header.find(marker) != std::string_view::npos;
        };
        memberTexts = has("5.7") || has("5.8") || has("5.9") || has("5.11");
        rowTexts = memberTexts || has("Version 5");
        groups = rowTexts || has("Version 4");
        handheld = has("6.0");
    }
};

class GearDataParser {
public:
    template <typename Source>
    GearDataParser(Source& bytes, std::int32_t nextCategoryId) : in_(bytes) {
        out_.nextCategoryId = nextCategoryId;
    }

    GearDataContent run() && {
        const auto header = in_.line(kHeaderLineMax);
        if (!header || header->find("Varnel") == std::string_view::npos) {
            out_.outcome.status = FileOutcome::Status::NotVarnel;
        } else if (header->find("Version 3") != std::string_view::npos) {
            out_.outcome.status = FileOutcome::Status::Version3;
        } else {
            const Features features(*header);
            if (features.handheld) {
                readHandheld();
            } else {
                readCategoryLines();
                if (features.groups) {
                    readRows(features);
                } else {
                    readOldRows();
                }
            }
            // Bytes left over that make no whole record mean the file was cut short too.
            out_.outcome.truncated = cut_ || in_.cutShort();
            out_.outcome.itemsRead = out_.records.size();
        }
        if (in_.readError()) {
            GearDataContent none;
            none.outcome.status = FileOutcome::Status::Refused;
            none.outcome.error = in_.readError();
            none.outcome.reason = in_.readError().message();
            return none;
        }
        return std::move(out_);
    }

private:
    void readHandheld() {
        out_.handheld = true;
        const auto blockSize = in_.count();
        if (!blockSize) {
            cut_ = true;
            return;
        }
        const unsigned char* block = in_.take(static_cast<std::size_t>(*blockSize));
        if (block == nullptr) {
            cut_ = true; // shorter than its size said when it was opened
            return;
        }
        out_.handheldBlock.assign(block, block + *blockSize);
        if (in_.atEnd()) {
            return;
        }

        out_.categoriesRead = true;
        const auto categories = in_.count();
        if (!categories) {
            cut_ = true;
            return;
        }
        for (std::int32_t i = 0; i < *categories; ++i) {
            const unsigned char* p = in_.take(sCategory60::kSize);
            if (!p) {
                cut_ = true;
                return;
            }
            sCategory60 category =
                decodeCategory60(*reinterpret_cast<const unsigned char(*)[sCategory60::kSize]>(p));
            out_.choices.push_back({std::string(category.nameText()), category.id});
            out_.categories.push_back(category);
            ++out_.nextCategoryId;
        }

        out_.records.reserve(in_.remaining() / sPubInfo60::kSize);
        while (const unsigned char* p = in_.take(sPubInfo60::kSize)) {
            const sPubInfo60 item =
                decodePubInfo60(*reinterpret_cast<const unsigned char(*)[sPubInfo60::kSize]>(p));
            if (item.deleted == 1) {
                out_.deletedRecords.push_back(item);
                continue;
            }
            auto record = std::make_unique<sPubInfo>();
            fromHandheld(item, *record);
            out_.records.push_back(std::move(record));
        }
    }

    void readCategoryLines() {
        out_.categoriesRead = true;
        while (const auto line = in_.line(kCategoryLineMax)) {
            const char first = line->front();
            if (first == '\n' || first == '\r' || first == '\0') {
                break;
            }
            const std::string_view name = lineText(*line);
            const std::int32_t id = isUnfiled(name) ? kUnfiledCategoryId : out_.nextCategoryId++;
            out_.categories.emplace_back(name, id);
            out_.choices.push_back({std::string(name), id});
        }
        ++out_.nextCategoryId;
    }

    void readOldRows() {
        out_.records.reserve(in_.remaining() / kOldRecordSize);
        while (const unsigned char* p = in_.take(kOldRecordSize)) {
            out_.records.push_back(
                decodeOldRecord(*reinterpret_cast<const unsigned char(*)[kOldRecordSize]>(p)));
        }
    }

    void readRows(const Features& features) {
        out_.records.reserve(in_.remaining() / (kRowRecordSize + 4));
        while (const unsigned char* p = in_.take(kRowRecordSize)) {
            auto row = std::make_unique<sPubInfo>();
            decodePubInfo(p, kRowRecordSize, *row);
            // A row stored at the top level belongs to no group; left set, the row would count
            // as a member row and be dropped by the next save.
            row->inGroup = 0;
            const bool complete = readRowTail(*row, features);
            out_.records.push_back(std::move(row));
            if (!complete) {
                return;
            }
        }
    }

    // Members and texts after a row; false when the read ended on the way (the row stays).
    bool readRowTail(sPubInfo& row, const Features& features) {
        const auto members = in_.count();
        if (!members) {
            cut_ = true;
            return false;
        }
        if (*members > 0) {
            row.members = std::make_unique<CMMIList<sPubInfo>>();
            // Groups are collapsed when read: no member rows are shown yet.
            row.expanded = 0;
            out_.groupNames.emplace_back(fieldText(row.item));
            // After a short member nothing is left, so the loop ends with the bytes.
            for (std::int32_t i = 0; i < *members; ++i) {
                if (in_.atEnd()) {
                    cut_ = true;
                    break;
                }
                readMember(row, features);
            }
        }
        return !features.rowTexts || readTexts(row);
    }

    void readMember(sPubInfo& row, const Features& features) {
        const unsigned char* p = in_.take(kMemberRecordSize);
        if (!p) {
            cut_ = true; // a short member is dropped
            return;
        }
        auto member = std::make_unique<sPubInfo>();
        decodePubInfo(p, kMemberRecordSize, *member);
        member->group = &row;
        // A member that did not say so would show as an ordinary row when its group opens, and
        // the next save would store it twice.
        member->inGroup = 1;
        if (features.memberTexts) {
            readTexts(*member);
        }
        row.members->add(std::move(member));
    }

    // The text count and texts, in order; false when the read ended on the way.
    bool readTexts(sPubInfo& record) {
        const auto k = in_.count();
        if (!k) {
            cut_ = true;
            return false;
        }
        for (std::int32_t i = 0; i < *k; ++i) {
            const auto line = in_.line(kTextLineMax);
            if (!line) {
                cut_ = true;
                return false;
            }
            if (!record.columnTexts) {
                record.columnTexts = std::make_unique<CMMIList<std::string>>();
                // A hostile count must not reserve much: each line takes at least a byte.
                record.columnTexts->reserve(std::min<std::int32_t>(*k, kTextsReservedAtMost));
            }
            record.columnTexts->emplace(lineText(*line));
        }
        return true;
    }

    ByteCursor in_;
    GearDataContent out_;
    bool cut_ = false;
};

void applyContent(GearDataContent& content, GearDocument& document) {
    if (content.handheld) {
        document.handheldDocument = true;
        document.handheldBlock = std::move(content.handheldBlock);
    }
    if (content.categoriesRead) {
        document.categoryList = std::move(content.categories);
    }
    document.categoryChoices.insert(document.categoryChoices.end(),
                                    std::make_move_iterator(content.choices.begin()),
                                    std::make_move_iterator(content.choices.end()));
    document.nextCategoryId = content.nextCategoryId;
    // The names outlive their documents, so a document read again finds its own already there.
    for (std::string& name : content.groupNames) {
        if (document.groupNames.find(name) == nullptr) {
            document.groupNames.add(std::make_unique<std::string>(std::move(name)));
        }
    }
    document.deletedRecords.insert(document.deletedRecords.end(), content.deletedRecords.begin(),
                                   content.deletedRecords.end());
    document.loadRecords(std::move(content.records));
}

} // namespace

GearDataContent decodeGearData(std::span<const unsigned char> bytes, std::int32_t nextCategoryId) {
    return GearDataParser(bytes, nextCategoryId).run();
}

GearDataContent decodeGearDataFile(const std::filesystem::path& path, std::int32_t nextCategoryId) {
    RegularFile file;
    GearDataContent content;
    if (const std::error_code ec = file.open(path)) {
        content.outcome.error = ec;
        if (ec == std::errc::no_such_file_or_directory) {
            content.outcome.status = FileOutcome::Status::CannotOpen;
        } else {
            content.outcome.status = FileOutcome::Status::Refused;
            content.outcome.reason = ec.message();
        }
    } else {
        content = GearDataParser(file, nextCategoryId).run();
    }
    content.outcome.file = path;
    return content;
}

FileOutcome parseGearData(std::span<const unsigned char> bytes, GearDocument& document) {
    GearDataContent content = decodeGearData(bytes, document.nextCategoryId);
    if (content.outcome.ok()) {
        applyContent(content, document);
    }
    return content.outcome;
}

FileOutcome readGearDataFile(const std::filesystem::path& path, GearDocument& document) {
    GearDataContent content = decodeGearDataFile(path, document.nextCategoryId);
    if (content.outcome.ok()) {
        applyContent(content, document);
    }
    return content.outcome;
}

} // namespace varnel
