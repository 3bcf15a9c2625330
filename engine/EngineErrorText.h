#pragma once

#include <QString>
#include <cstdint>

// An engine error code as the French message shown to the operator; codes outside
// the engine's table read "Erreur inconnue: code " and the signed code.
QString EngineErrorText(int32_t code);
