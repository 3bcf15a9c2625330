#pragma once

#include <QCoreApplication>

#include "ground/DataFolders.h"
#include "logbook/TalmerConnection.h"

#include <QDir>
#include <QObject>

class ImageList;
class QAbstractButton;
class QsoLogger;
class QLineEdit;
class TLED;

// The QSO box's buttons and the hand-over of its three fields to the Talmer logbook.
class LogbookLink : public QObject
{
    Q_OBJECT
public:
    struct Controls
    {
        QLineEdit *HisCall = nullptr;
        QLineEdit *HisName = nullptr;
        QLineEdit *HisRep = nullptr;
        QAbstractButton *ClearBtn = nullptr;
        QAbstractButton *SendBtn = nullptr;
        QAbstractButton *TalmerBtn = nullptr;
        TLED *QuenLed = nullptr;
        const ImageList *images = nullptr;
        // "Enregistrer le QSO" and Ctrl+L; without a logger the QSO box only hands
        // its fields to Talmer.
        QAbstractButton *LogBtn = nullptr;
        QsoLogger *logger = nullptr;
    };

    explicit LogbookLink(const Controls &controls,
                         std::optional<QDBusConnection> bus = std::nullopt,
                         QObject *parent = nullptr);

    // Start-up: the logbook button appears only when the logbook program ("talmer", or
    // "talmer.exe" as it is named on Windows) is on the PATH or in one of the folders.
    void showButtonIfInstalled(const QStringList &folders = dataFolders());

    void ClearBtnClick();
    void TalmerBtnClick();
    void SendBtnClick();
    void LogBtnClick();

    bool isConnected() const { return m_talmer.isOpen(); }

private:
    void showState();

    Controls m_controls;
    TalmerConnection m_talmer;
};

inline const QString kLogQsoHint = QStringLiteral(QT_TRANSLATE_NOOP("Korvo", "Enregistrer le QSO (Ctrl+L)"));

inline const QString kTalmerSendFailedText = QStringLiteral(QT_TRANSLATE_NOOP("Korvo",
    "Une erreur vient de se produire...\r\n"
    "Assurez-vous dans TALMER d'avoir ouvert votre fichier\r\n"
    "de trafic et d'avoir ouvert le dialogue de saisie."));
