// Driving a plug-in's device settings items as the common property sheet does.
#include "device_tree_driver.h"

#include <strsafe.h>

namespace {

// Edit boxes keep the length of their text buffer in parameter 1's IconID; up-downs their
// range in parameter 1's IconID (lowest) and lParam (highest).
constexpr WORD kRangeParameter = 1;

} // namespace

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

bool DeviceTreeDriver::CanChange(WORD index, BYTE type) const {
    if (index >= count_)
        return false;
    const OPTITEM& item = items_[index];
    if (item.Flags & (OPTIF_DISABLED | OPTIF_HIDE))
        return false;
    return item.pOptType != nullptr && item.pOptType->Type == type;
}

LONG DeviceTreeDriver::Activate() {
    return Notify(CPSUICB_REASON_SETACTIVE, nullptr, 0, nullptr);
}

LONG DeviceTreeDriver::Apply() {
    // OldSel -1: every changed value is to be applied now.
    return Notify(CPSUICB_REASON_APPLYNOW, nullptr, -1, nullptr);
}

LONG DeviceTreeDriver::Select(WORD index, LONG selection) {
    bool listed = CanChange(index, TVOT_LISTBOX) || CanChange(index, TVOT_COMBOBOX);
    bool upDown = CanChange(index, TVOT_UDARROW);
    if (!listed && !upDown)
        return kRefused;
    OPTITEM& item = items_[index];
    const OPTTYPE* type = item.pOptType;
    if (listed && (selection < 0 || selection >= type->Count ||
                   (type->pOptParam[selection].Flags & (OPTPF_HIDE | OPTPF_DISABLED))))
        return kRefused;
    if (upDown && (type->Count <= kRangeParameter ||
                   selection < static_cast<LONG>(type->pOptParam[kRangeParameter].IconID) ||
                   selection > type->pOptParam[kRangeParameter].lParam))
        return kRefused;
    LONG oldSel = item.Sel;
    item.Sel = selection;
    return Notify(CPSUICB_REASON_SEL_CHANGED, &item, oldSel, nullptr);
}

LONG DeviceTreeDriver::Type(WORD index, LPCWSTR text) {
    if (!CanChange(index, TVOT_EDITBOX))
        return kRefused;
    OPTITEM& item = items_[index];
    const OPTTYPE* type = item.pOptType;
    if (item.pSel == nullptr || type->Count <= kRangeParameter)
        return kRefused;
    size_t chars = type->pOptParam[kRangeParameter].IconID;
    if (chars == 0)
        return kRefused;
    std::vector<WCHAR> oldText(chars);
    StringCchCopyW(oldText.data(), chars, item.pSel);
    StringCchCopyW(item.pSel, chars, text);
    return Notify(CPSUICB_REASON_SEL_CHANGED, &item, 0, oldText.data());
}

LONG DeviceTreeDriver::Push(WORD index) {
    if (!CanChange(index, TVOT_PUSHBUTTON))
        return kRefused;
    OPTITEM& item = items_[index];
    const OPTPARAM& button = item.pOptType->pOptParam[0];
    // Only callback buttons are played here.
    if (button.Style != PUSHBUTTON_TYPE_CALLBACK || button.pData == nullptr)
        return kRefused;
    redrawn_.clear();
    auto callback = reinterpret_cast<_CPSUICALLBACK>(reinterpret_cast<void*>(button.pData));
    CPSUICBPARAM callbackParam = NewCallbackParam(CPSUICB_REASON_PUSHBUTTON, &item);
    return Redraw(callback(&callbackParam));
}
