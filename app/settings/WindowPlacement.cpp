#include "app/settings/WindowPlacement.h"

#include "app/settings/Registry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace orvik::app {

namespace {

const QString placementKey = QStringLiteral("orvikegse");
const QString leftName = QStringLiteral("win_pos_left");
const QString topName = QStringLiteral("win_pos_top");
const QString heightName = QStringLiteral("win_pos_height");
const QString widthName = QStringLiteral("win_pos_width");

struct PlacementValue {
    const QString& name;
    qint32 initial;
    qint32 least, most; // a stored value outside these reads as the initial one
};

// No window is larger than QWIDGETSIZE_MAX, nor placed farther away: within these, the
// edges of the window are numbers, however the values were edited.
constexpr qint32 farthest = QWIDGETSIZE_MAX;

// In the order in which a first run creates them.
const PlacementValue placementDefaults[] = {{leftName, 0, -farthest, farthest},
                                            {topName, 0, -farthest, farthest},
                                            {heightName, 577, 1, farthest},
                                            {widthName, 900, 1, farthest}};

} // namespace

QRect restoreWindowPlacement(RegistryKey& key, QSize screen)
{
    for (const PlacementValue& value : placementDefaults)
        if (!key.valueExists(value.name))
            key.writeInteger(value.name, value.initial);
    // A value that does not hold an integer, or one no window can take (or a key that
    // could not be opened) falls back to the default rather than keeping the window from opening.
    auto read = [&key](const PlacementValue& value) {
        const qint32 stored = key.readInteger(value.name).value_or(value.initial);
        return stored < value.least || stored > value.most ? value.initial : stored;
    };
    const auto& [left, top, height, width] = placementDefaults;
    return QRect(read(left), read(top), std::min(read(width), screen.width()),
                 std::min(read(height), screen.height()));
}

void saveWindowPlacement(RegistryKey& key, const QRect& placement)
{
    key.writeInteger(topName, placement.top());
    key.writeInteger(leftName, placement.left());
    key.writeInteger(heightName, placement.height());
    key.writeInteger(widthName, placement.width());
}

void restoreWindowPlacement(QWidget& window)
{
    RegistryKey key(placementKey);
    const QScreen* screen = window.screen();
    const QSize available = screen ? screen->availableGeometry().size()
                                   : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const QRect placement = restoreWindowPlacement(key, available);
    // Placed where no screen is (one since unplugged, values edited), the window would be
    // out of reach: it comes to the corner of its screen.
    const QList<QScreen*> screens = QGuiApplication::screens();
    const bool inReach = screen == nullptr || std::any_of(screens.begin(), screens.end(), [&](const QScreen* s) {
        return s->availableGeometry().intersects(placement);
    });
    window.move(inReach ? placement.topLeft() : screen->availableGeometry().topLeft());
    window.resize(placement.size());
}

void saveWindowPlacement(const QWidget& window)
{
    RegistryKey key(placementKey);
    saveWindowPlacement(key, QRect(window.pos(), window.size()));
}

} // namespace orvik::app
