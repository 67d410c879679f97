// Counts the GDI objects of a process, for the leak checks. Windows answers
// GetGuiResources; Wine answers 0 there, but keeps a per-process handle table
// whose address is in the PEB (GdiSharedHandleTable): entries of 24 bytes with
// the object type in byte 14, 0 for a free entry. (The first 8 bytes chain the
// free entries, and bytes 12-13 keep the last handle's high word.)
#ifndef CLICKPOCKET_GDI_COUNT_H
#define CLICKPOCKET_GDI_COUNT_H

#include <windows.h>
#include <winternl.h>

#include <stddef.h>
#include <vector>

const size_t GdiTableEntries = 0x10000;
const size_t GdiEntrySize = 24;
const size_t GdiEntryTypeOffset = 14;
#ifdef _WIN64
const size_t PebGdiTableOffset = 0xF8;
#else
const size_t PebGdiTableOffset = 0x94;
#endif

inline long CountGdiTable(const unsigned char* table)
{
    long count = 0;
    for (size_t i = 0; i < GdiTableEntries; ++i)
        count += table[i * GdiEntrySize + GdiEntryTypeOffset] != 0 ? 1 : 0;
    return count;
}

typedef LONG(NTAPI* QueryProcessFn)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);

// The GDI object count of a process opened with PROCESS_QUERY_INFORMATION |
// PROCESS_VM_READ (the current process too), or -1 when it cannot be read.
inline long CountGdiObjects(HANDLE process)
{
    DWORD answered = GetGuiResources(process, GR_GDIOBJECTS);
    if (answered != 0)
        return static_cast<long>(answered);
    QueryProcessFn query = reinterpret_cast<QueryProcessFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic;
    if (query == 0 || query(process, ProcessBasicInformation, &basic, sizeof basic, 0) != 0)
        return -1;
    void* table = 0;
    SIZE_T read = 0;
    const char* peb = reinterpret_cast<const char*>(basic.PebBaseAddress);
    if (!ReadProcessMemory(process, peb + PebGdiTableOffset, &table, sizeof table, &read) ||
        table == 0)
        return -1;
    std::vector<unsigned char> copy(GdiTableEntries * GdiEntrySize);
    if (!ReadProcessMemory(process, table, copy.data(), copy.size(), &read) ||
        read != copy.size())
        return -1;
    return CountGdiTable(copy.data());
}

#endif
