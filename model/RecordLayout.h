#pragma once
// Byte layouts of the records as the files hold them.

#include "model/sCategory60.h"
#include "model/sPubInfo.h"
#include "model/sPubInfo60.h"

#include <cstddef>
#include <memory>

namespace varnel {

// A gear record in the data file: a top-level row stores the first 241 bytes, a member all 261.
constexpr std::size_t kRowRecordSize = 241;
constexpr std::size_t kMemberRecordSize = 261;
// The oldest files' record: category, item, weight, notes, selected.
constexpr std::size_t kOldRecordSize = 124;
// Flags the writer sets from the row rather than from the record.
constexpr std::size_t kSelectedOffset = 133;
constexpr std::size_t kExpandedOffset = 236;

// Writes all 261 bytes; the pointer slots are zero.
void encodePubInfo(const sPubInfo& record, unsigned char (&out)[kMemberRecordSize]);
// Reads the first `size` (241 or 261) bytes into `record`; the fields past them stay as they
// are. Text fields come out terminated inside their width; pointer slots are ignored.
void decodePubInfo(const unsigned char* bytes, std::size_t size, sPubInfo& record);

// The oldest layout as a new record: unit weight and weight both get the stored weight.
std::unique_ptr<sPubInfo> decodeOldRecord(const unsigned char (&bytes)[kOldRecordSize]);

void encodePubInfo60(const sPubInfo60& record, unsigned char (&out)[sPubInfo60::kSize]);
sPubInfo60 decodePubInfo60(const unsigned char (&bytes)[sPubInfo60::kSize]);

void encodeCategory60(const sCategory60& category, unsigned char (&out)[sCategory60::kSize]);
sCategory60 decodeCategory60(const unsigned char (&bytes)[sCategory60::kSize]);

} // namespace varnel
