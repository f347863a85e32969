#include "model/sCategory60.h"

#include "model/CaseFold.h"
#include "model/FixedText.h"

namespace varnel {

sCategory60::sCategory60(std::string_view text, std::int32_t number) : id(number) {
    setField(name, text.substr(0, kMaxName));
}

std::string_view sCategory60::nameText() const {
    return fieldText(name);
}

bool isUnfiled(std::string_view name) {
    return equalNoCase(name, "Unfiled");
}

} // namespace varnel
