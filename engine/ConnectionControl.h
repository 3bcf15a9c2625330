#pragma once

#include <QObject>

class TPSKForm;

// OnBtn: connects the sound card and gives the engine every receive setting, or ends
// any transmission and stops the engine; in both directions it switches the controls
// that need a running engine.
class ConnectionControl : public QObject
{
    Q_OBJECT
public:
    explicit ConnectionControl(TPSKForm &form, QObject *parent = nullptr);

    // The click handler of OnBtn: inverts CardActive and follows the new value.
    void OnBtnClick();

private:
    void connectCard();
    void disconnectCard();
    void showDisconnected();
    void pushReceiveSettings();
    void setEngineControlsEnabled(bool enabled);

    TPSKForm &m_form;
    bool m_disconnecting = false;
};
