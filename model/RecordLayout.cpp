#include "model/RecordLayout.h"

#include "model/ByteOrder.h"
#include "model/FixedText.h"

#include <cstring>

namespace varnel {

namespace {

// Copies fields in and out of a byte buffer, advancing an offset.
class Writer {
public:
    explicit Writer(unsigned char* out) : out_(out) {}
    template <std::size_t N> void text(const char (&field)[N]) {
        std::memcpy(out_ + pos_, field, N);
        pos_ += N;
    }
    void byte(std::uint8_t v) { out_[pos_++] = v; }
    void int32(std::int32_t v) {
        putInt32(out_ + pos_, v);
        pos_ += 4;
    }
    void int16(std::int16_t v) {
        putInt16(out_ + pos_, v);
        pos_ += 2;
    }
    [[nodiscard]] std::size_t pos() const { return pos_; }

private:
    unsigned char* out_;
    std::size_t pos_ = 0;
};

class Reader {
public:
    Reader(const unsigned char* in, std::size_t size) : in_(in), size_(size) {}
    template <std::size_t N> void text(char (&field)[N]) {
        if (pos_ + N <= size_) {
            std::memcpy(field, in_ + pos_, N);
            terminateField(field);
        }
        pos_ += N;
    }
    void byte(std::uint8_t& v) {
        if (pos_ + 1 <= size_) {
            v = in_[pos_];
        }
        pos_ += 1;
    }
    void int32(std::int32_t& v) {
        if (pos_ + 4 <= size_) {
            v = getInt32(in_ + pos_);
        }
        pos_ += 4;
    }
    void int16(std::int16_t& v) {
        if (pos_ + 2 <= size_) {
            v = getInt16(in_ + pos_);
        }
        pos_ += 2;
    }
    void skip(std::size_t n) { pos_ += n; }

private:
    const unsigned char* in_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

} // namespace

void encodePubInfo(const sPubInfo& r, unsigned char (&out)[kMemberRecordSize]) {
    Writer w(out);
    w.text(r.category);
    w.text(r.item);
    w.text(r.unitWeight);
    w.text(r.weight);
    w.text(r.notes);
    w.byte(r.selected);
    w.text(r.multiplier);
    w.text(r.groupWeight);
    w.text(r.collapsedLabel);
    w.text(r.expandedLabel);
    w.byte(r.inGroup);
    w.byte(r.expanded);
    w.int32(0); // group
    w.int32(0); // members
    w.int32(0); // columnTexts
    w.int32(r.recordId);
    w.int32(r.categoryIndex);
    w.int16(r.deleted);
    w.int16(r.modified);
}

void decodePubInfo(const unsigned char* bytes, std::size_t size, sPubInfo& r) {
    Reader in(bytes, size);
    in.text(r.category);
    in.text(r.item);
    in.text(r.unitWeight);
    in.text(r.weight);
    in.text(r.notes);
    in.byte(r.selected);
    in.text(r.multiplier);
    in.text(r.groupWeight);
    in.text(r.collapsedLabel);
    in.text(r.expandedLabel);
    in.byte(r.inGroup);
    in.byte(r.expanded);
    in.skip(12); // pointer slots carry nothing
    in.int32(r.recordId);
    in.int32(r.categoryIndex);
    in.int16(r.deleted);
    in.int16(r.modified);
}

std::unique_ptr<sPubInfo> decodeOldRecord(const unsigned char (&bytes)[kOldRecordSize]) {
    auto r = std::make_unique<sPubInfo>();
    Reader in(bytes, kOldRecordSize);
    in.text(r->category);
    in.text(r->item);
    in.text(r->weight);
    in.text(r->notes);
    in.byte(r->selected);
    std::memcpy(r->unitWeight, r->weight, sizeof r->weight);
    return r;
}

void encodePubInfo60(const sPubInfo60& r, unsigned char (&out)[sPubInfo60::kSize]) {
    Writer w(out);
    w.text(r.category);
    w.text(r.item);
    w.text(r.unitWeight);
    w.text(r.multiplier);
    w.text(r.weight);
    w.text(r.notes);
    w.byte(r.selected);
    w.byte(0);
    w.int32(r.recordId);
    w.int32(r.categoryIndex);
    w.int16(r.deleted);
    w.int16(r.modified);
}

sPubInfo60 decodePubInfo60(const unsigned char (&bytes)[sPubInfo60::kSize]) {
    sPubInfo60 r;
    Reader in(bytes, sPubInfo60::kSize);
    in.text(r.category);
    in.text(r.item);
    in.text(r.unitWeight);
    in.text(r.multiplier);
    in.text(r.weight);
    in.text(r.notes);
    in.byte(r.selected);
    in.byte(r.filler);
    in.int32(r.recordId);
    in.int32(r.categoryIndex);
    in.int16(r.deleted);
    in.int16(r.modified);
    return r;
}

void encodeCategory60(const sCategory60& c, unsigned char (&out)[sCategory60::kSize]) {
    Writer w(out);
    w.text(c.name);
    w.int32(c.id);
    w.int32(c.added);
    w.int32(c.renamed);
    w.int32(c.removed);
}

sCategory60 decodeCategory60(const unsigned char (&bytes)[sCategory60::kSize]) {
    sCategory60 c;
    Reader in(bytes, sCategory60::kSize);
    in.text(c.name);
    in.int32(c.id);
    in.int32(c.added);
    in.int32(c.renamed);
    in.int32(c.removed);
    return c;
}

} // namespace varnel
