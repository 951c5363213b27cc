#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace perch {

// The per-user key-value store the settings live in: 32-bit integers and strings under a
// section and a value name. Section and value names are compared without regard to letter
// case, as the registry does.
//
// A value that is missing, or stored with the other type, reads as the default. Reading
// opens the section and creates it when it does not exist, hence the reads are not const.
// A write that fails is ignored; nothing is reported.
class Profile {
  public:
    virtual ~Profile() = default;

    virtual std::int32_t ReadInt(std::string_view section, std::string_view name,
                                 std::int32_t def) = 0;
    virtual std::string ReadString(std::string_view section, std::string_view name,
                                   std::string_view def) = 0;
    virtual void WriteInt(std::string_view section, std::string_view name, std::int32_t value) = 0;
    virtual void WriteString(std::string_view section, std::string_view name,
                             std::string_view value) = 0;

  protected:
    Profile() = default;
    Profile(const Profile&) = default;
    Profile& operator=(const Profile&) = default;
};

}  // namespace perch
