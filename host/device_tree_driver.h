// The common property sheet's part for the option items a plug-in adds to the printer's device
// page: it calls the plug-in's OEMCUIPCallback as the tree view does when the page becomes
// active, when a person changes an item and when the sheet is applied, runs a callback push
// button's function, and, when the plug-in answers CPSUICB_ACTION_OPTIF_CHANGED, redraws the
// items flagged OPTIF_CHANGED and clears that flag.
#pragma once

#include "core/oem_interface.h"

#include <vector>

class DeviceTreeDriver {
public:
    // What an action returns when a person could not have done it: the item is disabled or
    // hidden, is not of the kind the action needs, or does not offer that value.
    static constexpr LONG kRefused = -1;

    // The items are the plug-in's (pOEMOptItems, cOEMOptItems); `page` is the tree's window.
    DeviceTreeDriver(OEMCUIPPARAM& param, HWND page);

    WORD count() const { return count_; }
    OPTITEM& item(WORD index) { return items_[index]; }

    // The page becomes active (CPSUICB_REASON_SETACTIVE), is left (CPSUICB_REASON_KILLACTIVE) or
    // is applied (CPSUICB_REASON_APPLYNOW): the callback's answer.
    LONG Activate();
    LONG Deactivate();
    LONG Apply();

    // A person picks an option of a list box, or sets an up-down to a value in its range; the
    // item takes it and the callback hears CPSUICB_REASON_SEL_CHANGED with the old selection.
    LONG Select(WORD index, LONG selection);
    // A person types into an edit box and leaves it: the text, cut to what the buffer holds,
    // replaces the item's text and the callback hears CPSUICB_REASON_SEL_CHANGED.
    LONG Type(WORD index, LPCWSTR text);
    // A person presses a push button of style PUSHBUTTON_TYPE_CALLBACK: its function runs with
    // CPSUICB_REASON_PUSHBUTTON.
    LONG Push(WORD index);

    // The items redrawn after the last action, in order.
    const std::vector<WORD>& redrawn() const { return redrawn_; }

private:
    CPSUICBPARAM NewCallbackParam(WORD reason, OPTITEM* current) const;
    bool CanChange(WORD index) const;
    LONG Notify(WORD reason, OPTITEM* current, LONG oldSel, LPWSTR oldText);
    LONG Redraw(LONG action);

    OEMCUIPPARAM& param_;
    HWND page_;
    OPTITEM* items_;
    WORD count_;
    std::vector<WORD> redrawn_;
};
