#include "smoke_system.h"

#include <tlhelp32.h>

#include <stdio.h>

static const WCHAR RunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
static const WCHAR RunValueName[] = L"CLICKPOCKET";

std::string Utf8(const std::wstring& text)
{
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, 0, 0, 0, 0);
    std::string out(size > 0 ? size : 1, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &out[0], size, 0, 0);
    out.resize(out.size() - 1);
    return out;
}

bool Is64BitWindows()
{
#ifdef _WIN64
    return true;
#else
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
#endif
}

std::vector<RunPlace> RunPlaces()
{
    std::vector<RunPlace> places;
    places.push_back({ "HKCU", HKEY_CURRENT_USER, 0 });
    if (Is64BitWindows()) {
        places.push_back({ "HKLM (64-bit view)", HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY });
        places.push_back({ "HKLM (32-bit view)", HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY });
    } else {
        places.push_back({ "HKLM", HKEY_LOCAL_MACHINE, 0 });
    }
    return places;
}

RunValue ReadRunValue(const RunPlace& place)
{
    RunValue value = { false, REG_NONE, {} };
    HKEY key;
    if (RegOpenKeyExW(place.root, RunKey, 0, KEY_QUERY_VALUE | place.view, &key) != ERROR_SUCCESS)
        return value;
    DWORD size = 0;
    if (RegQueryValueExW(key, RunValueName, 0, &value.type, 0, &size) == ERROR_SUCCESS) {
        value.data.resize(size);
        value.present = RegQueryValueExW(key, RunValueName, 0, &value.type,
                                         size ? &value.data[0] : 0, &size) == ERROR_SUCCESS;
        value.data.resize(size);
    }
    RegCloseKey(key);
    return value;
}

bool SameRunValue(const RunValue& a, const RunValue& b)
{
    return a.present == b.present && (!a.present || (a.type == b.type && a.data == b.data));
}

bool WriteRunValue(const RunPlace& place, const RunValue& saved)
{
    HKEY key;
    if (RegCreateKeyExW(place.root, RunKey, 0, 0, 0, KEY_QUERY_VALUE | KEY_SET_VALUE | place.view,
                        0, &key, 0) != ERROR_SUCCESS)
        return false;
    LONG result = saved.present
        ? RegSetValueExW(key, RunValueName, 0, saved.type,
                         saved.data.empty() ? 0 : &saved.data[0],
                         static_cast<DWORD>(saved.data.size()))
        : RegDeleteValueW(key, RunValueName);
    RegCloseKey(key);
    return result == ERROR_SUCCESS || (!saved.present && result == ERROR_FILE_NOT_FOUND);
}

bool RunValueNames(const RunValue& value, const std::wstring& program)
{
    if (!value.present || (value.type != REG_SZ && value.type != REG_EXPAND_SZ))
        return false;
    std::wstring text(reinterpret_cast<const WCHAR*>(value.data.data()),
                      value.data.size() / sizeof(WCHAR));
    text = text.substr(0, text.find(L'\0'));
    if (text.size() >= 2 && text[0] == L'"' && text[text.size() - 1] == L'"')
        text = text.substr(1, text.size() - 2);
    return lstrcmpiW(text.c_str(), program.c_str()) == 0;
}

bool FileExistsW(const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring FolderOf(const std::wstring& path)
{
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

std::wstring MakeScratchFolder()
{
    WCHAR temp[MAX_PATH + 1];
    DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH)
        return L"";
    WCHAR name[64];
    for (int attempt = 0; attempt < 100; ++attempt) {
        wsprintfW(name, L"cpsmoke-%lu-%d", GetCurrentProcessId(), attempt);
        std::wstring folder = std::wstring(temp) + name;
        if (!CreateDirectoryW(folder.c_str(), 0))
            continue;
        WCHAR full[32768];
        DWORD longLength = GetLongPathNameW(folder.c_str(), full, 32768);
        return longLength > 0 && longLength < 32768 ? std::wstring(full) : folder;
    }
    return L"";
}

static bool IsFlagFile(const WCHAR* name)
{
    size_t length = lstrlenW(name);
    return length >= 4 && lstrcmpiW(name + length - 4, L".dat") == 0;
}

int CopyProgramFiles(const std::wstring& from, const std::wstring& to)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((from + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return -1;
    int copied = 0;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || IsFlagFile(found.cFileName))
            continue;
        if (!CopyFileW((from + L"\\" + found.cFileName).c_str(),
                       (to + L"\\" + found.cFileName).c_str(), TRUE)) {
            copied = -1;
            break;
        }
        ++copied;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return copied;
}

// One pass over the tree; false (and `blocked` set) when something stays.
static bool RemoveTree(const std::wstring& folder, std::wstring* blocked)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    bool removed = true;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removed = RemoveTree(path, blocked) && removed;
                continue;
            }
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!DeleteFileW(path.c_str())) {
                *blocked = path;
                removed = false;
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    if (removed && !RemoveDirectoryW(folder.c_str())
        && GetFileAttributesW(folder.c_str()) != INVALID_FILE_ATTRIBUTES) {
        *blocked = folder;
        removed = false;
    }
    return removed;
}

bool RemoveFolderWithin(const std::wstring& folder, DWORD ms, std::wstring* blocked)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (RemoveTree(folder, blocked))
            return true;
        if (GetTickCount() - start >= ms)
            return false;
        Sleep(250);
    }
}

std::string WineVersion()
{
    typedef const char* (*WineVersionProc)();
    WineVersionProc version = reinterpret_cast<WineVersionProc>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")));
    return version != 0 ? version() : "";
}

static std::string WindowsVersion()
{
    typedef LONG (WINAPI *RtlGetVersionProc)(OSVERSIONINFOW*);
    RtlGetVersionProc getVersion = reinterpret_cast<RtlGetVersionProc>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlGetVersion")));
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof info;
    char text[64] = "Windows";
    if (getVersion != 0 && getVersion(&info) == 0)
        snprintf(text, sizeof text, "Windows %lu.%lu.%lu", info.dwMajorVersion,
                 info.dwMinorVersion, info.dwBuildNumber);
    return text;
}

static std::string Account()
{
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return "account unknown";
    TOKEN_ELEVATION_TYPE type = TokenElevationTypeDefault;
    DWORD size = 0;
    GetTokenInformation(token, TokenElevationType, &type, sizeof type, &size);
    CloseHandle(token);
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID administrators = 0;
    BOOL member = FALSE;
    if (AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS,
                                 0, 0, 0, 0, 0, 0, &administrators)) {
        CheckTokenMembership(0, administrators, &member);
        FreeSid(administrators);
    }
    if (type == TokenElevationTypeFull)
        return "administrator, elevated";
    if (type == TokenElevationTypeLimited)
        return "administrator's account, not elevated";
    return member ? "administrator, UAC off or built-in account" : "standard account";
}

std::string SystemSummary()
{
    std::string wine = WineVersion();
    std::string text = wine.empty() ? WindowsVersion() : "Wine " + wine;
    text += Is64BitWindows() ? " (64-bit), " : " (32-bit), ";
    return text + Account();
}

std::wstring ProgramRunningFrom(const std::wstring& folder)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return L"";
    std::wstring running;
    PROCESSENTRY32W entry;
    entry.dwSize = sizeof entry;
    std::wstring prefix = folder + L"\\";
    for (BOOL more = Process32FirstW(snapshot, &entry); more && running.empty();
         more = Process32NextW(snapshot, &entry)) {
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE,
                                     entry.th32ProcessID);
        if (process == 0)
            continue;
        WCHAR image[32768];
        DWORD size = 32768;
        if (QueryFullProcessImageNameW(process, 0, image, &size) && size > prefix.size()
            && CompareStringOrdinal(image, static_cast<int>(prefix.size()), prefix.c_str(),
                                    static_cast<int>(prefix.size()), TRUE) == CSTR_EQUAL)
            running = image;
        CloseHandle(process);
    }
    CloseHandle(snapshot);
    return running;
}
