#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace framework {

// The standard messages of dialog data exchange. %1 and %2 are the bounds (or the limit).
inline constexpr char kMsgPositiveInteger[] = "Please enter a positive integer.";
inline constexpr char kMsgInteger[] = "Please enter an integer.";
inline constexpr char kMsgNumber[] = "Please enter a number.";
inline constexpr char kMsgIntegerRange[] = "Please enter an integer between %1 and %2.";
inline constexpr char kMsgNumberRange[] = "Please enter a number between %1 and %2.";
inline constexpr char kMsgMaxChars[] = "Please enter no more than %1 characters.";

// How much of a number field is read: what a 32-byte buffer holds.
inline constexpr std::size_t kNumberFieldChars = 31;

// The readers of number fields. Blanks and tabs may stand before and after the number;
// anything else, or no digits at all, is not a number. Only the first kNumberFieldChars
// characters are read.
//
// An unsigned field reads like the C library's strtoul on a 32-bit long: a leading minus
// sign negates modulo 2^32 (-1 is 4294967295), and a value too large saturates.
std::optional<std::uint32_t> ParseUnsignedField(std::string_view text);
// A signed field: a value outside 32 bits saturates.
std::optional<std::int32_t> ParseSignedField(std::string_view text);
// A real field: decimal notation only (sign, digits, point, exponent), so "nan", "inf" and
// hexadecimal floats are not numbers; text that reads as 0 without starting with the digit
// 0 ("-0", ".0") is not a number either. The value is rounded to float.
std::optional<float> ParseRealField(std::string_view text);
// A real value as a field shows it: up to 6 significant digits, in the shortest form
// ("1.5", "0.5", "5").
std::string FormatRealField(float value);

// Replaces %1 and %2 in a message with the arguments.
std::string FormatMessageText(std::string_view message, std::string_view arg1,
                              std::string_view arg2 = {});

// One run of data exchange between a dialog's controls and its values: filling the
// controls from the values, or reading and validating the values from the controls. The
// transfers are the dialog's (the subclass talks to real controls); the rules of reading,
// validating and reporting are here.
//
// The first failure stops the run: it is reported once (message, then the focus on the
// control, its text selected if it is an edit) and every later call does nothing.
class DataExchange {
  public:
    explicit DataExchange(bool saveAndValidate) : m_saving(saveAndValidate) {}
    DataExchange(const DataExchange&) = delete;
    DataExchange& operator=(const DataExchange&) = delete;
    virtual ~DataExchange() = default;

    bool IsSaving() const { return m_saving; }
    bool Failed() const { return m_failed; }

    // A text (UTF-8) as it stands; when reading, more than maxChars characters (if given,
    // whatever their length in bytes) fails with the limit's message. When filling, the
    // edit is told to accept at most maxChars.
    void Text(int id, std::string& value, std::optional<std::size_t> maxChars = {});
    // A whole number in [low, high]: not a number fails with "positive integer" for the
    // unsigned field and "integer" for the signed one; outside the range with the range
    // message.
    void Unsigned(int id, std::uint32_t& value, std::uint32_t low, std::uint32_t high);
    void Integer(int id, std::int32_t& value, std::int32_t low, std::int32_t high);
    // A real number in [low, high].
    void Real(int id, float& value, float low, float high);
    // A check box's state. When filling, a value outside 0 to 2 is first set to 0.
    void Check(int id, std::int32_t& value);
    // A list's selected position (-1: none).
    void ListIndex(int id, std::int32_t& value);

    // Reports a failure on a control and stops the run.
    void Fail(int id, const std::string& message, bool isEdit);

  protected:
    // --- What the dialog's controls do ---
    virtual std::string GetText(int id) = 0;
    virtual void SetText(int id, const std::string& text) = 0;
    virtual void LimitText(int id, std::size_t maxChars) = 0;
    virtual int GetCheck(int id) = 0;
    virtual void SetCheck(int id, int state) = 0;
    virtual int GetSelection(int id) = 0;
    virtual void SetSelection(int id, int index) = 0;
    // Shows the message and moves the focus to the control (selecting an edit's text).
    virtual void ReportFailure(int id, const std::string& message, bool isEdit) = 0;

  private:
    bool Active() const { return !m_failed; }

    bool m_saving;
    bool m_failed = false;
};

}  // namespace framework
