// The bounded string functions of the platform's strsafe.h that the rule code calls; each
// copies, appends or formats no further than its destination and always terminates it.
#pragma once

#include <windows.h>

#define STRSAFE_E_INSUFFICIENT_BUFFER ((HRESULT)0x8007007AL)
#define STRSAFE_E_INVALID_PARAMETER ((HRESULT)0x80070057L)

HRESULT StringCchLengthW(LPCWSTR text, size_t maxChars, size_t* length);
HRESULT StringCchCopyW(LPWSTR dest, size_t destChars, LPCWSTR source);
HRESULT StringCchCopyNW(LPWSTR dest, size_t destChars, LPCWSTR source, size_t sourceChars);
HRESULT StringCchCatW(LPWSTR dest, size_t destChars, LPCWSTR source);
HRESULT StringCchPrintfW(LPWSTR dest, size_t destChars, LPCWSTR format, ...);
