#pragma once

#include <QMainWindow>

class EngineInterface;

// The main window: wiring between the engine and the subsystems.
class TPSKForm : public QMainWindow
{
    Q_OBJECT
public:
    explicit TPSKForm(EngineInterface &engine, QWidget *parent = nullptr);

private:
    EngineInterface &m_engine;
};
