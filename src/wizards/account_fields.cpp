#include "wizards/account_fields.h"

namespace murmex {

SMobileFields MobileFieldsFor(std::string_view stored) {
    SMobileFields fields;
    if (stored.size() != 10)
        return fields;
    fields.number = std::string(stored.substr(4));
    const std::string_view operatorPart = stored.substr(1, 3);
    for (std::size_t i = 0; i < kMobilePrefixes.size(); ++i) {
        if (kMobilePrefixes[i].starts_with(operatorPart)) {
            fields.prefixIndex = static_cast<int>(i);
            break;
        }
    }
    return fields;
}

std::optional<std::string> MobileToStore(int prefixIndex, std::string_view number) {
    if (prefixIndex < 0 || prefixIndex >= static_cast<int>(kMobilePrefixes.size()))
        return std::nullopt;
    if (number.size() != 6)
        return std::nullopt;
    std::string stored = "0";
    stored += kMobilePrefixes[static_cast<std::size_t>(prefixIndex)];
    stored += number;
    return stored;
}

int SexCodeForRow(int row) {
    switch (row) {
    case kSexRowFemale:
        return kSexFemale;
    case kSexRowMale:
        return kSexMale;
    default:
        return kSexNotGiven;
    }
}

int SexRowForCode(int code) {
    return code == kSexFemale ? kSexRowFemale : kSexRowMale;
}

} // namespace murmex
