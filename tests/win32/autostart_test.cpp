// The Run value, in Wine's real registry.
#include <gtest/gtest.h>

#include <string>

#include "core/autostart.h"
#include "win32_support.h"

namespace {

const char RunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

struct RunValue {
    bool present = false;
    DWORD type = 0;
    std::string data;        // as stored, terminating zero included
};

RunValue ReadRunValue()
{
    RunValue value;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, RunKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return value;
    char data[8192];
    DWORD size = sizeof data;
    if (RegQueryValueExA(key, "CLICKPOCKET", 0, &value.type, reinterpret_cast<BYTE*>(data),
                         &size) == ERROR_SUCCESS) {
        value.present = true;
        value.data.assign(data, size);
    }
    RegCloseKey(key);
    return value;
}

void WriteRaw(const std::string& data)
{
    HKEY key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, RunKey, 0, 0, 0, KEY_WRITE, 0, &key, 0);
    RegSetValueExA(key, "CLICKPOCKET", 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>(data.size() + 1));
    RegCloseKey(key);
}

class Autostart : public ::testing::Test {
protected:
    void TearDown() override
    {
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, RunKey, 0, KEY_WRITE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, "CLICKPOCKET");
            RegCloseKey(key);
        }
    }
};

TEST_F(Autostart, WritesTheBarePathWithItsTerminator)
{
    char module[MAX_PATH];
    GetModuleFileNameA(0, module, sizeof module);
    WriteRaw("C:\\elsewhere\\ClickPocket.exe");   // a copy from another folder is replaced
    MessageBoxWatcher watcher;
    ASSERT_TRUE(SetAutostart(0, true));
    RunValue value = ReadRunValue();
    ASSERT_TRUE(value.present);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), value.type);
    EXPECT_EQ(std::string(module) + '\0', value.data);
    EXPECT_EQ(std::string::npos, value.data.find('"'));
    EXPECT_TRUE(watcher.seen().empty());
}

TEST_F(Autostart, RemovesTheValueAndIsSilentWhenItIsAbsent)
{
    MessageBoxWatcher watcher;
    ASSERT_TRUE(SetAutostart(0, true));
    ASSERT_TRUE(SetAutostart(0, false));
    EXPECT_FALSE(ReadRunValue().present);
    EXPECT_TRUE(SetAutostart(0, false));
    EXPECT_TRUE(watcher.seen().empty());
}

TEST_F(Autostart, AValueTooLongToReadIsLeftInPlace)
{
    std::string longPath = "C:\\" + std::string(3000, 'x') + "\\ClickPocket.exe";
    WriteRaw(longPath);
    MessageBoxWatcher watcher;
    EXPECT_TRUE(SetAutostart(0, false));
    RunValue value = ReadRunValue();
    ASSERT_TRUE(value.present);
    EXPECT_EQ(longPath + '\0', value.data);
    EXPECT_TRUE(watcher.seen().empty());
}

}  // namespace
