// Any bytes read as a gear data file, then exported in all four formats with every option on:
// the XML must be well-formed and every comma-delimited line must have the heading's fields.
#include "model/FixedText.h"
#include "model/GearDataReader.h"
#include "output/ExportWriter.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace varnel;

[[noreturn]] void fail(const char* what, const std::string& bytes) {
    std::fprintf(stderr, "%s\n%s\n", what, bytes.c_str());
    std::abort();
}

// --- a minimal XML well-formedness check: UTF-8, names, quoted attributes, references,
// balanced tags, one root.

bool validUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        std::size_t n = 0;
        std::uint32_t c = 0;
        if (b < 0x80) {
            n = 0;
            c = b;
        } else if (b >= 0xC2 && b <= 0xDF) {
            n = 1;
            c = b & 0x1FU;
        } else if (b >= 0xE0 && b <= 0xEF) {
            n = 2;
            c = b & 0x0FU;
        } else if (b >= 0xF0 && b <= 0xF4) {
            n = 3;
            c = b & 0x07U;
        } else {
            return false;
        }
        if (i + n >= s.size()) {
            return false;
        }
        for (std::size_t k = 1; k <= n; ++k) {
            const auto cb = static_cast<unsigned char>(s[i + k]);
            if ((cb & 0xC0U) != 0x80U) {
                return false;
            }
            c = (c << 6U) | (cb & 0x3FU);
        }
        const bool overlong = (n == 2 && c < 0x800) || (n == 3 && c < 0x10000);
        if (overlong || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF || c == 0xFFFE ||
            c == 0xFFFF) {
            return false;
        }
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') {
            return false;
        }
        i += n + 1;
    }
    return true;
}

class XmlCheck {
public:
    explicit XmlCheck(std::string_view s) : s_(s) {}

    bool wellFormed() {
        if (!validUtf8(s_)) {
            return false;
        }
        int roots = 0;
        while (i_ < s_.size()) {
            if (s_[i_] == '<') {
                if (stack_.empty() && roots++ > 0) {
                    return false;
                }
                if (!tag()) {
                    return false;
                }
            } else if (!text()) {
                return false;
            }
        }
        return roots == 1 && stack_.empty();
    }

private:
    static bool nameByte(char c, bool first) {
        const auto u = static_cast<unsigned char>(c);
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || u >= 0x80) {
            return true;
        }
        return !first && ((c >= '0' && c <= '9') || c == '-' || c == '.');
    }

    bool name(std::string& out) {
        const std::size_t start = i_;
        while (i_ < s_.size() && nameByte(s_[i_], i_ == start)) {
            ++i_;
        }
        out.assign(s_.substr(start, i_ - start));
        return i_ > start;
    }

    bool reference() {
        const std::size_t end = s_.find(';', i_);
        if (end == std::string_view::npos) {
            return false;
        }
        const std::string_view ref = s_.substr(i_ + 1, end - i_ - 1);
        i_ = end + 1;
        if (ref == "amp" || ref == "lt" || ref == "gt" || ref == "quot" || ref == "apos") {
            return true;
        }
        if (ref.size() < 2 || ref[0] != '#') {
            return false;
        }
        unsigned long code = 0;
        for (const char c : ref.substr(1)) {
            if (c < '0' || c > '9' || code > 0x10FFFF) {
                return false;
            }
            code = code * 10 + static_cast<unsigned long>(c - '0');
        }
        return code == 9 || code == 10 || code == 13 || (code >= 0x20 && code <= 0xD7FF) ||
               (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
    }

    bool text() {
        if (stack_.empty()) {
            // Only line ends may stand outside the root.
            while (i_ < s_.size() && (s_[i_] == '\r' || s_[i_] == '\n')) {
                ++i_;
            }
            return i_ == s_.size() || s_[i_] == '<';
        }
        while (i_ < s_.size() && s_[i_] != '<') {
            if (s_[i_] == '&') {
                if (!reference()) {
                    return false;
                }
            } else if (s_.substr(i_, 3) == "]]>") {
                return false;
            } else {
                ++i_;
            }
        }
        return true;
    }

    bool tag() {
        ++i_;
        const bool closing = i_ < s_.size() && s_[i_] == '/';
        if (closing) {
            ++i_;
        }
        std::string n;
        if (!name(n)) {
            return false;
        }
        if (closing) {
            if (stack_.empty() || stack_.back() != n || i_ >= s_.size() || s_[i_] != '>') {
                return false;
            }
            stack_.pop_back();
            ++i_;
            return true;
        }
        std::vector<std::string> attributes;
        while (i_ < s_.size() && s_[i_] == ' ') {
            ++i_;
            std::string a;
            if (!name(a) ||
                std::find(attributes.begin(), attributes.end(), a) != attributes.end() ||
                s_.substr(i_, 2) != "=\"") {
                return false;
            }
            attributes.push_back(a);
            i_ += 2;
            while (i_ < s_.size() && s_[i_] != '"') {
                if (s_[i_] == '<') {
                    return false;
                }
                if (s_[i_] == '&') {
                    if (!reference()) {
                        return false;
                    }
                } else {
                    ++i_;
                }
            }
            if (i_ >= s_.size()) {
                return false;
            }
            ++i_;
        }
        if (i_ >= s_.size() || s_[i_] != '>') {
            return false;
        }
        ++i_;
        stack_.push_back(n);
        return true;
    }

    std::string_view s_;
    std::size_t i_ = 0;
    std::vector<std::string> stack_;
};

// --- RFC 4180 records: the number of fields of each, or nothing when the text is not CSV.

bool csvFieldCounts(std::string_view s, std::vector<std::size_t>& counts) {
    std::size_t i = 0;
    while (i < s.size()) {
        std::size_t fields = 0;
        for (;;) {
            ++fields;
            if (i < s.size() && s[i] == '"') {
                ++i;
                for (;;) {
                    if (i >= s.size()) {
                        return false;
                    }
                    if (s[i] == '"') {
                        if (i + 1 < s.size() && s[i + 1] == '"') {
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    ++i;
                }
            } else {
                while (i < s.size() && s[i] != ',' && s[i] != '\r' && s[i] != '\n') {
                    if (s[i] == '"') {
                        return false;
                    }
                    ++i;
                }
            }
            if (i < s.size() && s[i] == ',') {
                ++i;
                continue;
            }
            if (s.substr(i, 2) != "\r\n") {
                return false;
            }
            i += 2;
            break;
        }
        counts.push_back(fields);
    }
    return true;
}

// Headings made from the file itself, so that its bytes reach the names too.
ExportHeadings headingsFor(GearDocument& doc) {
    ExportHeadings h{{"Category", "Item", "Weight (oz)", "Notes"}, {}};
    if (!doc.categoryChoices.empty()) {
        h.fixed[0] = doc.categoryChoices.front().name;
    }
    int texts = 0;
    for (int r = 0; r < doc.rowCount(); ++r) {
        const sPubInfo& record = doc.record(r);
        if (record.columnTexts) {
            texts = std::max(texts, record.columnTexts->count());
        }
        if (r == 0) {
            h.fixed[3] = std::string(fieldText(record.item));
        }
    }
    const int user = std::min(texts + 1, 8);
    for (int k = 0; k < user; ++k) {
        h.user.push_back(k < static_cast<int>(doc.categoryChoices.size())
                             ? doc.categoryChoices[static_cast<std::size_t>(k)].name
                             : "Column " + std::to_string(k) + " <&\"'>");
    }
    return h;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    GearDocument doc;
    if (!parseGearData({data, size}, doc).ok()) {
        return 0;
    }
    const ExportHeadings headings = headingsFor(doc);
    ExportOptions options{false, true, true, headings.fixed[3]};
    const ExportColours colours{0x12345678, 0, 0xFFFFFFFF};

    const std::string text = exportBytes(ExportFormat::Text, doc, headings, options);
    const std::string comma = exportBytes(ExportFormat::Comma, doc, headings, options);
    const std::string html = exportBytes(ExportFormat::Html, doc, headings, options, colours);
    const std::string xml = exportBytes(ExportFormat::Xml, doc, headings, options);

    if (!XmlCheck(xml).wellFormed()) {
        fail("XML is not well-formed", xml);
    }
    std::vector<std::size_t> counts;
    if (!csvFieldCounts(comma, counts) || counts.size() < 2 || counts.back() != 4) {
        fail("comma-delimited file does not parse", comma);
    }
    for (std::size_t r = 1; r + 1 < counts.size(); ++r) {
        if (counts[r] != counts[0]) {
            fail("comma-delimited line with another field count than the heading", comma);
        }
    }

    // Member rows of an expanded group are written through their group row only.
    doc.expandAll();
    if (exportBytes(ExportFormat::Text, doc, headings, options) != text ||
        exportBytes(ExportFormat::Comma, doc, headings, options) != comma ||
        exportBytes(ExportFormat::Xml, doc, headings, options) != xml) {
        fail("expanding the groups changed an export", text);
    }
    options.checkedOnly = true;
    if (!XmlCheck(exportBytes(ExportFormat::Xml, doc, headings, options)).wellFormed()) {
        fail("XML of the checked items is not well-formed", xml);
    }
    if (!html.ends_with("</table></body></html>\r\n")) {
        fail("HTML without its closing line", html);
    }
    return 0;
}
