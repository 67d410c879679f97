// Calls that newer Windows versions have and older ones lack, looked up at run
// time so that the program still starts where they are missing; and calls of
// system libraries that only some uses need, loaded when first used.
#ifndef CLICKPOCKET_SYSTEM_CALLS_H
#define CLICKPOCKET_SYSTEM_CALLS_H

// The address of `name` in the already loaded system library `module`, or null.
void* FindSystemCall(const char* module, const char* name);

// The same, loading the system library first if need be; it stays loaded.
void* LoadSystemCall(const char* module, const char* name);

#endif
