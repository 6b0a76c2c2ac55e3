#include "reports/ApplicationIcon.h"

#include <QPainter>
#include <QSvgRenderer>

// A resource of a static library is linked only when something calls its initializer.
static void initApplicationIconResource()
{
    Q_INIT_RESOURCE(ApplicationIcon);
}

namespace orvik::reports {

QPixmap applicationPicture(int size)
{
    static const bool initialized = (initApplicationIconResource(), true);
    (void)initialized;
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/orvik/orvik-egse.svg"));
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

QIcon applicationIcon()
{
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(applicationPicture(size));
    return icon;
}

} // namespace orvik::reports
