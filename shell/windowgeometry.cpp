#include "shell/windowgeometry.h"

QRect RestoreRect(const QRect& screen, const QSize& normalSize)
{
    const int left = screen.left() + (screen.width() - normalSize.width()) / 2;
    const int top = screen.top() + (screen.height() - normalSize.height()) / 2;
    return QRect(QPoint(left, top), normalSize);
}

int TaskbarHeight(const QRect& screen, const QRect& workArea)
{
    return qMax(0, (screen.y() + screen.height()) - (workArea.y() + workArea.height()));
}

QRect WorkAreaMaximiseRect(const QRect& screen, const QRect& workArea)
{
    return QRect(screen.topLeft(), QSize(screen.width(), screen.height() - TaskbarHeight(screen, workArea)));
}

bool SpansScreenWidth(int windowWidth, const QRect& screen)
{
    return windowWidth == screen.width();
}

bool PointerMovedFarEnough(const QPointF& position, const QPointF& lastRestore)
{
    const double dx = position.x() - lastRestore.x();
    const double dy = position.y() - lastRestore.y();
    return dx * dx + dy * dy >= 400;
}

QString ClockFontFamily(const QStringList& installedFamilies)
{
    // The classic face first: its digits are the ones the clock was drawn for.
    static const QStringList preferred { QStringLiteral("DS-Digital"), QStringLiteral("DSEG7 Classic"),
        QStringLiteral("DSEG7 Modern") };
    for (const QString& family : preferred) {
        if (installedFamilies.contains(family, Qt::CaseInsensitive))
            return family;
    }
    return QString();
}
