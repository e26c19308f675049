// Setting the simulated machine back to its start state.
#pragma once

namespace sim {
// Every library of winsim back to a fresh machine: no printers, an empty registry, no windows,
// nothing loaded, every log and queue empty. Call it at the start of every test.
void Reset();
} // namespace sim
