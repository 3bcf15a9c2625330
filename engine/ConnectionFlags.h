#pragma once

// The connection state read throughout the program; written before every wait
// that dispatches events, so handlers running inside the wait see the new state.
struct ConnectionFlags
{
    bool CardActive = false;    // the engine is started
    bool Tuning = false;        // a tune carrier is being sent
    bool Transmitting = false;  // a text transmission is under way
};
