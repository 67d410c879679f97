// The contract between ClickPocket.exe and its hook library ClickPocket.dll.
//
// The program loads the library from its own folder (InstallDir + the file name
// below, never from the search path), installs the exported WH_MOUSE procedure
// for all threads, and publishes what the procedure needs in a hidden relay
// window: once the relay carries the ready title, its static controls hold the
// control window's handle, the hook handle and the Shift option as text. The library answers a middle click by delivering the
// registered private message to the control window:
//   wParam 0        open the workspace folder,
//   wParam non-zero show the control window (Left Control held).
// lParam is not read.
//
// Both sides include this header, and so does the resource script (plain
// #defines only, which the resource compiler understands).
#ifndef CLICKPOCKET_HOOK_CONTRACT_H
#define CLICKPOCKET_HOOK_CONTRACT_H

#define HOOK_LIBRARY_FILE      "ClickPocket.dll"
// The program's file name as it ships. A relay counts for the library only when
// its process runs, from the library's own folder, a file whose name begins with
// PROGRAM_NAME_START and ends with PROGRAM_NAME_END, in any letter case (a second
// download comes as "ClickPocket (2).exe"), or that file's 8.3 alias.
#define PROGRAM_FILE           "ClickPocket.exe"
#define PROGRAM_NAME_START     "ClickPocket"
#define PROGRAM_NAME_END       ".exe"
#define HOOK_PROC_EXPORT       "CLICKPOCKET_MSP"
#define PRIVATE_MESSAGE_NAME   "uCLICKPOCKET_PRIVATEMSG"

// The relay is created from this template and keeps its caption while it is
// being filled; it takes the ready title only after all three fields are set.
#define RELAY_TEMPLATE_NAME    "cp_dn475dc_0"
#define RELAY_TITLE_PENDING    "cp_dn475dc_0"
#define RELAY_TITLE_READY      "cp_dn475dc_1"

// Relay fields: control ids and what their texts hold.
#define RELAY_FIELD_MAIN_WINDOW  100   // control window handle, unsigned decimal ("%lu")
#define RELAY_FIELD_HOOK_HANDLE  101   // hook handle, unsigned decimal ("%lu")
#define RELAY_FIELD_SHIFT_OPTION 102   // "1": folder only with Left Shift held; "0": always

#define REQUEST_OPEN_FOLDER    0
#define REQUEST_SHOW_WINDOW    1

#endif
