// A person's choices on the printing preferences: Layout: Double Sided, Tarvik: 2 In 1 answered
// Yes in the notice, Dot Quality Best, Paper/Media: Letter and Default 3 (Copy Paper), then the
// sheet's button `lastButton` (PSBTN_OK or PSBTN_CANCEL). `noticeSeen` tells whether the notice
// came up.
#pragma once

#include "person.h"

void ScriptSession(Person& person, bool& noticeSeen, int lastButton);
