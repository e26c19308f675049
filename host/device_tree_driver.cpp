// Driving a plug-in's device settings items as the common property sheet does.
#include "device_tree_driver.h"

#include "option_items.h"

#include <strsafe.h>

DeviceTreeDriver::DeviceTreeDriver(OEMCUIPPARAM& param, HWND page)
    : param_(param), page_(page), items_(param.pOEMOptItems),
      count_(static_cast<WORD>(param.cOEMOptItems)) {}

CPSUICBPARAM DeviceTreeDriver::NewCallbackParam(WORD reason, OPTITEM* current) const {
    CPSUICBPARAM callbackParam;
    ZeroMemory(&callbackParam, sizeof(callbackParam));
    callbackParam.cbSize = sizeof(callbackParam);
    callbackParam.Reason = reason;
    callbackParam.hDlg = page_;
    callbackParam.pOptItem = items_;
    callbackParam.cOptItem = count_;
    callbackParam.pCurItem = current;
    return callbackParam;
}

LONG DeviceTreeDriver::Redraw(LONG action) {
    if (action != CPSUICB_ACTION_OPTIF_CHANGED)
        return action;
    for (WORD i = 0; i < count_; ++i) {
        if (items_[i].Flags & OPTIF_CHANGED) {
            redrawn_.push_back(i);
            items_[i].Flags &= ~OPTIF_CHANGED;
        }
    }
    return action;
}

LONG DeviceTreeDriver::Notify(WORD reason, OPTITEM* current, LONG oldSel, LPWSTR oldText) {
    redrawn_.clear();
    if (param_.OEMCUIPCallback == nullptr)
        return CPSUICB_ACTION_NONE;
    // Page-wide reasons name the first item; the others the item acted on.
    if (reason != CPSUICB_REASON_SEL_CHANGED && reason != CPSUICB_REASON_PUSHBUTTON) {
        current = items_;
    } else if (!(current->Flags & OPTIF_CALLBACK)) {
        return CPSUICB_ACTION_NONE;
    }
    CPSUICBPARAM callbackParam = NewCallbackParam(reason, current);
    if (oldText != nullptr)
        callbackParam.pOldSel = oldText;
    else
        callbackParam.OldSel = oldSel;
    return Redraw(param_.OEMCUIPCallback(&callbackParam, &param_));
}

bool DeviceTreeDriver::CanChange(WORD index) const {
    return index < count_ && CanChangeOptionItem(items_[index]);
}

LONG DeviceTreeDriver::Activate() {
    return Notify(CPSUICB_REASON_SETACTIVE, nullptr, 0, nullptr);
}

LONG DeviceTreeDriver::Deactivate() {
    return Notify(CPSUICB_REASON_KILLACTIVE, nullptr, 0, nullptr);
}

LONG DeviceTreeDriver::Apply() {
    // OldSel -1: every changed value is to be applied now.
    return Notify(CPSUICB_REASON_APPLYNOW, nullptr, -1, nullptr);
}

LONG DeviceTreeDriver::Select(WORD index, LONG selection) {
    if (!CanChange(index))
        return kRefused;
    OPTITEM& item = items_[index];
    if (!IsOptionOffered(item, selection) && !IsUpDownValueInRange(item, selection))
        return kRefused;
    LONG oldSel = item.Sel;
    item.Sel = selection;
    return Notify(CPSUICB_REASON_SEL_CHANGED, &item, oldSel, nullptr);
}

LONG DeviceTreeDriver::Type(WORD index, LPCWSTR text) {
    if (!CanChange(index))
        return kRefused;
    OPTITEM& item = items_[index];
    size_t chars = EditBoxChars(item);
    if (chars == 0)
        return kRefused;
    std::vector<WCHAR> oldText(chars);
    StringCchCopyNW(oldText.data(), chars, item.pSel, chars);
    StringCchCopyW(item.pSel, chars, text);
    return Notify(CPSUICB_REASON_SEL_CHANGED, &item, 0, oldText.data());
}

LONG DeviceTreeDriver::Push(WORD index) {
    if (!CanChange(index) || OptionItemKind(items_[index]) != TVOT_PUSHBUTTON)
        return kRefused;
    OPTITEM& item = items_[index];
    if (item.pOptType->Count < 1 || item.pOptType->pOptParam == nullptr)
        return kRefused;
    const OPTPARAM& button = item.pOptType->pOptParam[0];
    // Only callback buttons are played here.
    if (button.Style != PUSHBUTTON_TYPE_CALLBACK || button.pData == nullptr)
        return kRefused;
    redrawn_.clear();
    auto callback = reinterpret_cast<_CPSUICALLBACK>(reinterpret_cast<void*>(button.pData));
    CPSUICBPARAM callbackParam = NewCallbackParam(CPSUICB_REASON_PUSHBUTTON, &item);
    return Redraw(callback(&callbackParam));
}
