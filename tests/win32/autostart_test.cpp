// The Run value, in Wine's real registry. The machine's two registry views are
// played by keys of the test's own under HKCU, which the registry seam opens in
// HKLM's place: a 32-bit Wine prefix has one view only, and the tests must not
// leave anything in the prefix's HKLM.
#include <gtest/gtest.h>

#include <ctype.h>

#include <string>

#include "core/autostart.h"
#include "win32_support.h"

namespace {

const char RunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char MachineViews[] = "Software\\ClickPocketTests";

enum Place { User, Machine64, Machine32 };

// Where the seam keeps HKLM's Run key of one view; without a view flag a
// program sees its own (a 32-bit program WOW6432Node on 64-bit Windows).
std::string MachineKey(REGSAM access)
{
    bool view32 = (access & KEY_WOW64_32KEY) != 0
                  || ((access & KEY_WOW64_64KEY) == 0 && sizeof(void*) == 4);
    return std::string(MachineViews) + (view32 ? "\\Machine32\\" : "\\Machine64\\") + RunKey;
}

std::string KeyOf(Place place)
{
    return place == User ? RunKey : MachineKey(place == Machine32 ? KEY_WOW64_32KEY
                                                                  : KEY_WOW64_64KEY);
}

struct RunValue {
    bool present = false;
    DWORD type = 0;
    std::string data;        // as stored, terminating zero included
};

RunValue ReadRunValue(Place place = User)
{
    RunValue value;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, KeyOf(place).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
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

void WriteRaw(const std::string& data, Place place = User)
{
    HKEY key;
    RegCreateKeyExA(HKEY_CURRENT_USER, KeyOf(place).c_str(), 0, 0, 0, KEY_WRITE, 0, &key, 0);
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

const REGSAM Views = KEY_WOW64_32KEY | KEY_WOW64_64KEY;

LONG WINAPI SeamCreateKey(HKEY root, const char* subKey, DWORD reserved, char* keyClass,
                          DWORD options, REGSAM access, SECURITY_ATTRIBUTES* security,
                          HKEY* key, DWORD* disposition)
{
    if (Refused(root))
        return ERROR_ACCESS_DENIED;
    if (root == HKEY_LOCAL_MACHINE)
        return RegCreateKeyExA(HKEY_CURRENT_USER, MachineKey(access).c_str(), reserved, keyClass,
                               options, access & ~Views, security, key, disposition);
    return RegCreateKeyExA(root, subKey, reserved, keyClass, options, access, security, key,
                           disposition);
}

LONG WINAPI SeamOpenKey(HKEY root, const char* subKey, DWORD options, REGSAM access, HKEY* key)
{
    if (Refused(root) && (access & (KEY_SET_VALUE | KEY_CREATE_SUB_KEY)) != 0)
        return ERROR_ACCESS_DENIED;
    if (root == HKEY_LOCAL_MACHINE)
        return RegOpenKeyExA(HKEY_CURRENT_USER, MachineKey(access).c_str(), options,
                             access & ~Views, key);
    return RegOpenKeyExA(root, subKey, options, access, key);
}

class Autostart : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = AutostartRegistry;
        AutostartRegistry.createKey = SeamCreateKey;
        AutostartRegistry.openKey = SeamOpenKey;
        RefuseMachine = RefuseUser = false;
    }
    void TearDown() override
    {
        AutostartRegistry = saved_;
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, RunKey, 0, KEY_WRITE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, "CLICKPOCKET");
            RegCloseKey(key);
        }
        RegDeleteTreeA(HKEY_CURRENT_USER, MachineViews);
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

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return text;
}

TEST_F(Autostart, WritesTheUsersValueQuotedWithItsTerminator)
{
    WriteRaw("C:\\elsewhere\\ClickPocket.exe");   // a copy from another folder is replaced
    MessageBoxWatcher watcher;
    ASSERT_TRUE(SetAutostart(0, true));
    RunValue value = ReadRunValue(User);
    ASSERT_TRUE(value.present);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), value.type);
    EXPECT_EQ(Quoted(ThisProgram()) + '\0', value.data);
    EXPECT_FALSE(ReadRunValue(Machine64).present);      // with every right to write there
    EXPECT_FALSE(ReadRunValue(Machine32).present);
    EXPECT_TRUE(watcher.seen().empty());
}

TEST_F(Autostart, AMachineValueNamingThisProgramGoesFromBothViews)
{
    // As an earlier version left it, quoted or not, in other letter case; in
    // either view, or both. The start and Exit each take it away.
    for (bool enable : { true, false })
        for (const std::string& stored : { ThisProgram(), Quoted(ThisProgram()),
                                           Upper(ThisProgram()) }) {
            WriteRaw(stored, Machine64);
            WriteRaw(stored, Machine32);
            MessageBoxWatcher watcher;
            ASSERT_TRUE(SetAutostart(0, enable)) << stored;
            EXPECT_FALSE(ReadRunValue(Machine64).present) << stored;
            EXPECT_FALSE(ReadRunValue(Machine32).present) << stored;
            EXPECT_EQ(enable, ReadRunValue(User).present) << stored;
            EXPECT_TRUE(watcher.seen().empty());
        }
}

TEST_F(Autostart, AMachineValueOfAnotherCopyOrOneNotOursToRemoveStaysWithoutABox)
{
    WriteRaw("\"C:\\elsewhere\\ClickPocket.exe\"", Machine64);
    WriteRaw(ThisProgram() + "2", Machine32);           // same beginning, another file
    for (bool enable : { true, false }) {
        MessageBoxWatcher watcher;
        ASSERT_TRUE(SetAutostart(0, enable));
        EXPECT_EQ(std::string("\"C:\\elsewhere\\ClickPocket.exe\"") + '\0',
                  ReadRunValue(Machine64).data);
        EXPECT_EQ(ThisProgram() + "2" + '\0', ReadRunValue(Machine32).data);
        EXPECT_TRUE(watcher.seen().empty());
    }

    // A standard account: an administrator's value for this very program stays,
    // and neither the start nor Exit shows a box for it.
    WriteRaw(ThisProgram(), Machine64);
    WriteRaw(ThisProgram(), Machine32);
    RefuseMachine = true;
    for (bool enable : { true, false }) {
        MessageBoxWatcher watcher;
        ASSERT_TRUE(SetAutostart(0, enable));
        EXPECT_EQ(enable, ReadRunValue(User).present);
        EXPECT_TRUE(ReadRunValue(Machine64).present);
        EXPECT_TRUE(ReadRunValue(Machine32).present);
        EXPECT_TRUE(watcher.seen().empty());
    }
}

TEST_F(Autostart, TheErrorShowsOnlyForTheUsersOwnValue)
{
    WriteRaw(ThisProgram(), Machine64);
    RefuseUser = true;
    MessageBoxWatcher watcher;
    EXPECT_FALSE(SetAutostart(0, true));
    EXPECT_FALSE(ReadRunValue(User).present);
    EXPECT_FALSE(ReadRunValue(Machine64).present);      // what could go, went
    std::vector<SeenMessageBox> seen = watcher.seen();
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ("Failed to update the registry !", seen[0].text);
    EXPECT_EQ("ClickPocket 1.0", seen[0].caption);

    // Exit with a value of the user's that the account may not remove.
    RefuseUser = false;
    WriteRaw(ThisProgram(), User);
    RefuseUser = true;
    EXPECT_FALSE(SetAutostart(0, false));
    EXPECT_TRUE(ReadRunValue(User).present);
    EXPECT_EQ(2u, watcher.seen().size());
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
    WriteRaw(longPath, Machine64);
    MessageBoxWatcher watcher;
    EXPECT_TRUE(SetAutostart(0, false));
    RunValue value = ReadRunValue();
    ASSERT_TRUE(value.present);
    EXPECT_EQ(longPath + '\0', value.data);
    EXPECT_EQ(longPath + '\0', ReadRunValue(Machine64).data);
    EXPECT_TRUE(watcher.seen().empty());
}

}  // namespace
