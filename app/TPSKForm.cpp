#include "app/TPSKForm.h"

#include "engine/EngineInterface.h"

TPSKForm::TPSKForm(EngineInterface &engine, QWidget *parent)
    : QMainWindow(parent), m_engine(engine)
{
}
