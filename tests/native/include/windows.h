// The native build's view of the platform: only the types, constants and string helpers that the
// plug-in's rule code (what it decides without a window) uses. Nothing here behaves like Windows
// beyond what those helpers are documented to do; a call the rule code does not make is not
// declared, so it fails to build.
#pragma once

#include <cstddef>
#include <cstdint>

#define WINAPI
#define APIENTRY
#define CALLBACK
#define TEXT(quote) u##quote

typedef void* PVOID;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef char CHAR;
typedef char16_t WCHAR;
typedef int16_t SHORT;
typedef uint16_t USHORT;
typedef int INT;
typedef unsigned int UINT;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef uint32_t DWORD;
typedef int64_t LONGLONG;
typedef uint64_t ULONGLONG;
typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef int BOOL;
typedef intptr_t INT_PTR;
typedef uintptr_t UINT_PTR;
typedef intptr_t LONG_PTR;
typedef uintptr_t ULONG_PTR;
typedef LONG HRESULT;
typedef BYTE* LPBYTE;
typedef DWORD* LPDWORD;
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;
typedef const CHAR* LPCSTR;
typedef void* HANDLE;
typedef struct HWND__* HWND;
typedef struct HINSTANCE__* HMODULE;
typedef struct HMENU__* HMENU;
typedef struct HKEY__* HKEY;

#define TRUE 1
#define FALSE 0
#define MAX_PATH 260

#define ERROR_SUCCESS 0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_INSUFFICIENT_BUFFER 122L
#define ERROR_MORE_DATA 234L

#define S_OK ((HRESULT)0)
#define E_FAIL ((HRESULT)0x80004005L)
#define E_NOTIMPL ((HRESULT)0x80004001L)

// --- Chosen paths, paper-name lists, typed numbers and addresses, the locale catalogue parser
// and the embosser's state file. (Definitions that another area's block may hold as well are
// written exactly as there, so either block may come first.)
#include <cstring>

#define ZeroMemory(d, n) std::memset((d), 0, (n))
#define CopyMemory(d, s, n) std::memcpy((d), (s), (n))
#define SUCCEEDED(hr) (((HRESULT)(hr)) >= 0)
#define FAILED(hr) (((HRESULT)(hr)) < 0)
#define ARRAYSIZE(a) (sizeof(a) / sizeof((a)[0]))

typedef size_t SIZE_T;

typedef struct tagSIZE {
    LONG cx;
    LONG cy;
} SIZE;

typedef struct tagPOINT {
    LONG x;
    LONG y;
} POINT;

typedef struct _RECTL {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
} RECTL;

// DEVMODEW dmFields bits that name the paper.
#define DM_PAPERSIZE 0x00000002L
#define DM_PAPERLENGTH 0x00000004L
#define DM_PAPERWIDTH 0x00000008L
#define DM_FORMNAME 0x00010000L

int WINAPI lstrlenW(LPCWSTR text);

// The C runtime's readings of a typed number (stdlib.h on Windows); tests/native/strings.cpp
// says what they accept.
double _wtof(const WCHAR* text);
int _wtoi(const WCHAR* text);
