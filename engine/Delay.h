#pragma once

// Waits at least ms milliseconds while dispatching the program's pending events
// throughout, so engine messages, timers and clicks are handled inside the wait.
// Callers write their state before waiting: the handlers that run here see it.
// A local event loop sleeps between events instead of spinning a core.
void Delay(int ms);
