/*
 * Quorlin: relational databases through ODBC for host applications, as a flat C table.
 *
 * The contract, for every export below:
 *
 * - Calling convention: QUORLIN_CALL (stdcall on 32-bit Windows, where the exports carry
 *   decorated names such as _SQLConnectToDatabase@4; the platform default elsewhere).
 * - Results: most exports return 0 on success and -1 on failure. The exports that fill a
 *   buffer or an array (SQLGetDataSourceDesc, SQLGetConnect, SQLGetFieldValue, SQLGet,
 *   GetBindTable) return 1 on success and 0 on failure. SQLConnectToDatabase returns a
 *   connection id (0 or greater) or -1; SQLGetRowCount a count or -1. Table creation
 *   returns 0 once its statement was sent, even if the database rejected it.
 * - Errors: a failure leaves its message in one library-wide last-error text (at most 499
 *   characters, "Success" after load) that SQLLastError copies out. Nothing clears it on
 *   success. With SQLSetDebug(1) every message is also shown in a message box where a
 *   display exists. No exception ever leaves an export.
 * - Texts are zero-terminated 8-bit texts in the process code page (the locale's character
 *   set on Linux). A null input text counts as the empty text. A null output buffer,
 *   out-pointer or result address makes the export fail and write nothing.
 * - Buffers belong to the caller; the library keeps no pointer to any argument after an
 *   export returns. SQLLastError, SQLGetConnect and SQLGetDataSourceDesc copy a whole text
 *   with its terminator, or nothing if it does not fit. SQLGetFieldValue and SQLGet copy
 *   like strncpy: zero-filled up to the size, and no terminator forced when the value
 *   fills the buffer, so reserve one byte more than the longest value expected. A size or
 *   count below 1 writes nothing.
 * - BindEntry arrays from GetBindTable are one block allocated with the C++ runtime's
 *   operator new; the receiver owns it and frees it with QuorlinFreeBindTable (below):
 *   operator delete from C++; from C on Linux the C++ runtime's operator delete by its
 *   ABI name, so link the C++ runtime (-lstdc++; pkg-config adds it); on Windows free(),
 *   since the DLL's operator new takes its memory from the C runtime's malloc.
 * - Threads: every export holds one library-wide lock while it runs, so calls from several
 *   threads run one after another. The state (connections, cached results, the current
 *   recordset, the last-error text, the debug flag) is shared by all threads: concurrent
 *   use is safe but interleaves.
 */
#ifndef QUORLIN_H
#define QUORLIN_H

/* The library's version, written here once: the build reads it from this file for the shared
   objects' names (libquorlin.so.1), the DLLs' version resources, the packages and qhost. A
   change of MAJOR breaks hosts; MINOR adds; PATCH mends. */
#define QUORLIN_VERSION_MAJOR 1
#define QUORLIN_VERSION_MINOR 0
#define QUORLIN_VERSION_PATCH 0
#define QUORLIN_VERSION "1.0.0"

/* Resource scripts include this file for the version alone. */
#ifndef RC_INVOKED

#if defined(_WIN32) && !defined(_WIN64)
#define QUORLIN_CALL __stdcall
#else
#define QUORLIN_CALL
#endif

/* On Windows the module-definition file is the whole export table (decorated names only),
   so nothing is marked dllexport there. */
#if defined(QUORLIN_BUILDING) && !defined(_WIN32)
#define QUORLIN_API __attribute__((visibility("default")))
#else
#define QUORLIN_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* One field of a bind-table file, as GetBindTable hands it out and SQLGet reads it. */
typedef struct BindEntry {
  char fieldName[64]; /* zero-terminated field name */
  int typeCode;       /* column type code: 2 (CHAR) and 3 (DATE) are quoted in SQL */
  char detail[64];    /* zero-terminated, carried for the host */
} BindEntry;

#if defined(__cplusplus)
static_assert(sizeof(BindEntry) == 132, "BindEntry is shared with hosts: 132 bytes");
#else
_Static_assert(sizeof(BindEntry) == 132, "BindEntry is shared with hosts: 132 bytes");
#endif

/* Frees a block that GetBindTable handed out. */
#if defined(_WIN32)
#include <stdlib.h>
#define QuorlinFreeBindTable(entries) free(entries)
#elif defined(__cplusplus)
#define QuorlinFreeBindTable(entries) ::operator delete(entries)
#else
extern void _ZdlPv(void* block); /* operator delete(void*) of the C++ runtime */
#define QuorlinFreeBindTable(entries) _ZdlPv(entries)
#endif

/* Sizes of the caller-owned blocks. */
#define QUORLIN_LAST_ERROR_SIZE 500 /* the last-error text with its terminator */
#define QUORLIN_GET_SLOT_SIZE 128   /* one value slot of SQLGet */
#define QUORLIN_VALUE_SLOT_SIZE 64  /* one slot of a name or value block */

/* Directions of SQLMoveRecord. */
#define QUORLIN_MOVE_FIRST 0
#define QUORLIN_MOVE_PREVIOUS 1
#define QUORLIN_MOVE_NEXT 2
#define QUORLIN_MOVE_LAST 3

/* Aggregate kinds of SQLAggregate. */
#define QUORLIN_AVG 0
#define QUORLIN_SUM 1
#define QUORLIN_MIN 2
#define QUORLIN_MAX 3
#define QUORLIN_COUNT 4
#define QUORLIN_COUNT_DISTINCT 5

/* Column type codes. */
#define QUORLIN_TYPE_FLOAT 0
#define QUORLIN_TYPE_NUMERIC 1
#define QUORLIN_TYPE_CHAR 2
#define QUORLIN_TYPE_DATE 3

/* Message ids of the library's message table. */
#define QUORLIN_MSG_NO_DATA 1601
#define QUORLIN_MSG_TO_THE_END 1602
#define QUORLIN_MSG_DATABASE_NOT_OPEN 1603
#define QUORLIN_MSG_FAILED_TO_CREATE_TABLE 1604
#define QUORLIN_MSG_TABLE_EMPTY 1605
#define QUORLIN_MSG_CANT_LOAD_DATASHEET 1606
#define QUORLIN_MSG_RECORDSET_NULL 1607
#define QUORLIN_MSG_DATASHEET 1608

/* Frame */
QUORLIN_API void QUORLIN_CALL SQLSetDebug(int flag);
QUORLIN_API int QUORLIN_CALL SQLLastError(char* buffer, unsigned int size);

/* Connections */
QUORLIN_API int QUORLIN_CALL SQLConnectToDatabase(const char* connect);
QUORLIN_API void QUORLIN_CALL SQLDisconnectToDatabase(int id);
QUORLIN_API void QUORLIN_CALL SQLCleanup(void);
QUORLIN_API int QUORLIN_CALL SQLGetConnect(char* buffer, unsigned int size);
QUORLIN_API int QUORLIN_CALL SQLGetDataSourceDesc(char* buffer, unsigned int size);

/* Schema */
QUORLIN_API int QUORLIN_CALL SQLCreateTable(int id, const char* table, const char* datasheet);
QUORLIN_API int QUORLIN_CALL SQLCreateTableEx(int id, int count, const char* table,
                                              const char* names, const int* types,
                                              const int* widths);
QUORLIN_API int QUORLIN_CALL SQLDropTable(int id, const char* table);

/* Queries */
QUORLIN_API int QUORLIN_CALL SQLSelectToTable(int id, const char* table, const char* condition);
QUORLIN_API int QUORLIN_CALL SQLAggregate(int id, const char* table, int kind, const char* column,
                                          double* result, const char* condition);
QUORLIN_API int QUORLIN_CALL SQLExcute(int id, const char* statement);

/* Navigation */
QUORLIN_API int QUORLIN_CALL SQLUseTable(int id, const char* table);
QUORLIN_API int QUORLIN_CALL SQLMoveRecord(unsigned int direction);
QUORLIN_API int QUORLIN_CALL SQLMoveTo(int position);
QUORLIN_API int QUORLIN_CALL SQLGetRowCount(void);

/* Fields */
QUORLIN_API int QUORLIN_CALL SQLGetFieldValue(const char* field, char* buffer, int size);
QUORLIN_API int QUORLIN_CALL SQLGet(int count, const BindEntry* entries, char* buffer);

/* Bind table */
QUORLIN_API int QUORLIN_CALL GetBindTable(const char* path, BindEntry** entries,
                                          unsigned int* count);

/* Record modification */
QUORLIN_API int QUORLIN_CALL SQLInsertRecord(int id, const char* table, const char* bindTable,
                                             const char* values);
QUORLIN_API int QUORLIN_CALL SQLInsertRecordEx(int id, int count, const char* table,
                                               const int* types, const char* names,
                                               const char* values);
QUORLIN_API int QUORLIN_CALL SQLUpdateRecord(int id, const char* table, const char* bindTable,
                                             const char* values, const char* condition);
QUORLIN_API int QUORLIN_CALL SQLDeleteRecord(int id, const char* table, const char* condition);

/* Viewer */
QUORLIN_API void QUORLIN_CALL SQLDisplay(int rowsPerPage);

#ifdef __cplusplus
}
#endif

#endif /* RC_INVOKED */

#endif /* QUORLIN_H */
