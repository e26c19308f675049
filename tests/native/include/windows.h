// The native build's view of the platform: only the types, constants and string helpers that the
// plug-in's rule code (what it decides without a window) uses. Nothing here behaves like Windows
// beyond what those helpers are documented to do; a call the rule code does not make is not
// declared, so it fails to build.
#pragma once

#include <cstddef>
#include <cstdint>

#define WINAPI
#define TEXT(quote) u##quote

typedef void* PVOID;
typedef void* LPVOID;
typedef char CHAR;
typedef char16_t WCHAR;
typedef int16_t SHORT;
typedef int INT;
typedef unsigned int UINT;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef uint32_t DWORD;
typedef int64_t LONGLONG;
typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef int BOOL;
typedef uintptr_t UINT_PTR;
typedef LONG HRESULT;
typedef BYTE* LPBYTE;
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;
typedef const CHAR* LPCSTR;
typedef void* HANDLE;
typedef struct HWND__* HWND;
typedef struct HINSTANCE__* HMODULE;
typedef struct HMENU__* HMENU;

#define TRUE 1
#define FALSE 0

#define ERROR_SUCCESS 0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_INSUFFICIENT_BUFFER 122L
#define ERROR_MORE_DATA 234L

#define S_OK ((HRESULT)0)
#define E_FAIL ((HRESULT)0x80004005L)

#include <cstring>

#define ZeroMemory(d, n) std::memset((d), 0, (n))
#define CopyMemory(d, s, n) std::memcpy((d), (s), (n))
#define MoveMemory(d, s, n) std::memmove((d), (s), (n))
#define FAILED(hr) (((HRESULT)(hr)) < 0)
#define CP_ACP 0
#define REG_SZ 1
#define REG_DWORD 4

typedef struct _GUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
} GUID, CLSID, IID;

#define CCHDEVICENAME 32
#define CCHFORMNAME 32
typedef struct _devicemodeW {
    WCHAR dmDeviceName[CCHDEVICENAME];
    WORD dmSpecVersion, dmDriverVersion, dmSize, dmDriverExtra;
    DWORD dmFields;
    SHORT dmOrientation, dmPaperSize, dmPaperLength, dmPaperWidth, dmScale, dmCopies;
    SHORT dmDefaultSource, dmPrintQuality, dmColor, dmDuplex, dmYResolution, dmTTOption;
    SHORT dmCollate;
    WCHAR dmFormName[CCHFORMNAME];
    WORD dmLogPixels;
    DWORD dmBitsPerPel, dmPelsWidth, dmPelsHeight, dmDisplayFlags, dmDisplayFrequency;
    DWORD dmICMMethod, dmICMIntent;
    DWORD dmMediaType;
    DWORD dmDitherType, dmReserved1, dmReserved2, dmPanningWidth, dmPanningHeight;
} DEVMODEW, *PDEVMODEW, *LPDEVMODEW;
static_assert(sizeof(DEVMODEW) == 220, "DEVMODEW is 220 bytes");

#define DM_ORIENTATION 0x00000001L
#define DM_DEFAULTSOURCE 0x00000200L
#define DM_DUPLEX 0x00001000L
#define DM_COLLATE 0x00008000L
#define DM_MEDIATYPE 0x02000000L
#define DMCOLLATE_TRUE 1
#define DMDUP_SIMPLEX 1
#define DMBIN_FORMSOURCE 15

int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int bytes, LPWSTR wide,
                               int wideChars);

#define ARRAYSIZE(a) (sizeof(a) / sizeof((a)[0]))

typedef size_t SIZE_T;

typedef struct tagSIZE {
    LONG cx;
    LONG cy;
} SIZE;

typedef struct _RECTL {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
} RECTL;

// The DEVMODEW dmFields bit that names the form.
#define DM_FORMNAME 0x00010000L

// The C runtime's readings of a typed number (stdlib.h on Windows); tests/native/strings.cpp
// says what they accept.
double _wtof(const WCHAR* text);
int _wtoi(const WCHAR* text);
