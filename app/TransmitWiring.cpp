#include "app/TransmitWiring.h"

#include "app/TPSKForm.h"
#include "channels/ReceiveChannels.h"
#include "config/PaneLook.h"
#include "controls/TLEDLabel.h"
#include "macros/MacroControl.h"
#include "transmit/TransmitBuffer.h"
#include "transmit/TransmitControl.h"

#include <QToolButton>

void attachTransmitAndMacros(TPSKForm &form)
{
    const auto notice = [&form](int icon, const QString &message) { form.setStatusNotice(icon, message); };

    TransmitWidgets tw;
    tw.TxBtn = form.TxBtn;
    tw.TuneBtn = form.TuneBtn;
    tw.CWIDBtn = form.CWIDBtn;
    tw.RewindBtn = form.RewindBtn;
    tw.TxBuf = form.TxBuf;
    tw.Canal = form.Canal;
    tw.terms = {form.TermOne, form.TermTwo};
    tw.TXLed = form.TXLed;
    tw.RXLed = form.RXLed;
    tw.StatusBar = form.StatusBar;
    tw.Images = &form.Images;
    tw.setStatusNotice = notice;
    tw.applyNetRule = [&form] { form.receiveChannels->applyNetRule(); };
    tw.dropUndelivered = [&form] {
        if (form.transmitBuffer)
            form.transmitBuffer->dropUndelivered();
    };
    form.transmit = std::make_unique<TransmitControl>(form.engine, form.flags, form.Settings, tw);
    TransmitControl *transmit = form.transmit.get();
    QObject::connect(form.TxBtn, &QToolButton::clicked, transmit, &TransmitControl::TxBtnClick);
    QObject::connect(form.TuneBtn, &QToolButton::clicked, transmit, &TransmitControl::TuneBtnClick);
    QObject::connect(form.CWIDBtn, &QToolButton::clicked, transmit, &TransmitControl::CWIDBtnClick);
    QObject::connect(form.RewindBtn, &QToolButton::clicked, transmit, &TransmitControl::RewindBtnClick);

    form.transmitBuffer = std::make_unique<TransmitBuffer>(form.engine, form.flags, form.TxBuf, &form.Images);
    form.transmitBuffer->setStatusNoticeHook(notice);
    form.paneLook->bindMenu(2, form.transmitBuffer->Color3, form.transmitBuffer->Font3);

    MacroWidgets mw;
    mw.buttons = form.macroButtons;
    mw.HisCall = form.HisCall;
    mw.HisName = form.HisName;
    mw.HisRep = form.HisRep;
    mw.Canal = form.Canal;
    mw.terms = {form.TermOne, form.TermTwo};
    mw.TxBuf = form.TxBuf;
    mw.dialogParent = &form;
    form.macros = std::make_unique<MacroControl>(form.engine, form.flags, form.Settings, mw, *transmit,
                                                 *form.transmitBuffer);
    QObject::connect(form.MacroBtn, &QToolButton::clicked, form.macros.get(), &MacroControl::MacroBtnClick);
}
