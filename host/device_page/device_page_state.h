// What one device page holds, from CreateDevicePage until the sheet releases the page, and what
// a person's changes do to it.
#pragma once

#include "device_tree_driver.h"
#include "item_tree_view.h"
#include "page_template.h"
#include "value_editor.h"

#include <memory>

constexpr size_t kPageTitleChars = 260;
// No item's inputs are shown.
constexpr WORD kNoItemShown = 0xFFFF;
// Posted to the page to build the tree's rows anew outside the tree's own notifications.
constexpr UINT kRebuildTreeMessage = WM_APP + 1;

struct DevicePageState {
    OEMCUIPPARAM* treeParam = nullptr;
    WCHAR title[kPageTitleChars] = {};
    PageTemplate pageTemplate;
    HWND page = nullptr;
    std::unique_ptr<DeviceTreeDriver> driver;
    ItemTreeView tree;
    ValueEditor editor;
    // The item whose inputs are shown under the tree.
    WORD shownItem = kNoItemShown;
    // The edit box holds text its item does not have yet.
    bool textPending = false;
    // The page itself is writing into the inputs: their notifications are not a person's.
    bool refreshing = false;
    // The tree is telling the page about a selection: its rows must not be rebuilt now.
    bool inTreeNotification = false;
};

// Shows the inputs of the selected row's item.
void ShowSelectedItem(DevicePageState* state);
// Redraws what the callback's answer asks for (CPSUICB_ACTION_OPTIF_CHANGED: the items it
// flagged; CPSUICB_ACTION_REINIT_ITEMS: every row), and the item acted on when there is one.
void ShowResult(DevicePageState* state, LONG action, WORD actedOn = kNoItemShown);
void RebuildTree(DevicePageState* state);

// A person's changes through the inputs of the shown item.
void CommitText(DevicePageState* state);
void OnListChosen(DevicePageState* state);
void OnNumberChanged(DevicePageState* state);
void OnButtonPressed(DevicePageState* state);
