#include "engine/EngineErrorText.h"

#include <array>

namespace {

constexpr int32_t kFirstCode = 10;

// Codes 10 to 33, in order.
const std::array<const char *, 24> messages = {
    "Erreur d'allocation mémoire",
    "Lecture impossible, la carte son n'est pas ouverte",
    "Saturation des buffers d'entrée",
    "Dépassement de temps en attendant les buffers d'entrée",
    "Ecriture impossible, la carte son n'est pas ouverte",
    "Buffers de sortie sous-employés",
    "Dépassement de temps en attendant les buffers de sortie",
    "Cette carte ne supporte pas le format 16 bits, 8000 Hz, Mono",
    "La carte est utilisée par une autre application",
    "En-tête non préparé",
    "Ce périphérique est synchrone",
    "Mauvais identifiant de périphérique, la carte son est introuvable",
    "L'initialisation du périphérique a échoué",
    "Le périphérique est déjà attribué",
    "Le handle du périphérique n'est pas valide",
    "Le pilote du périphérique est absent",
    "Fonction non supportée",
    "Erreur ou valeur hors limites",
    "Flag non valide",
    "Paramètre non valide",
    "Handle en cours d'utilisation",
    "Le pilote n'appelle pas DriverCallback",
    "Erreur de registre",
    "Erreur inconnue",
};

} // namespace

QString EngineErrorText(int32_t code)
{
    const int64_t index = int64_t(code) - kFirstCode;
    if (index >= 0 && index < int64_t(messages.size()))
        return QString::fromUtf8(messages[static_cast<size_t>(index)]);
    return QStringLiteral("Erreur inconnue: code ") + QString::number(code);
}
