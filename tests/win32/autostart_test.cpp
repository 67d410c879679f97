// The Run value, in Wine's real registry.
#include <gtest/gtest.h>

#include <ctype.h>

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

RunValue ReadRunValue(HKEY root = HKEY_LOCAL_MACHINE)
{
    RunValue value;
    HKEY key;
    if (RegOpenKeyExA(root, RunKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
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

void WriteRaw(const std::string& data, HKEY root = HKEY_LOCAL_MACHINE)
{
    HKEY key;
    RegCreateKeyExA(root, RunKey, 0, 0, 0, KEY_WRITE, 0, &key, 0);
    RegSetValueExA(key, "CLICKPOCKET", 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>(data.size() + 1));
    RegCloseKey(key);
}

// The registry as a standard account sees it: the refused roots may be read, but
// neither opened for writing nor created in.
bool RefuseMachine;
bool RefuseUser;

bool Refused(HKEY root)
{
    return (root == HKEY_LOCAL_MACHINE && RefuseMachine)
           || (root == HKEY_CURRENT_USER && RefuseUser);
}

LONG WINAPI RefusingCreateKey(HKEY root, const char* subKey, DWORD reserved, char* keyClass,
                              DWORD options, REGSAM access, SECURITY_ATTRIBUTES* security,
                              HKEY* key, DWORD* disposition)
{
    if (Refused(root))
        return ERROR_ACCESS_DENIED;
    return RegCreateKeyExA(root, subKey, reserved, keyClass, options, access, security, key,
                           disposition);
}

LONG WINAPI RefusingOpenKey(HKEY root, const char* subKey, DWORD options, REGSAM access,
                            HKEY* key)
{
    if (Refused(root) && (access & (KEY_SET_VALUE | KEY_CREATE_SUB_KEY)) != 0)
        return ERROR_ACCESS_DENIED;
    return RegOpenKeyExA(root, subKey, options, access, key);
}

class Autostart : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = AutostartRegistry;
        AutostartRegistry.createKey = RefusingCreateKey;
        AutostartRegistry.openKey = RefusingOpenKey;
        RefuseMachine = RefuseUser = false;
    }
    void TearDown() override
    {
        AutostartRegistry = saved_;
        for (HKEY root : { HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER }) {
            HKEY key;
            if (RegOpenKeyExA(root, RunKey, 0, KEY_WRITE, &key) == ERROR_SUCCESS) {
                RegDeleteValueA(key, "CLICKPOCKET");
                RegCloseKey(key);
            }
        }
    }
    AutostartRegistryCalls saved_;
};

std::string ThisProgram()
{
    char module[MAX_PATH];
    GetModuleFileNameA(0, module, sizeof module);
    return module;
}

std::string Quoted(const std::string& path) { return '"' + path + '"'; }

TEST_F(Autostart, WritesTheQuotedPathWithItsTerminator)
{
    WriteRaw("C:\\elsewhere\\ClickPocket.exe");   // a copy from another folder is replaced
    MessageBoxWatcher watcher;
    ASSERT_TRUE(SetAutostart(0, true));
    RunValue value = ReadRunValue();
    ASSERT_TRUE(value.present);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), value.type);
    EXPECT_EQ(Quoted(ThisProgram()) + '\0', value.data);
    EXPECT_TRUE(watcher.seen().empty());
}

TEST_F(Autostart, AnAccountThatMayNotWriteTheMachineKeyStartsWithItsOwn)
{
    RefuseMachine = true;
    WriteRaw("C:\\elsewhere\\ClickPocket.exe");   // another copy's: not this program
    MessageBoxWatcher watcher;
    ASSERT_TRUE(SetAutostart(0, true));
    RunValue value = ReadRunValue(HKEY_CURRENT_USER);
    ASSERT_TRUE(value.present);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), value.type);
    EXPECT_EQ(Quoted(ThisProgram()) + '\0', value.data);
    EXPECT_TRUE(watcher.seen().empty());

    // Exit: the per-user value goes; the machine's, unwritable, is reported.
    EXPECT_FALSE(SetAutostart(0, false));
    EXPECT_FALSE(ReadRunValue(HKEY_CURRENT_USER).present);
    EXPECT_EQ(1u, watcher.seen().size());
}

TEST_F(Autostart, AMachineValueThatStartsThisProgramIsEnoughForAStandardAccount)
{
    // As an earlier version or an administrator's start left it: quoted or not,
    // in other letter case. The account's own value, which an earlier version
    // added beside it, goes.
    std::string upper = ThisProgram();
    for (char& c : upper)
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    for (const std::string& stored : { ThisProgram(), Quoted(ThisProgram()), upper }) {
        WriteRaw(stored, HKEY_LOCAL_MACHINE);
        WriteRaw(stored, HKEY_CURRENT_USER);      // what an earlier version added
        RefuseMachine = true;
        MessageBoxWatcher watcher;
        ASSERT_TRUE(SetAutostart(0, true)) << stored;
        EXPECT_FALSE(ReadRunValue(HKEY_CURRENT_USER).present) << stored;
        EXPECT_EQ(stored + '\0', ReadRunValue(HKEY_LOCAL_MACHINE).data);
        EXPECT_TRUE(watcher.seen().empty());
    }
}

TEST_F(Autostart, AWritableMachineKeyTakesTheUsersValueAway)
{
    WriteRaw(Quoted(ThisProgram()), HKEY_CURRENT_USER);   // a standard account's start
    MessageBoxWatcher watcher;
    ASSERT_TRUE(SetAutostart(0, true));
    EXPECT_TRUE(ReadRunValue(HKEY_LOCAL_MACHINE).present);
    EXPECT_FALSE(ReadRunValue(HKEY_CURRENT_USER).present);
    EXPECT_TRUE(watcher.seen().empty());
}

TEST_F(Autostart, TheErrorShowsOnlyWhenBothKeysRefuse)
{
    RefuseMachine = RefuseUser = true;
    MessageBoxWatcher watcher;
    EXPECT_FALSE(SetAutostart(0, true));
    EXPECT_FALSE(ReadRunValue(HKEY_LOCAL_MACHINE).present);
    EXPECT_FALSE(ReadRunValue(HKEY_CURRENT_USER).present);
    std::vector<SeenMessageBox> seen = watcher.seen();
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ("Failed to update the registry !", seen[0].text);
    EXPECT_EQ("ClickPocket 1.0", seen[0].caption);
}

TEST_F(Autostart, ExitRemovesTheValueFromBothKeys)
{
    WriteRaw(ThisProgram(), HKEY_LOCAL_MACHINE);
    WriteRaw(ThisProgram(), HKEY_CURRENT_USER);
    MessageBoxWatcher watcher;
    ASSERT_TRUE(SetAutostart(0, false));
    EXPECT_FALSE(ReadRunValue(HKEY_LOCAL_MACHINE).present);
    EXPECT_FALSE(ReadRunValue(HKEY_CURRENT_USER).present);
    EXPECT_TRUE(watcher.seen().empty());
}

TEST_F(Autostart, AMachineValueThatCannotBeRemovedIsReportedOnce)
{
    // Written by an administrator; Exit from an account that may not touch it.
    WriteRaw(ThisProgram(), HKEY_LOCAL_MACHINE);
    WriteRaw(ThisProgram(), HKEY_CURRENT_USER);
    RefuseMachine = true;
    MessageBoxWatcher watcher;
    EXPECT_FALSE(SetAutostart(0, false));
    EXPECT_TRUE(ReadRunValue(HKEY_LOCAL_MACHINE).present);
    EXPECT_FALSE(ReadRunValue(HKEY_CURRENT_USER).present);   // what could go, went
    std::vector<SeenMessageBox> seen = watcher.seen();
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ("Failed to update the registry !", seen[0].text);
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
