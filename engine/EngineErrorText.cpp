#include "engine/EngineErrorText.h"

#include <pskcore/pskcore.h>

#include <QCoreApplication>
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

// The station's codes: keying, the transmit time limit, the rig, the sound devices.
QString stationErrorText(int32_t code)
{
    switch (code) {
    case pskerr::KeyFailed:
        return QCoreApplication::translate("EngineErrorText", "Impossible de passer le transceiver en émission.\r\n"
                                                              "L'émission est arrêtée.");
    case pskerr::UnkeyFailed:
        return QCoreApplication::translate("EngineErrorText", "Impossible de repasser le transceiver en réception !\r\n"
                                                              "Vérifiez qu'il n'est pas resté en émission.");
    case pskerr::TxTimeLimit:
        return QCoreApplication::translate("EngineErrorText", "Durée maximale d'émission atteinte : l'émission est arrêtée.");
    case pskerr::RigNotAnswering:
        return QCoreApplication::translate("EngineErrorText", "Le transceiver ne répond plus : l'émission est arrêtée.\r\n"
                                                              "Vérifiez qu'il n'est pas resté en émission.");
    case pskerr::InputDeviceAbsent:
        return QCoreApplication::translate("EngineErrorText", "Le périphérique d'entrée audio choisi est absent.");
    case pskerr::OutputDeviceAbsent:
        return QCoreApplication::translate("EngineErrorText", "Le périphérique de sortie audio choisi est absent.");
    default:
        return {};
    }
}

} // namespace

QString EngineErrorText(int32_t code)
{
    if (const QString station = stationErrorText(code); !station.isEmpty())
        return station;
    const int64_t index = int64_t(code) - kFirstCode;
    if (index >= 0 && index < int64_t(messages.size()))
        return QString::fromUtf8(messages[static_cast<size_t>(index)]);
    return QStringLiteral("Erreur inconnue: code ") + QString::number(code);
}
