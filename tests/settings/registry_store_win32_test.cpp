// The registry store under Wine: round trip, defaults with nothing stored, values that are
// not text, and where the values live (REG_SZ under the classic per-user settings key).
// What a stored text means is the native settings_store_test's.
#include "settings/registry_store_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/runtime_win32.h"

namespace settings {
namespace {

// Each test works on an application name of its own, removed before and after.
class RegistryStoreTest : public testing::Test {
protected:
    static constexpr char kApp[] = "BrackmerSaverTest";
    static constexpr wchar_t kKey[] = L"Software\\VB and VBA Program Settings\\BrackmerSaverTest";
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kKey); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kKey); }

    static void PutRaw(const wchar_t* section, const wchar_t* name, DWORD type, const void* data, DWORD size) {
        std::wstring path = std::wstring(kKey) + L"\\" + section;
        HKEY k = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(k, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(k);
    }
};

TEST_F(RegistryStoreTest, NothingStoredIsNoText) {
    RegistryStore store(kApp);
    EXPECT_EQ(store.Get("Setting", "RedCount"), std::nullopt);
}

TEST_F(RegistryStoreTest, RoundTripStoresRegSzTexts) {
    RegistryStore store(kApp);
    SaveSaverSettings(store, {2, 15, kPlainBlue});
    SaverSettings s = LoadSaverSettings(store);
    EXPECT_EQ(s.redCount, 2);
    EXPECT_EQ(s.blueCount, 15);
    EXPECT_EQ(s.background, kPlainBlue);

    // Read raw: RegGetValue would report an expandable string as a plain one.
    wchar_t buf[32] = {};
    DWORD size = sizeof buf, type = 0;
    std::wstring path = std::wstring(kKey) + L"\\Setting";
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    const LONG rc = RegQueryValueExW(key, L"BlueCount", nullptr, &type, reinterpret_cast<BYTE*>(buf), &size);
    RegCloseKey(key);
    ASSERT_EQ(rc, ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, sizeof L"15");
    EXPECT_STREQ(buf, L"15");
}

TEST_F(RegistryStoreTest, NonAsciiTextSurvives) {
    RegistryStore store(kApp);
    const std::string folder = "C:\\\xe3\x82\xb9\xe3\x82\xaf\xe3\x83\xaa\xe3\x83\xbc\xe3\x83\xb3";  // C:\スクリーン
    RecordVersionInfo(store, {1, 0, 0}, folder);
    EXPECT_EQ(store.Get("UpdateInfo", "ApplicationPath"), folder);
    EXPECT_EQ(store.Get("UpdateInfo", "CurrentVersion"), "1.00.0000");
}

TEST_F(RegistryStoreTest, OnlyTextValuesAreRead) {
    // 0x37 is also the UTF-16 code of "7": read as text it would pass for a count of 7.
    const DWORD seven = 0x37, one = 1;
    PutRaw(L"Setting", L"RedCount", REG_DWORD, &seven, sizeof seven);
    PutRaw(L"Setting", L"BackGround", REG_DWORD, &one, sizeof one);
    const wchar_t nine[] = L"9";
    PutRaw(L"Setting", L"BlueCount", REG_EXPAND_SZ, nine, sizeof nine);
    RegistryStore store(kApp);
    EXPECT_EQ(store.Get("Setting", "RedCount"), std::nullopt);
    EXPECT_EQ(store.Get("Setting", "BackGround"), std::nullopt);
    EXPECT_EQ(store.Get("Setting", "BlueCount"), "9");
    EXPECT_EQ(store.Get("Setting", "Missing"), std::nullopt);  // beside stored values
}

TEST_F(RegistryStoreTest, StringWithoutTerminatorIsRead) {
    const wchar_t data[] = {L'1', L'2'};  // no terminating zero stored
    PutRaw(L"Setting", L"RedCount", REG_SZ, data, sizeof data);
    RegistryStore store(kApp);
    EXPECT_EQ(store.Get("Setting", "RedCount"), "12");
}

}  // namespace
}  // namespace settings
