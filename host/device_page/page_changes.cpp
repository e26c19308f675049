// A person's changes on the device page: each goes to the plug-in's callback through the tree
// driver, the sheet hears that the page changed, and the page shows what the callback answered.
#include "device_page_state.h"

#include "option_items.h"

#include <commctrl.h>
#include <strsafe.h>

namespace {

OPTITEM* ShownItem(DevicePageState* state) {
    if (state->shownItem >= state->driver->count())
        return nullptr;
    return &state->driver->item(state->shownItem);
}

void RefreshInputs(DevicePageState* state) {
    state->refreshing = true;
    state->editor.Refresh(ShownItem(state));
    state->refreshing = false;
}

void PersonChanged(DevicePageState* state, LONG action) {
    ShowResult(state, action, state->shownItem);
    if (action != DeviceTreeDriver::kRefused)
        PropSheet_Changed(GetParent(state->page), state->page);
}

} // namespace

void ShowSelectedItem(DevicePageState* state) {
    WORD index = kNoItemShown;
    if (!state->tree.SelectedItem(&index))
        index = kNoItemShown;
    state->shownItem = index;
    state->textPending = false;
    state->refreshing = true;
    state->editor.Show(ShownItem(state));
    state->refreshing = false;
}

void RebuildTree(DevicePageState* state) {
    if (state->inTreeNotification) {
        PostMessageW(state->page, kRebuildTreeMessage, 0, 0);
        return;
    }
    state->inTreeNotification = true;
    state->tree.Rebuild(state->shownItem != kNoItemShown ? state->shownItem : 0);
    state->inTreeNotification = false;
    ShowSelectedItem(state);
}

void ShowResult(DevicePageState* state, LONG action, WORD actedOn) {
    std::vector<WORD> changed = state->driver->redrawn();
    if (actedOn != kNoItemShown)
        changed.push_back(actedOn);
    if (action == CPSUICB_ACTION_REINIT_ITEMS || !state->tree.Refresh(changed)) {
        RebuildTree(state);
        return;
    }
    RefreshInputs(state);
}

// The edit box's text becomes its item's when the person leaves the box (or the row, or the
// page, or applies while the box still has the focus).
void CommitText(DevicePageState* state) {
    if (!state->textPending)
        return;
    state->textPending = false;
    OPTITEM* item = ShownItem(state);
    if (item == nullptr || OptionItemKind(*item) != TVOT_EDITBOX || EditBoxChars(*item) == 0)
        return;
    WCHAR text[260], current[260];
    state->editor.ReadText(text, ARRAYSIZE(text));
    StringCchCopyNW(current, ARRAYSIZE(current), item->pSel, EditBoxChars(*item));
    if (lstrcmpW(text, current) == 0)
        return;
    PersonChanged(state, state->driver->Type(state->shownItem, text));
}

void OnListChosen(DevicePageState* state) {
    OPTITEM* item = ShownItem(state);
    LONG selection = 0;
    if (item == nullptr || !state->editor.ReadListSelection(&selection) || selection == item->Sel)
        return;
    PersonChanged(state, state->driver->Select(state->shownItem, selection));
}

void OnNumberChanged(DevicePageState* state) {
    OPTITEM* item = ShownItem(state);
    LONG value = 0;
    if (item == nullptr || !state->editor.ReadNumber(&value) || value == item->Sel ||
        !IsUpDownValueInRange(*item, value))
        return;
    PersonChanged(state, state->driver->Select(state->shownItem, value));
}

void OnButtonPressed(DevicePageState* state) {
    if (ShownItem(state) == nullptr)
        return;
    PersonChanged(state, state->driver->Push(state->shownItem));
}
