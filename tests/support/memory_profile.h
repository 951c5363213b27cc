#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "settings/profile.h"

namespace perch::test {

// A profile held in memory, behaving as the registry does for the settings routines:
// section and value names ignore the letter case of A to Z, a read creates its section,
// and a value read with the other type than it is stored with yields the default. Every
// read and write is logged in order, so a test can assert exactly what was touched.
class MemoryProfile final : public Profile {
  public:
    using Value = std::variant<std::int32_t, std::string>;

    struct Access {
        std::string section;
        std::string name;
        bool operator==(const Access&) const = default;
    };
    struct Write {
        std::string section;
        std::string name;
        Value value;
        bool operator==(const Write&) const = default;
    };

    std::int32_t ReadInt(std::string_view section, std::string_view name,
                         std::int32_t def) override;
    std::string ReadString(std::string_view section, std::string_view name,
                           std::string_view def) override;
    void WriteInt(std::string_view section, std::string_view name, std::int32_t value) override;
    void WriteString(std::string_view section, std::string_view name,
                     std::string_view value) override;

    // Setting up a stored registry: not logged.
    void Set(std::string_view section, std::string_view name, Value value);
    void Remove(std::string_view section, std::string_view name);

    // What is stored now, whichever routine put it there.
    std::optional<Value> Get(std::string_view section, std::string_view name) const;
    bool HasSection(std::string_view section) const;
    std::size_t ValueCount() const { return values_.size(); }

    // Writes that fail are logged but change nothing.
    void SetWritesFail(bool fail) { writesFail_ = fail; }

    const std::vector<Access>& Reads() const { return reads_; }
    const std::vector<Write>& Writes() const { return writes_; }
    void ClearLog();

  private:
    using Key = std::pair<std::string, std::string>;
    static Key KeyOf(std::string_view section, std::string_view name);
    void OpenSection(std::string_view section);
    void Store(std::string_view section, std::string_view name, Value value);

    std::set<std::string> sections_;
    std::map<Key, Value> values_;
    std::vector<Access> reads_;
    std::vector<Write> writes_;
    bool writesFail_ = false;
};

// Readable failure messages in GoogleTest.
std::ostream& operator<<(std::ostream& os, const MemoryProfile::Access& access);
std::ostream& operator<<(std::ostream& os, const MemoryProfile::Write& write);

}  // namespace perch::test
