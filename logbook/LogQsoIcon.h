#pragma once

#include <QIcon>

// The "Enregistrer le QSO" button's picture: a log page with a tick.
QIcon logQsoIcon();
