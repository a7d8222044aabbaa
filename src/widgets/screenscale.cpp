#include "widgets/screenscale.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace quoll::widgets {

double screenScale()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    return dpi / 120.0;
}

int scaled(int pixelsAt120Dpi)
{
    return int(std::lround(pixelsAt120Dpi * screenScale()));
}

} // namespace quoll::widgets
