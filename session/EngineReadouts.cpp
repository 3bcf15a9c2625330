#include "session/EngineReadouts.h"

#include <QCoreApplication>

QString imdReadout(int32_t db)
{
    return QStringLiteral("IMD:") + QString::number(db) + QStringLiteral("dB");
}

QString noiseReadout(int32_t db)
{
    return QCoreApplication::translate("Korvo", "Niveau de bruit: ") + QString::number(db) + QStringLiteral("dB");
}

QString clockErrorReadout(int32_t ppm)
{
    return QString::number(ppm) + QStringLiteral(" ppm");
}
