// The virtual embosser: its settings, its status, and what it does with parameters.
#include "virtual_embosser.h"

#include <strsafe.h>

namespace {

constexpr DWORD kRecordBytes = 200;
constexpr DWORD kMaxRecords = 40;
constexpr DWORD kStatusReady = 0;
constexpr int kErrorTextChars = 4096;

#pragma pack(push, 4)
struct Record {
    DWORD Id;
    LONG Values[4];
    DWORD DataLength;
    BYTE Data[176];
};
#pragma pack(pop)
static_assert(sizeof(Record) == kRecordBytes, "records are 200 bytes");

struct Embosser {
    Record records[kMaxRecords];
    DWORD count; // the header included
    DWORD pendingChanges;
};

Embosser g_embosser;

Record* FindRecord(DWORD id) {
    for (DWORD i = 1; i < g_embosser.count; ++i)
        if (g_embosser.records[i].Id == id)
            return &g_embosser.records[i];
    return nullptr;
}

Record* AddRecord(DWORD id) {
    Record* record = FindRecord(id);
    if (record != nullptr || g_embosser.count >= kMaxRecords)
        return record;
    record = &g_embosser.records[g_embosser.count++];
    ZeroMemory(record, sizeof(*record));
    record->Id = id;
    g_embosser.records[0].DataLength = g_embosser.count;
    return record;
}

void SetValues(DWORD id, LONG v1, LONG v2 = 0, LONG v3 = 0, LONG v4 = 0) {
    Record* record = AddRecord(id);
    if (record == nullptr)
        return;
    record->Values[0] = v1;
    record->Values[1] = v2;
    record->Values[2] = v3;
    record->Values[3] = v4;
}

void SetText(DWORD id, const char* text) {
    Record* record = AddRecord(id);
    if (record == nullptr)
        return;
    DWORD length = static_cast<DWORD>(lstrlenA(text));
    if (length > sizeof(record->Data) - 1)
        length = sizeof(record->Data) - 1;
    CopyMemory(record->Data, text, length);
    record->DataLength = length;
}

void SetData(DWORD id, const BYTE* data, DWORD length) {
    Record* record = AddRecord(id);
    if (record == nullptr)
        return;
    CopyMemory(record->Data, data, length);
    record->DataLength = length;
}

} // namespace

void ResetVirtualEmbosser(bool withInkUnit) {
    ZeroMemory(&g_embosser, sizeof(g_embosser));
    g_embosser.count = 1;
    g_embosser.records[0].DataLength = 1;
    SetText(4, "TV2-000731");
    SetText(12, "Tarvik 2");
    SetValues(20, 4, 2, 1); // firmware 1.2.4
    const BYTE mac[6] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
    SetData(22, mac, sizeof(mac));
    SetValues(90, 5);
    SetValues(91, 5);
    SetValues(92, 0);
    SetValues(93, 1);
    SetValues(94, 0);
    SetValues(95, 6);
    SetValues(96, 0);
    SetValues(97, 1);
    SetValues(100, 1);
    SetValues(101, 268, 6, 30);
    SetValues(102, 30, 170, 220);
    SetValues(106, 1);
    SetValues(107, 0);
    SetValues(108, 5);
    const BYTE gateway[4] = {192, 168, 1, 1}, address[4] = {192, 168, 1, 20},
               mask[4] = {255, 255, 255, 0};
    SetData(114, gateway, 4);
    SetData(118, address, 4);
    SetData(122, mask, 4);
    SetValues(126, 1);
    SetValues(128, 62, 38, 1, 0);
    if (withInkUnit) {
        SetValues(234, 3, 1, 0); // ChromaPod firmware 1.3
        SetText(235, "CP-004512");
        SetValues(237, 74, 1, 0);
        SetValues(238, 47, 1, 0);
    }
}

DWORD WINAPI DllExportGetPrinterSettings(DWORD, LPCWSTR, LPBYTE buffer, DWORD size, DWORD* needed) {
    DWORD bytes = g_embosser.count * kRecordBytes;
    if (needed != nullptr)
        *needed = bytes;
    if (buffer == nullptr || size < bytes)
        return ERROR_INSUFFICIENT_BUFFER;
    CopyMemory(buffer, g_embosser.records, bytes);
    return ERROR_SUCCESS;
}

DWORD WINAPI DllExportSetPrinterParameter(DWORD, LPCWSTR, DWORD id, const LONG* values,
                                          DWORD valueCount, const BYTE* data, DWORD dataLength) {
    Record* record = AddRecord(id);
    if (record == nullptr)
        return ERROR_NOT_ENOUGH_MEMORY;
    for (DWORD i = 0; i < valueCount && i < 4; ++i)
        record->Values[i] = values[i];
    if (data != nullptr) {
        DWORD length = dataLength < sizeof(record->Data) ? dataLength : sizeof(record->Data);
        CopyMemory(record->Data, data, length);
        record->DataLength = length;
    }
    ++g_embosser.pendingChanges;
    return ERROR_SUCCESS;
}

DWORD WINAPI DllExportUpdatePrinter(DWORD, LPCWSTR) {
    g_embosser.pendingChanges = 0;
    return ERROR_SUCCESS;
}

DWORD WINAPI DllExportGetPrinterStatus(DWORD, LPCWSTR, DWORD* status) {
    *status = kStatusReady;
    return ERROR_SUCCESS;
}

DWORD WINAPI DllExportGetPrinterErrorText(DWORD, DWORD code, LPWSTR text) {
    LPCWSTR message = code == kStatusReady ? TEXT("Ready") : nullptr;
    if (message == nullptr)
        return 0;
    StringCchCopyW(text, kErrorTextChars, message);
    return 1;
}

DWORD WINAPI DllExportPrinterService(HWND, LPCWSTR, DWORD) {
    return ERROR_SUCCESS;
}

DWORD WINAPI DllExportLoadTable(DWORD, LPCWSTR, LPCWSTR, DWORD slot) {
    return slot <= 6 ? ERROR_SUCCESS : ERROR_INVALID_PARAMETER;
}
