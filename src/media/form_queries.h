// Read-only questions about the printer's papers and the server's forms. Form sizes are in
// micrometres; devmode paper sizes in tenths of a millimetre; device sizes in 1/20 inch.
#pragma once

#include "media/paper_lists.h"
#include "settings/global_block.h"
#include "settings/sheet_answers.h"

#include <windows.h>
#include <compstui.h>
#include <winspool.h>

struct SettingsContext;

// The server's forms, listed once per sheet: the sizes of many papers then cost one round trip
// instead of one GetFormW each: 0 x 0 for a name that is no form, or when the list could not be
// had.
class FormSizes {
public:
    explicit FormSizes(SettingsContext* context) : forms_(SheetForms(context, &count_)) {}
    SIZE SizeOf(LPCWSTR formName) const { return FormSizeByName(forms_, count_, formName); }

private:
    DWORD count_ = 0;
    const FORM_INFO_1W* forms_;
};

// The size of the paper the printer's default devmode names by its width and length or by a
// form's name: 0 when a form named it, non-zero otherwise (-1 when the printer's information
// cannot be read).
int QueryDefaultPaper(SettingsContext* context, LONG size[2]);

// Selects the last option of a form list item whose form matches a size in 1/20 inch (within
// one unit either way, also turned); leaves the selection when none matches.
void MatchFormOption(SettingsContext* context, OPTITEM* item, const LONG size[2]);
