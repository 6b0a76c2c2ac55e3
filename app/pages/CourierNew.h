#pragma once
// The fixed-pitch font in which the pages line up hex words and bit pictures.

#include <QFont>

namespace orvik::app {

// "Courier New", or the platform's fixed-pitch font where it is missing.
inline QFont courierNew()
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

} // namespace orvik::app
