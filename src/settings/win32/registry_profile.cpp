#include "settings/win32/registry_profile.h"

#include <algorithm>
#include <vector>

#include "framework/win32/wide_text.h"

namespace perch {

namespace {

// Closes a registry key when it goes out of scope.
class ScopedKey {
  public:
    explicit ScopedKey(HKEY key) : m_key(key) {}
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;
    ~ScopedKey() {
        if (m_key != nullptr) {
            RegCloseKey(m_key);
        }
    }
    HKEY Get() const { return m_key; }

  private:
    HKEY m_key;
};

}  // namespace

RegistryProfile::RegistryProfile(std::string company, std::string application)
    : m_root("Software\\" + company + "\\" + application) {}

std::string RegistryProfile::SectionPath(std::string_view section) const {
    return m_root + "\\" + std::string(section);
}

HKEY RegistryProfile::OpenSection(std::string_view section) const {
    HKEY key = nullptr;
    const std::wstring path = framework::Widen(SectionPath(section));
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return nullptr;
    }
    return key;
}

std::int32_t RegistryProfile::ReadInt(std::string_view section, std::string_view name,
                                      std::int32_t def) {
    ScopedKey key(OpenSection(section));
    if (key.Get() == nullptr) {
        return def;
    }
    const std::wstring valueName = framework::Widen(name);
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value) {
        return def;
    }
    return static_cast<std::int32_t>(value);
}

std::string RegistryProfile::ReadString(std::string_view section, std::string_view name,
                                        std::string_view def) {
    ScopedKey key(OpenSection(section));
    if (key.Get() == nullptr) {
        return std::string(def);
    }
    // Read as wide text, so that a value in any script comes back whole (a value an
    // earlier Perch wrote through the ANSI functions is held as wide text all the same).
    const std::wstring valueName = framework::Widen(name);
    // The value may change size between the two calls; try again a few times.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, &type, nullptr, &size) !=
                ERROR_SUCCESS ||
            type != REG_SZ) {
            return std::string(def);
        }
        // One spare character: a stored string need not carry its terminating zero, nor be
        // a whole number of wide characters.
        std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 2, L'\0');
        DWORD got = size;
        LONG rc = RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, &type,
                                   reinterpret_cast<BYTE*>(buffer.data()), &got);
        if (rc == ERROR_MORE_DATA) {
            continue;
        }
        if (rc != ERROR_SUCCESS || type != REG_SZ) {
            return std::string(def);
        }
        const std::size_t units = std::min<std::size_t>(got / sizeof(wchar_t), buffer.size() - 1);
        buffer[units] = L'\0';
        return framework::Narrow(buffer.data());  // up to the first zero
    }
    return std::string(def);
}

void RegistryProfile::WriteInt(std::string_view section, std::string_view name,
                               std::int32_t value) {
    ScopedKey key(OpenSection(section));
    if (key.Get() == nullptr) {
        return;
    }
    const std::wstring valueName = framework::Widen(name);
    DWORD data = static_cast<DWORD>(value);
    RegSetValueExW(key.Get(), valueName.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                   sizeof data);
}

void RegistryProfile::WriteString(std::string_view section, std::string_view name,
                                  std::string_view value) {
    ScopedKey key(OpenSection(section));
    if (key.Get() == nullptr) {
        return;
    }
    const std::wstring valueName = framework::Widen(name);
    const std::wstring data = framework::Widen(value);
    RegSetValueExW(key.Get(), valueName.c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

}  // namespace perch
