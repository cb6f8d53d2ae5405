/* What the C host needs of the system, one file per system. */
#ifndef QUORLIN_C_HOST_PLATFORM_H
#define QUORLIN_C_HOST_PLATFORM_H

#include <stddef.h>

/* The library at path, or NULL after printing why not. */
void* HostLoad(const char* path);
/* The address of the export of that name whose arguments take argumentBytes on the stack
   (32-bit Windows exports it as _name@argumentBytes), or NULL. */
void* HostSymbol(void* library, const char* name, int argumentBytes);
/* 0 when the library was unloaded. */
int HostUnload(void* library);
/* Makes a fresh folder that the database drivers can name too; 0 on success. */
int HostMakeTempFolder(char* path, size_t size);
void HostRemoveFile(const char* path);
void HostRemoveFolder(const char* path);

#endif
