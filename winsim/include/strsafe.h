// winsim: strsafe.h -- bounded string copies, concatenations and formatting. Every function
// leaves a terminated (possibly truncated) result in a buffer of at least one character.
#pragma once

#include "windef.h"

#include <cstdarg>

typedef WCHAR* STRSAFE_LPWSTR;
typedef const WCHAR* STRSAFE_LPCWSTR;
typedef char* STRSAFE_LPSTR;
typedef const char* STRSAFE_LPCSTR;
typedef const WCHAR* STRSAFE_PCNZWCH;

#define STRSAFE_MAX_CCH 2147483647

HRESULT StringCchCopyW(STRSAFE_LPWSTR pszDest, size_t cchDest, STRSAFE_LPCWSTR pszSrc);
HRESULT StringCchCopyNW(STRSAFE_LPWSTR pszDest, size_t cchDest, STRSAFE_PCNZWCH pszSrc,
                        size_t cchToCopy);
HRESULT StringCchCatW(STRSAFE_LPWSTR pszDest, size_t cchDest, STRSAFE_LPCWSTR pszSrc);
HRESULT StringCchLengthW(STRSAFE_PCNZWCH psz, size_t cchMax, size_t* pcchLength);
HRESULT StringCbCopyW(STRSAFE_LPWSTR pszDest, size_t cbDest, STRSAFE_LPCWSTR pszSrc);
HRESULT StringCbCatW(STRSAFE_LPWSTR pszDest, size_t cbDest, STRSAFE_LPCWSTR pszSrc);
HRESULT StringCbLengthW(STRSAFE_PCNZWCH psz, size_t cbMax, size_t* pcbLength);

HRESULT StringCchPrintfW(STRSAFE_LPWSTR pszDest, size_t cchDest, STRSAFE_LPCWSTR pszFormat, ...);
HRESULT StringCbPrintfW(STRSAFE_LPWSTR pszDest, size_t cbDest, STRSAFE_LPCWSTR pszFormat, ...);

HRESULT StringCchCopyA(STRSAFE_LPSTR pszDest, size_t cchDest, STRSAFE_LPCSTR pszSrc);
HRESULT StringCchPrintfA(STRSAFE_LPSTR pszDest, size_t cchDest, STRSAFE_LPCSTR pszFormat, ...);
