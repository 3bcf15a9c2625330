#include "engine/EngineErrorText.h"

#include <pskcore/pskcore.h>

#include <QCoreApplication>
#include <array>

namespace {

constexpr int32_t kFirstCode = 10;

// Codes 10 to 33, in order.
const std::array<const char *, 24> messages = {
    QT_TRANSLATE_NOOP("Korvo", "Erreur d'allocation mémoire"),
    QT_TRANSLATE_NOOP("Korvo", "Lecture impossible, la carte son n'est pas ouverte"),
    QT_TRANSLATE_NOOP("Korvo", "Saturation des buffers d'entrée"),
    QT_TRANSLATE_NOOP("Korvo", "Dépassement de temps en attendant les buffers d'entrée"),
    QT_TRANSLATE_NOOP("Korvo", "Ecriture impossible, la carte son n'est pas ouverte"),
    QT_TRANSLATE_NOOP("Korvo", "Buffers de sortie sous-employés"),
    QT_TRANSLATE_NOOP("Korvo", "Dépassement de temps en attendant les buffers de sortie"),
    QT_TRANSLATE_NOOP("Korvo", "Cette carte ne supporte pas le format 16 bits, 8000 Hz, Mono"),
    QT_TRANSLATE_NOOP("Korvo", "La carte est utilisée par une autre application"),
    QT_TRANSLATE_NOOP("Korvo", "En-tête non préparé"),
    QT_TRANSLATE_NOOP("Korvo", "Ce périphérique est synchrone"),
    QT_TRANSLATE_NOOP("Korvo", "Mauvais identifiant de périphérique, la carte son est introuvable"),
    QT_TRANSLATE_NOOP("Korvo", "L'initialisation du périphérique a échoué"),
    QT_TRANSLATE_NOOP("Korvo", "Le périphérique est déjà attribué"),
    QT_TRANSLATE_NOOP("Korvo", "Le handle du périphérique n'est pas valide"),
    QT_TRANSLATE_NOOP("Korvo", "Le pilote du périphérique est absent"),
    QT_TRANSLATE_NOOP("Korvo", "Fonction non supportée"),
    QT_TRANSLATE_NOOP("Korvo", "Erreur ou valeur hors limites"),
    QT_TRANSLATE_NOOP("Korvo", "Flag non valide"),
    QT_TRANSLATE_NOOP("Korvo", "Paramètre non valide"),
    QT_TRANSLATE_NOOP("Korvo", "Handle en cours d'utilisation"),
    QT_TRANSLATE_NOOP("Korvo", "Le pilote n'appelle pas DriverCallback"),
    QT_TRANSLATE_NOOP("Korvo", "Erreur de registre"),
    QT_TRANSLATE_NOOP("Korvo", "Erreur inconnue"),
};

// The station's codes: keying, the transmit time limit, the rig, the sound devices.
QString stationErrorText(int32_t code)
{
    switch (code) {
    case pskerr::KeyFailed:
        return QCoreApplication::translate("Korvo", "Impossible de passer le transceiver en émission.\r\n"
                                                              "L'émission est arrêtée.");
    case pskerr::UnkeyFailed:
        return QCoreApplication::translate("Korvo", "Impossible de repasser le transceiver en réception !\r\n"
                                                              "Vérifiez qu'il n'est pas resté en émission.");
    case pskerr::TxTimeLimit:
        return QCoreApplication::translate("Korvo", "Durée maximale d'émission atteinte : l'émission est arrêtée.");
    case pskerr::RigNotAnswering:
        return QCoreApplication::translate("Korvo", "Le transceiver ne répond plus : l'émission est arrêtée.\r\n"
                                                              "Vérifiez qu'il n'est pas resté en émission.");
    case pskerr::InputDeviceAbsent:
        return QCoreApplication::translate("Korvo", "Le périphérique d'entrée audio choisi est absent.");
    case pskerr::OutputDeviceAbsent:
        return QCoreApplication::translate("Korvo", "Le périphérique de sortie audio choisi est absent.");
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
        return QCoreApplication::translate("Korvo", messages[static_cast<size_t>(index)]);
    return QCoreApplication::translate("Korvo", "Erreur inconnue: code ") + QString::number(code);
}
