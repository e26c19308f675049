// The Advanced media and forms dialog (113): custom media types in its upper half, the
// printer's forms in its lower half. Every change reaches the printer when it is made; the
// frame buttons save nothing.
#pragma once

#include "settings/settings_context.h"

// What the dialog did, for the paper page to refresh: AdvancedDialogParam::ChangeFlags.
constexpr DWORD kMediaChosen = 1;  // a media type was chosen or added
constexpr DWORD kFormAdded = 2;    // a custom form was added
constexpr DWORD kMediaRemoved = 4; // a custom media type was removed
constexpr DWORD kFormDeleted = 8;  // a custom form was deleted

// Media list positions from this one on are custom media types.
constexpr int kFirstCustomMediaPosition = 5;

// Passed by the paper page to dialog 113.
struct AdvancedDialogParam {
    SettingsContext* Context;
    DWORD ChangeFlags;  // 0 on entry
    LONG MediaPosition; // on entry the media list position to select; on exit the chosen one
};

// Passed by dialog 113 to the media type dialog (105) and the custom form dialog (134).
struct AdvancedItemParam {
    SettingsContext* Context;
    DWORD IsCustom;   // the media type edited is a custom one (edit mode only)
    DWORD Metric;     // custom forms: sizes shown in centimetres rather than inches
    LONG FirstValue;  // highest dot value, or the form's width in micrometres
    LONG SecondValue; // lowest dot value, or the form's height in micrometres
    DWORD Mode;       // the id of the button that opened the dialog
    WCHAR Name[kNameChars];
};

// Runs dialog 113 modally over the paper page; its end code (1 OK, 2 Cancel).
INT_PTR ShowAdvancedMediaDialog(HWND owner, AdvancedDialogParam* param);
