#pragma once

#include <QIcon>

// The browser button's picture: a page of lines, two of them marked.
QIcon browserIcon();
