#include "support/memory_profile.h"

namespace perch::test {
namespace {

std::string Folded(std::string_view text) {
    std::string folded(text);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return folded;
}

}  // namespace

MemoryProfile::Key MemoryProfile::KeyOf(std::string_view section, std::string_view name) {
    return {Folded(section), Folded(name)};
}

void MemoryProfile::OpenSection(std::string_view section) {
    sections_.insert(Folded(section));
}

void MemoryProfile::Store(std::string_view section, std::string_view name, Value value) {
    OpenSection(section);
    values_[KeyOf(section, name)] = std::move(value);
}

std::int32_t MemoryProfile::ReadInt(std::string_view section, std::string_view name,
                                    std::int32_t def) {
    reads_.push_back({std::string(section), std::string(name)});
    OpenSection(section);
    const auto found = values_.find(KeyOf(section, name));
    if (found == values_.end()) {
        return def;
    }
    const std::int32_t* value = std::get_if<std::int32_t>(&found->second);
    return value ? *value : def;
}

std::string MemoryProfile::ReadString(std::string_view section, std::string_view name,
                                      std::string_view def) {
    reads_.push_back({std::string(section), std::string(name)});
    OpenSection(section);
    const auto found = values_.find(KeyOf(section, name));
    if (found == values_.end()) {
        return std::string(def);
    }
    const std::string* value = std::get_if<std::string>(&found->second);
    return value ? *value : std::string(def);
}

void MemoryProfile::WriteInt(std::string_view section, std::string_view name, std::int32_t value) {
    writes_.push_back({std::string(section), std::string(name), value});
    if (!writesFail_) {
        Store(section, name, value);
    }
}

void MemoryProfile::WriteString(std::string_view section, std::string_view name,
                                std::string_view value) {
    writes_.push_back({std::string(section), std::string(name), std::string(value)});
    if (!writesFail_) {
        Store(section, name, std::string(value));
    }
}

void MemoryProfile::Set(std::string_view section, std::string_view name, Value value) {
    Store(section, name, std::move(value));
}

void MemoryProfile::Remove(std::string_view section, std::string_view name) {
    values_.erase(KeyOf(section, name));
}

std::optional<MemoryProfile::Value> MemoryProfile::Get(std::string_view section,
                                                       std::string_view name) const {
    const auto found = values_.find(KeyOf(section, name));
    if (found == values_.end()) {
        return std::nullopt;
    }
    return found->second;
}

bool MemoryProfile::HasSection(std::string_view section) const {
    return sections_.count(Folded(section)) != 0;
}

void MemoryProfile::ClearLog() {
    reads_.clear();
    writes_.clear();
}

std::ostream& operator<<(std::ostream& os, const MemoryProfile::Access& access) {
    return os << access.section << "\\" << access.name;
}

std::ostream& operator<<(std::ostream& os, const MemoryProfile::Write& write) {
    os << write.section << "\\" << write.name << " = ";
    if (const std::int32_t* number = std::get_if<std::int32_t>(&write.value)) {
        return os << *number;
    }
    const std::string& text = std::get<std::string>(write.value);
    if (text.size() > 60) {
        return os << '"' << text.substr(0, 60) << "...\" (" << text.size() << " bytes)";
    }
    return os << '"' << text << '"';
}

}  // namespace perch::test
