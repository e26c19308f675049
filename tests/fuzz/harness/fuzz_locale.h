// The locale library, installed where the plug-in looks for it, answering every look-up from the
// fuzzer's input: null, empty, the asked text itself, texts of 4096 characters and more, and
// texts without a terminator within 4096 characters.
#pragma once

#include "sim.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>

// The longest text a look-up may hand on: a composed text of 4096 characters with its terminator.
constexpr size_t kComposedText = 4096;

// Installs the library on the machine StartMachine built; look-ups take their answers from
// `input` until it runs out (then the library answers null, and the plug-in keeps its English).
void InstallFuzzedLocale(FuzzedDataProvider& input);
// Detaches the input and frees the answers (callers copy or format them at once, but the texts
// stay readable until here). Call before FinishMachine.
void ForgetLocaleAnswers();
