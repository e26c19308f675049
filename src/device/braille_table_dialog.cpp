// The braille table dialog behind the device settings tree's "Braille Table" push button.
#include "device/braille_table_dialog.h"

#include "core/activation_context.h"
#include "core/module_state.h"
#include "device/device_settings_tree.h"
#include "link/printer_link.h"
#include "pages/chosen_path.h"
#include "pages/dialog_support.h"
#include "pages/file_chooser.h"
#include "resources/resource.h"
#include "settings/printer_data_store.h"
#include "settings/scoped_handles.h"
#include "settings/ui_strings.h"

#include <strsafe.h>

namespace {

constexpr DWORD kStoredNameBytes = 4096;
constexpr DWORD kFolderBytes = 4096;
constexpr int kSlotNameChars = 16;
const WCHAR kQVDirValue[] = TEXT("QVDir");
const WCHAR kInstallKey[] = TEXT("SOFTWARE\\Quorvane");
const WCHAR kCommonFolder[] = TEXT("\\Tarvik\\Common");

// Shared by every tree and dialog of the process. The path and the file name are reset each
// time the dialog starts; the file name points into the path, or is null for none.
DWORD g_currentSlot = 0;
WCHAR g_tablePath[kTablePathChars] = {};
LPCWSTR g_tableFileName = nullptr;

// One dialog 109 is open at a time.
SettingsContext* g_context = nullptr;

void SlotValueName(DWORD slot, WCHAR* name) {
    StringCchPrintfW(name, kSlotNameChars, TEXT("%u"), slot);
}

// An empty path names no file.
LPCWSTR FileNameOf(LPCWSTR path) {
    return path[0] != 0 ? FileNamePart(path) : nullptr;
}

// --- The table file chooser ---------------------------------------------------------------------

// The configured start folder, used unchanged; else the install folder's common folder; else
// none (false). `folder` holds kComposedChars characters, more than the 4096 bytes read.
bool FindTableFolder(const SettingsContext* context, WCHAR* folder) {
    ZeroMemory(folder, kComposedChars * sizeof(WCHAR));
    DWORD type = 0, needed = 0;
    if (GetPrinterDataExW(context->PrinterHandle, kConfigKey, kQVDirValue, &type,
                          reinterpret_cast<LPBYTE>(folder), kFolderBytes, &needed) == ERROR_SUCCESS)
        return true;
    ZeroMemory(folder, kComposedChars * sizeof(WCHAR));
    ScopedRegKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kInstallKey, 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return false;
    DWORD bytes = kFolderBytes;
    if (RegQueryValueExW(key.get(), kQVDirValue, nullptr, &type, reinterpret_cast<LPBYTE>(folder),
                         &bytes) != ERROR_SUCCESS)
        return false;
    StringCchCatW(folder, kComposedChars, kCommonFolder);
    return true;
}

// --- Dialog 109 ---------------------------------------------------------------------------------

// "Table n (file)" for a slot with a recorded file, else "Table n".
void AddSlotEntry(HWND dialog, DWORD slot, LPCWSTR tableWord) {
    WCHAR valueName[kSlotNameChars];
    SlotValueName(slot, valueName);
    // One character more than is read, so that the stored name is always terminated.
    WCHAR stored[kStoredNameBytes / sizeof(WCHAR) + 1] = {};
    DWORD type = 0, needed = 0;
    bool recorded = GetPrinterDataExW(g_context->PrinterHandle, kBrailleTablesKey, valueName, &type,
                                      reinterpret_cast<LPBYTE>(stored), kStoredNameBytes,
                                      &needed) == ERROR_SUCCESS;
    WCHAR entry[kComposedChars];
    int number = static_cast<int>(slot) + 1;
    if (recorded)
        StringCchPrintfW(entry, kComposedChars, TEXT("%ls %d (%ls)"), tableWord, number, stored);
    else
        StringCchPrintfW(entry, kComposedChars, TEXT("%ls %d"), tableWord, number);
    SendDlgItemMessageW(dialog, IDC_TABLE_SLOT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
}

BOOL OnInitDialog(HWND dialog, SettingsContext* context) {
    g_context = context;
    WCHAR tableWord[kNameChars];
    StringCchCopyW(tableWord, kNameChars, GetUiString(context, IDS_TABLE));
    for (DWORD slot = 0; slot < kBrailleTableSlots; ++slot)
        AddSlotEntry(dialog, slot, tableWord);
    SetAdvancedCaption(dialog, context, IDS_LOAD_BRAILLE_TABLE);
    SelectComboItem(dialog, IDC_TABLE_SLOT, static_cast<int>(g_currentSlot));
    g_tablePath[0] = 0;
    g_tableFileName = nullptr;
    TranslateWithLocale(context, dialog);
    return TRUE;
}

void OnOk(HWND dialog) {
    int selection = ComboSelection(dialog, IDC_TABLE_SLOT);
    if (selection != CB_ERR) {
        g_currentSlot = static_cast<DWORD>(selection);
        g_tableFileName = FileNameOf(g_tablePath);
    }
    EndDialog(dialog, IDOK);
}

// A cancelled browse leaves the path empty while the field keeps the earlier choice's text.
void OnBrowse(HWND dialog) {
    g_tablePath[0] = 0;
    if (BrowseBrailleTable(dialog, g_context, g_tablePath) == 1)
        SetDlgItemTextW(dialog, IDC_TABLE_FILE, g_tablePath);
}

BOOL OnCommand(HWND dialog, int id) {
    switch (id) {
    case IDOK:
        OnOk(dialog);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    case IDC_TABLE_BROWSE:
        OnBrowse(dialog);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK BrailleTableDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, reinterpret_cast<SettingsContext*>(lParam));
    case WM_COMMAND:
        return HIWORD(wParam) == BN_CLICKED && OnCommand(dialog, LOWORD(wParam));
    default:
        return FALSE;
    }
}

// --- The push button's flow ---------------------------------------------------------------------

OPTITEM* FindBrailleTableItem(PCPSUICBPARAM callbackParam) {
    for (WORD i = 0; i < callbackParam->cOptItem; ++i)
        if (callbackParam->pOptItem[i].UserItemID == kBrailleTableItem)
            return &callbackParam->pOptItem[i];
    return nullptr;
}

// Loads the chosen file into the current slot and, when the printer took it, records its name
// for the slot.
void LoadChosenTable(SettingsContext* context) {
    auto loadTable = FindPrinterLinkProc<LoadTableProc>(context, "DllExportLoadTable");
    if (loadTable == nullptr)
        return;
    if (loadTable(0, context->PrinterName, g_tablePath, g_currentSlot) != 0)
        return;
    WCHAR valueName[kSlotNameChars];
    SlotValueName(g_currentSlot, valueName);
    DWORD bytes = static_cast<DWORD>((lstrlenW(g_tableFileName) + 1) * sizeof(WCHAR));
    WritePrinterDataWithRetry(context->PrinterHandle, kBrailleTablesKey, valueName, REG_SZ,
                              g_tableFileName, bytes);
}

} // namespace

DWORD CurrentTableSlot() {
    return g_currentSlot;
}

void SetCurrentTableSlot(DWORD slot) {
    g_currentSlot = slot;
}

int BrowseBrailleTable(HWND dialog, SettingsContext* context, WCHAR* path) {
    WCHAR words[2][kNameChars];
    StringCchCopyW(words[0], kNameChars, GetUiString(context, IDS_BRAILLE_TABLE_FILES));
    StringCchCopyW(words[1], kNameChars, GetUiString(context, IDS_ALL_FILES));
    WCHAR filter[kComposedChars];
    StringCchPrintfW(filter, kComposedChars,
                     TEXT("%ls (*.bct, *.rbt, *.dis)%lc*.BCT;*.RBT;*.DIS%lc%ls (*.*)%lc*.*%lc"),
                     words[0], WCHAR(0), WCHAR(0), words[1], WCHAR(0), WCHAR(0));
    WCHAR folder[kComposedChars];
    bool hasFolder = FindTableFolder(context, folder);
    WCHAR file[kTablePathChars];
    StringCchCopyW(file, kTablePathChars, path);
    if (!ChooseFile(dialog, filter, hasFolder ? folder : nullptr, file, kTablePathChars) ||
        !TakeChosenPath(file, path, kTablePathChars))
        return 0;
    return 1;
}

LONG APIENTRY LoadBrailleTableFlow(PCPSUICBPARAM callbackParam) {
    g_tableFileName = nullptr;
    if (callbackParam == nullptr || callbackParam->pCurItem == nullptr)
        return CPSUICB_ACTION_NONE;
    auto* context = reinterpret_cast<SettingsContext*>(callbackParam->pCurItem->UserData);
    if (context == nullptr)
        return CPSUICB_ACTION_NONE;
    if (ModuleDialogBoxParam(g_module, MAKEINTRESOURCEW(IDD_BRAILLE_TABLE),
                             static_cast<HWND>(callbackParam->hDlg), BrailleTableDialogProc,
                             reinterpret_cast<LPARAM>(context)) != IDOK)
        return CPSUICB_ACTION_NONE;
    OPTITEM* tableItem = FindBrailleTableItem(callbackParam);
    if (tableItem == nullptr)
        return CPSUICB_ACTION_NONE;
    tableItem->Flags |= OPTIF_CHANGED;
    tableItem->Sel = static_cast<LONG>(g_currentSlot) + 1;
    auto* itemContext = reinterpret_cast<SettingsContext*>(tableItem->UserData);
    if (itemContext != nullptr)
        itemContext->DeviceSettingsChanged = 1;
    if (g_tableFileName != nullptr)
        LoadChosenTable(context);
    return CPSUICB_ACTION_OPTIF_CHANGED;
}
