#include "transmit/TransmitBuffer.h"

#include "ground/Cp1252.h"
#include "ground/Dialogs.h"
#include "ground/Images.h"
#include "engine/ConnectionFlags.h"
#include "engine/EngineInterface.h"

#include <QCoreApplication>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>

namespace {

constexpr int kCtrlC = 3;
constexpr int kTab = 9;

// The character codes a key press carries. Ctrl with a letter is the letter's
// control code (Ctrl+C is 3, Ctrl+V is 22) whether or not the platform reports it
// in the text. Delete carries DEL on some platforms but is an editing key, not a character.
QString charactersOf(const QKeyEvent &key)
{
    if (key.key() == Qt::Key_Delete)
        return {};
    const Qt::KeyboardModifiers mods = key.modifiers();
    if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier)
        && key.key() >= Qt::Key_A && key.key() <= Qt::Key_Z && !key.text().isEmpty())
        return QString(QChar(key.key() - Qt::Key_A + 1));
    return key.text();
}

} // namespace

TransmitBuffer::TransmitBuffer(EngineInterface &engine, const ConnectionFlags &flags,
                               QPlainTextEdit *TxBuf, const ImageList *images, QObject *parent)
    : QObject(parent), m_engine(engine), m_flags(flags), m_pane(TxBuf)
{
    m_sliceTimer.setInterval(0);
    connect(&m_sliceTimer, &QTimer::timeout, this, &TransmitBuffer::deliverSlice);

    m_pane->setTabChangesFocus(false);
    m_pane->setToolTip(QCoreApplication::translate("Korvo", "Click droit pour le menu"));
    m_pane->installEventFilter(this);

    TxBufPopup = new QMenu(m_pane);
    const auto icon = [images](int index) { return images ? images->icon(index) : QIcon(); };
    ClearTXBuf = TxBufPopup->addAction(icon(9), QCoreApplication::translate("Korvo", "Vider"));
    PastetoTX = TxBufPopup->addAction(icon(11), QStringLiteral("Coller"));
    Color3 = TxBufPopup->addAction(icon(17), QCoreApplication::translate("Korvo", "Couleur"));
    Font3 = TxBufPopup->addAction(icon(18), QCoreApplication::translate("Korvo", "Police"));
    connect(ClearTXBuf, &QAction::triggered, this, &TransmitBuffer::ClearTXBufClick);
    connect(PastetoTX, &QAction::triggered, this, &TransmitBuffer::PastetoTXClick);
    connect(TxBufPopup, &QMenu::aboutToShow, this, &TransmitBuffer::TxBufPopupPopup);

    m_pane->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_pane, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { TxBufPopup->popup(m_pane->viewport()->mapToGlobal(pos)); });
}

bool TransmitBuffer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_pane)
        return false;
    if (event->type() == QEvent::KeyPress) {
        const QString chars = charactersOf(*static_cast<QKeyEvent *>(event));
        for (const QChar ch : chars)
            TxBufKeyPress(ch);
    } else if (event->type() == QEvent::InputMethod) {
        // Characters composed with dead keys or an input method reach the pane this way.
        const QString chars = static_cast<QInputMethodEvent *>(event)->commitString();
        for (const QChar ch : chars)
            TxBufKeyPress(ch);
    }
    return false;
}

void TransmitBuffer::TxBufKeyPress(QChar ch)
{
    // Engine reports and repaints go on while a macro pours its text in. Input events
    // wait: a key handled in here would reach the engine before the one being handled.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    if (!m_flags.CardActive) {
        Dialogs::current().beep();
        if (m_setStatusNotice)
            m_setStatusNotice(Image::Stop, QCoreApplication::translate("Korvo", "Erreur ! La carte son n'est pas activée..."));
        m_pane->clear();
        return;
    }
    switch (ch.unicode()) {
    case kCtrlC:
        m_engine.fnSendTXCharacter(1, 1);
        return;
    case kTab:
        m_engine.fnSendTXCharacter(2, 1);
        return;
    default:
        break;
    }
    // A character the engine's character set lacks is not sent as some other one.
    const std::optional<unsigned char> byte = Cp1252::fromUnicode(ch);
    if (!byte) {
        Dialogs::current().beep();
        return;
    }
    m_engine.fnSendTXCharacter(*byte, 0);
}

void TransmitBuffer::deliver(QChar ch)
{
    Qt::Key key = Qt::Key_unknown;
    switch (ch.unicode()) {
    case 8:
        key = Qt::Key_Backspace;
        break;
    case 9:
        key = Qt::Key_Tab;
        break;
    case 13:
        key = Qt::Key_Return;
        break;
    default:
        break;
    }
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(ch));
    QCoreApplication::sendEvent(m_pane, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(ch));
    QCoreApplication::sendEvent(m_pane, &release);
}

void TransmitBuffer::deliverText(const QString &text)
{
    if (text.isEmpty())
        return;
    const bool idle = undeliveredCount() == 0;
    m_undelivered += text;
    if (idle && !m_inSlice)
        deliverSlice();
    if (undeliveredCount() > 0)
        m_sliceTimer.start();
}

void TransmitBuffer::deliverSlice()
{
    if (m_inSlice)
        return;
    // A connection lost while text waits: its first character gives the notice, the
    // rest is not typed (each would beep).
    const bool dropAfterOne = !m_flags.CardActive && m_sliceTimer.isActive();
    m_inSlice = true;
    for (qsizetype typed = 0; typed < kSliceChars && undeliveredCount() > 0; ++typed) {
        deliver(m_undelivered.at(m_nextUndelivered++));
        if (dropAfterOne)
            m_nextUndelivered = m_undelivered.size();
    }
    m_inSlice = false;
    if (undeliveredCount() == 0)
        dropUndelivered();
}

void TransmitBuffer::dropUndelivered()
{
    m_sliceTimer.stop();
    m_undelivered.clear();
    m_nextUndelivered = 0;
}

void TransmitBuffer::ClearTXBufClick()
{
    dropUndelivered();
    m_engine.fnClearTXBuffer();
    m_pane->clear();
}

// Control codes are dropped: a CR LF line break arrives as one CR and a pasted tab
// does not append the CW identification.
void TransmitBuffer::PastetoTXClick()
{
    const QString text = QGuiApplication::clipboard()->text();
    QString typed;
    typed.reserve(text.size());
    for (const QChar ch : text)
        if (ch.unicode() > 12)
            typed += ch;
    deliverText(typed);
}

void TransmitBuffer::TxBufPopupPopup()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    PastetoTX->setEnabled(data && data->hasText());
}
