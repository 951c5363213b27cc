#pragma once

#include <windows.h>

#include <string>

#include "settings/profile.h"

namespace perch {

// The profile on the per-user registry: the key <section> below
// HKEY_CURRENT_USER\Software\<company>\<application>. Integers are REG_DWORD, strings REG_SZ; a
// value of any other registry type reads as missing. Reading a section creates its key, as the
// framework's profile does.
class RegistryProfile : public Profile {
  public:
    RegistryProfile(std::string company, std::string application);

    std::int32_t ReadInt(std::string_view section, std::string_view name,
                         std::int32_t def) override;
    std::string ReadString(std::string_view section, std::string_view name,
                           std::string_view def) override;
    void WriteInt(std::string_view section, std::string_view name, std::int32_t value) override;
    void WriteString(std::string_view section, std::string_view name,
                     std::string_view value) override;

    // HKCU-relative path of a section's key.
    std::string SectionPath(std::string_view section) const;

  private:
    // Opens (creating when needed) the section's key; nullptr when that fails.
    HKEY OpenSection(std::string_view section) const;

    std::string m_root;
};

}  // namespace perch
