// Passing the property sheet service's reasons to the plug-in.
#include "plugin_sheet_link.h"

#include <algorithm>
#include <vector>

namespace {

// The links alive now: the service may call a page function after its owner is gone, and such a
// late call must find nothing rather than freed memory.
std::vector<PluginSheetLink*>& LiveLinks() {
    static std::vector<PluginSheetLink*> links;
    return links;
}

} // namespace

PluginSheetLink::PluginSheetLink(CoreDriverHost& host, OEMUIPSPARAM& param, Sheet sheet)
    : host_(host), param_(param), sheet_(sheet) {
    LiveLinks().push_back(this);
}

PluginSheetLink::~PluginSheetLink() {
    EnsureDestroyed();
    auto& links = LiveLinks();
    links.erase(std::remove(links.begin(), links.end(), this), links.end());
}

bool PluginSheetLink::Register(PPROPSHEETUI_INFO owner) {
    LONG_PTR added = owner->pfnComPropSheet(owner->hComPropSheet, CPSFUNC_ADD_PFNPROPSHEETUIW,
                                            reinterpret_cast<LPARAM>(PageFunction),
                                            reinterpret_cast<LPARAM>(this));
    return added != 0;
}

void PluginSheetLink::EnsureDestroyed() {
    if (!initialised_ || destroyed_)
        return;
    PROPSHEETUI_INFO info = record_;
    info.Reason = PROPSHEETUI_REASON_DESTROY;
    Forward(&info, 0);
}

LONG PluginSheetLink::Forward(PPROPSHEETUI_INFO info, LPARAM lParam) {
    if (info->Reason == PROPSHEETUI_REASON_DESTROY) {
        if (destroyed_ || !initialised_)
            return kSheetFunctionDone;
        destroyed_ = true;
    }
    PROPSHEETUI_INFO forwarded = *info;
    forwarded.lParamInit = reinterpret_cast<LPARAM>(&param_);
    IPrintOemUI2* plugin = host_.plugin();
    HRESULT result = sheet_ == Sheet::Document ? plugin->DocumentPropertySheets(&forwarded, lParam)
                                               : plugin->DevicePropertySheets(&forwarded, lParam);
    if (info->Reason == PROPSHEETUI_REASON_INIT)
        initialised_ = true;
    info->UserData = forwarded.UserData;
    info->Result = forwarded.Result;
    record_ = forwarded;
    return SUCCEEDED(result) ? kSheetFunctionDone : kSheetFunctionFailed;
}

LONG CALLBACK PluginSheetLink::PageFunction(PPROPSHEETUI_INFO info, LPARAM lParam) {
    if (info == nullptr)
        return kSheetFunctionFailed;
    auto* link = reinterpret_cast<PluginSheetLink*>(info->lParamInit);
    auto& links = LiveLinks();
    if (std::find(links.begin(), links.end(), link) == links.end())
        return kSheetFunctionDone;
    return link->Forward(info, lParam);
}
