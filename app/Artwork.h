// The window artwork, compiled in as SVG and rendered at exact pixel sizes.
#pragma once

#include <QFont>
#include <QPixmap>
#include <QString>

// ":/art/<name>.svg" rendered at its own size; a null pixmap when missing.
QPixmap Art(const QString& name);

// The skin's font at a pixel height: a CJK-capable sans, so that the
// Chinese window texts render.
QFont SkinFont(int pixelHeight, bool bold = false);
