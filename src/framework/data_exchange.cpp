#include "framework/data_exchange.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace framework {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The part of a field that is read, without the blanks and tabs around it.
std::string_view Trimmed(std::string_view text) {
    text = text.substr(0, kNumberFieldChars);
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// An optional sign and at least one digit, nothing else: the sign and the magnitude,
// saturated at `limit`.
struct Whole {
    bool negative = false;
    std::uint64_t magnitude = 0;
};
std::optional<Whole> ParseWhole(std::string_view text, std::uint64_t limit) {
    Whole whole;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        whole.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    for (const char c : text) {
        if (!IsDigit(c)) {
            return std::nullopt;
        }
        whole.magnitude = std::min(whole.magnitude * 10 + static_cast<unsigned>(c - '0'), limit);
    }
    return whole;
}

// Decimal notation: sign, digits with at most one point (at least one digit), then an
// optional exponent with its own sign and at least one digit.
bool IsDecimalNotation(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    bool digits = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            digits = true;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!digits) {
        return false;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        const std::size_t exponentStart = i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
        }
        if (i == exponentStart) {
            return false;
        }
    }
    return i == text.size();
}

std::string Decimal(long long value) {
    return std::to_string(value);
}

}  // namespace

std::optional<std::uint32_t> ParseUnsignedField(std::string_view text) {
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint32_t>::max();
    const std::optional<Whole> whole = ParseWhole(Trimmed(text), kMax + 1);
    if (!whole) {
        return std::nullopt;
    }
    if (whole->magnitude > kMax) {
        return static_cast<std::uint32_t>(kMax);  // out of range saturates, either sign
    }
    const auto magnitude = static_cast<std::uint32_t>(whole->magnitude);
    return whole->negative ? static_cast<std::uint32_t>(0u - magnitude) : magnitude;
}

std::optional<std::int32_t> ParseSignedField(std::string_view text) {
    constexpr std::uint64_t kLimit = std::uint64_t{1} << 31;  // the magnitude of INT32_MIN
    const std::optional<Whole> whole = ParseWhole(Trimmed(text), kLimit);
    if (!whole) {
        return std::nullopt;
    }
    if (whole->negative) {
        return static_cast<std::int32_t>(-static_cast<std::int64_t>(whole->magnitude));
    }
    return static_cast<std::int32_t>(std::min<std::uint64_t>(whole->magnitude, kLimit - 1));
}

std::optional<float> ParseRealField(std::string_view text) {
    text = Trimmed(text);
    if (!IsDecimalNotation(text)) {
        return std::nullopt;
    }
    // The notation is checked, so strtod sees neither "inf" nor hexadecimal; out of range
    // it gives HUGE_VAL (outside every range) or a value near 0.
    const std::string copy(text);
    const double value = std::strtod(copy.c_str(), nullptr);
    // Text that reads as 0 counts as a number only when it starts with the digit 0.
    if (value == 0.0 && text.front() != '0') {
        return std::nullopt;
    }
    if (std::fabs(value) > std::numeric_limits<float>::max()) {
        constexpr float kInfinity = std::numeric_limits<float>::infinity();
        return value < 0 ? -kInfinity : kInfinity;
    }
    return static_cast<float>(value);
}

std::string FormatRealField(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", static_cast<double>(value));
    return text;
}

std::string FormatMessageText(std::string_view message, std::string_view arg1,
                              std::string_view arg2) {
    std::string out;
    out.reserve(message.size() + arg1.size() + arg2.size());
    for (std::size_t i = 0; i < message.size(); ++i) {
        if (message[i] == '%' && i + 1 < message.size() &&
            (message[i + 1] == '1' || message[i + 1] == '2')) {
            out += message[i + 1] == '1' ? arg1 : arg2;
            ++i;
        } else {
            out += message[i];
        }
    }
    return out;
}

void DataExchange::Fail(int id, const std::string& message, bool isEdit) {
    if (m_failed) {
        return;
    }
    m_failed = true;
    ReportFailure(id, message, isEdit);
}

namespace {

// Characters of UTF-8 text: every byte but the continuation bytes starts one.
std::size_t CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return count;
}

}  // namespace

void DataExchange::Text(int id, std::string& value, std::optional<std::size_t> maxChars) {
    if (!Active()) {
        return;
    }
    if (!m_saving) {
        SetText(id, value);
        if (maxChars) {
            LimitText(id, *maxChars);
        }
        return;
    }
    value = GetText(id);
    if (maxChars && CharacterCount(value) > *maxChars) {
        Fail(id, FormatMessageText(kMsgMaxChars, Decimal(static_cast<long long>(*maxChars))), true);
    }
}

void DataExchange::Unsigned(int id, std::uint32_t& value, std::uint32_t low, std::uint32_t high) {
    if (!Active()) {
        return;
    }
    if (!m_saving) {
        SetText(id, Decimal(value));
        return;
    }
    const std::optional<std::uint32_t> read = ParseUnsignedField(GetText(id));
    if (!read) {
        Fail(id, kMsgPositiveInteger, true);
        return;
    }
    value = *read;
    if (value < low || value > high) {
        Fail(id, FormatMessageText(kMsgIntegerRange, Decimal(low), Decimal(high)), true);
    }
}

void DataExchange::Integer(int id, std::int32_t& value, std::int32_t low, std::int32_t high) {
    if (!Active()) {
        return;
    }
    if (!m_saving) {
        SetText(id, Decimal(value));
        return;
    }
    const std::optional<std::int32_t> read = ParseSignedField(GetText(id));
    if (!read) {
        Fail(id, kMsgInteger, true);
        return;
    }
    value = *read;
    if (value < low || value > high) {
        Fail(id, FormatMessageText(kMsgIntegerRange, Decimal(low), Decimal(high)), true);
    }
}

void DataExchange::Real(int id, float& value, float low, float high) {
    if (!Active()) {
        return;
    }
    if (!m_saving) {
        SetText(id, FormatRealField(value));
        return;
    }
    const std::optional<float> read = ParseRealField(GetText(id));
    if (!read) {
        Fail(id, kMsgNumber, true);
        return;
    }
    value = *read;
    if (!(value >= low && value <= high)) {
        Fail(id, FormatMessageText(kMsgNumberRange, FormatRealField(low), FormatRealField(high)),
             true);
    }
}

void DataExchange::Check(int id, std::int32_t& value) {
    if (!Active()) {
        return;
    }
    if (m_saving) {
        value = GetCheck(id);
        return;
    }
    if (value < 0 || value > 2) {
        value = 0;
    }
    SetCheck(id, value);
}

void DataExchange::ListIndex(int id, std::int32_t& value) {
    if (!Active()) {
        return;
    }
    if (m_saving) {
        value = GetSelection(id);
    } else {
        SetSelection(id, value);
    }
}

}  // namespace framework
