// What cpsmoke touches on the PC and puts back: the "CLICKPOCKET" Run values and
// its temporary folder; and what it tells about the system for the record.
#ifndef CLICKPOCKET_TEST_SMOKE_SYSTEM_H
#define CLICKPOCKET_TEST_SMOKE_SYSTEM_H

#include <windows.h>

#include <string>
#include <vector>

std::string Utf8(const std::wstring& text);

// A Run key where ClickPocket may write its value: HKCU, and HKLM in each
// registry view this system has (one on 32-bit Windows, two on 64-bit).
struct RunPlace {
    const char* name;
    HKEY root;
    REGSAM view;
};
std::vector<RunPlace> RunPlaces();

struct RunValue {
    bool present;
    DWORD type;
    std::vector<BYTE> data;
};
RunValue ReadRunValue(const RunPlace& place);
bool SameRunValue(const RunValue& a, const RunValue& b);
// Puts a saved value back (or deletes the value when none was saved).
bool WriteRunValue(const RunPlace& place, const RunValue& saved);
// True when the value starts `program` (its full path, quoted or not).
bool RunValueNames(const RunValue& value, const std::wstring& program);

// A new empty folder of cpsmoke's own under the user's temporary folder, in its
// long form (the temporary path is often given in 8.3 form); empty on failure.
std::wstring MakeScratchFolder();
// Copies the files (not the folders, nor the flag files *.dat) of `from` into
// `to`; the number copied, or -1.
int CopyProgramFiles(const std::wstring& from, const std::wstring& to);
// Deletes the folder and everything in it, trying again for up to `ms` while a
// file is in use (programs that still have ClickPocket.dll mapped). On failure,
// `blocked` names what could not be deleted.
bool RemoveFolderWithin(const std::wstring& folder, DWORD ms, std::wstring* blocked);

bool FileExistsW(const std::wstring& path);
std::wstring FolderOf(const std::wstring& path);

// Wine's version when running under Wine, else empty.
std::string WineVersion();
bool Is64BitWindows();
// "Windows 10.0.22631 (64-bit), administrator, elevated" and the like.
std::string SystemSummary();

// A program of this folder that still runs (its path begins with the folder), or
// an empty text.
std::wstring ProgramRunningFrom(const std::wstring& folder);

#endif
