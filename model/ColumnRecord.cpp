#include "model/ColumnRecord.h"

#include "model/ByteOrder.h"
#include "model/FixedText.h"

#include <cstring>

namespace varnel {

static_assert(ColumnRecord::kHeadingSize + 4 + 4 == ColumnRecord::kSize);

void ColumnRecord::encode(unsigned char* out) const {
    char field[kHeadingSize];
    setField(field, heading);
    std::memcpy(out, field, kHeadingSize);
    putInt32(out + kHeadingSize, alignment);
    putInt32(out + kHeadingSize + 4, order);
}

ColumnRecord ColumnRecord::decode(const unsigned char* bytes) {
    char field[kHeadingSize];
    std::memcpy(field, bytes, kHeadingSize);
    terminateField(field);
    ColumnRecord record;
    record.heading = fieldText(field);
    record.alignment = getInt32(bytes + kHeadingSize);
    record.order = getInt32(bytes + kHeadingSize + 4);
    return record;
}

} // namespace varnel
