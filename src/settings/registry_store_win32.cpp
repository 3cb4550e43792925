// Registry-backed settings store; see registry_store_win32.h.
#include "settings/registry_store_win32.h"

#include <windows.h>

#include <vector>

#include "platform/runtime_error.h"
#include "platform/handles_win32.h"
#include "platform/runtime_win32.h"

namespace settings {

RegistryStore::RegistryStore(std::string_view application)
    : root_(L"Software\\VB and VBA Program Settings\\" + platform::Widen(application)) {}

std::optional<std::string> RegistryStore::Get(std::string_view section, std::string_view key) {
    std::wstring path = root_ + L"\\" + platform::Widen(section);
    HKEY raw = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) return std::nullopt;
    platform::UniqueRegKey hkey(raw);
    std::wstring name = platform::Widen(key);
    DWORD type = 0, bytes = 0;
    if (RegQueryValueExW(hkey.get(), name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    std::vector<wchar_t> buf(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD size = static_cast<DWORD>(buf.size() * sizeof(wchar_t));
    if (RegQueryValueExW(hkey.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buf.data()), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    buf.back() = L'\0';  // the stored data need not carry its terminator
    return platform::Narrow(buf.data());
}

void RegistryStore::Save(std::string_view section, std::string_view key, std::string_view value) {
    std::wstring path = root_ + L"\\" + platform::Widen(section);
    HKEY raw = nullptr;
    LONG rc = RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw, nullptr);
    if (rc != ERROR_SUCCESS) {
        SetLastError(static_cast<DWORD>(rc));
        platform::ThrowLastError("RegCreateKeyExW");
    }
    platform::UniqueRegKey hkey(raw);
    std::wstring data = platform::Widen(value);
    rc = RegSetValueExW(hkey.get(), platform::Widen(key).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                        static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    if (rc != ERROR_SUCCESS) {
        SetLastError(static_cast<DWORD>(rc));
        platform::ThrowLastError("RegSetValueExW");
    }
}

}  // namespace settings
