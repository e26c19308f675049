// Read-only questions about the printer's papers and the server's forms. Form sizes are in
// micrometres; devmode paper sizes in tenths of a millimetre; device sizes in 1/20 inch.
#pragma once

#include "media/paper_lists.h"
#include "settings/global_block.h"

#include <windows.h>
#include <compstui.h>
#include <winspool.h>

struct SettingsContext;

// The printer's paper names. Without a buffer: their count, and the bytes they need. With a
// buffer of `bufferBytes`: fills it and returns the count filled. Reports the default devmode's
// dmFields. A printer without a default devmode has no names.
int QueryPaperNames(HANDLE printer, WCHAR* buffer, DWORD bufferBytes, DWORD* byteSize,
                    DWORD* devmodeFields);

// A form's width and height in micrometres; 0 x 0 when it cannot be read.
SIZE GetFormSize(HANDLE printer, LPCWSTR formName);

// The server's forms, listed once: the sizes of many papers then cost one round trip instead
// of one GetFormW each. A size is answered as GetFormSize answers it (0 x 0 for a name that is
// no form, or when the list could not be had).
class FormSizes {
public:
    explicit FormSizes(HANDLE printer);
    FormSizes(const FormSizes&) = delete;
    FormSizes& operator=(const FormSizes&) = delete;
    SIZE SizeOf(LPCWSTR formName) const;
    // The list as EnumFormsW answered it; no forms when it could not be had.
    const FORM_INFO_1W* forms() const { return block_.as<FORM_INFO_1W>(); }
    DWORD count() const { return listed_ ? count_ : 0; }

private:
    GlobalBlock block_;
    DWORD count_ = 0;
    bool listed_ = false;
};

// The last of the printer's papers whose form size (rounded to 100 um) equals `size`; "Letter"
// when papers exist but none matches; `name` (kFormNameChars) untouched when there are none.
int FindFormNameForSize(HANDLE printer, const LONG size[2], WCHAR* name);
// The same for a printer whose PRINTER_INFO_2W is at hand (null: it could not be read).
int FindFormNameForSize(HANDLE printer, const PRINTER_INFO_2W* info, const LONG size[2],
                        WCHAR* name);

// The paper named by the printer's default devmode: 0 when identified, non-zero otherwise
// (-1 when the printer's information cannot be read). Either output may be null.
int QueryDefaultPaper(HANDLE printer, LONG* size, WCHAR* name);

// Selects the last option of a form list item whose form matches a size in 1/20 inch (within
// one unit either way, also turned); leaves the selection when none matches.
void MatchFormOption(const SettingsContext* context, OPTITEM* item, const LONG size[2]);
