// The page dialogs over a loaded settings context.
#include "harness/page_dialogs.h"

#include "harness/fuzz_machine.h"

#include "media/advanced_media_dialog.h"
#include "pages/image_options_dialog.h"
#include "resources/resource.h"

void InAdvancedDialog(SettingsContext* context, const sim::DialogScript& script) {
    AdvancedDialogParam param = {context, 0, 0};
    sim::ScriptModalDialog(IDD_ADVANCED_MEDIA, [&](HWND dialog) {
        script(dialog);
        sim::Click(dialog, IDCANCEL);
    });
    ShowAdvancedMediaDialog(nullptr, &param);
}

void InImageOptionsDialog(const sim::DialogScript& script) {
    SettingsContext* context = LoadContext(OpenUserHandle());
    sim::ScriptModalDialog(IDD_IMAGE_OPTIONS, script);
    ShowImageOptionsDialog(nullptr, context);
    ReleaseSettingsContext(context);
}
