#include "model/ProfileStruct.h"

namespace varnel {

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

void appendHex(std::string& out, std::uint8_t byte) {
    out.push_back(kDigits[byte >> 4]);
    out.push_back(kDigits[byte & 0x0F]);
}

} // namespace

std::string encodeProfileStruct(std::span<const std::uint8_t> bytes) {
    std::string out;
    out.reserve(bytes.size() * 2 + 2);
    std::uint8_t sum = 0;
    for (std::uint8_t b : bytes) {
        appendHex(out, b);
        sum = static_cast<std::uint8_t>(sum + b);
    }
    appendHex(out, sum);
    return out;
}

std::optional<std::vector<std::uint8_t>> decodeProfileStruct(std::string_view text,
                                                             std::size_t size) {
    // Checked before any allocation so that a hostile size costs nothing.
    if (size > (text.size() / 2) || text.size() != size * 2 + 2) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(size);
    std::uint8_t sum = 0;
    for (std::size_t i = 0; i <= size; ++i) {
        const int hi = hexValue(text[2 * i]);
        const int lo = hexValue(text[2 * i + 1]);
        if (hi < 0 || lo < 0) {
            return std::nullopt;
        }
        const auto b = static_cast<std::uint8_t>((hi << 4) | lo);
        if (i == size) {
            if (b != sum) {
                return std::nullopt;
            }
        } else {
            bytes[i] = b;
            sum = static_cast<std::uint8_t>(sum + b);
        }
    }
    return bytes;
}

} // namespace varnel
