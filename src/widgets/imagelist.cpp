#include "widgets/imagelist.h"

#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QSvgRenderer>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

// The icon resources live in this static library; nothing would pull in
// their registration unless it is called.
static void initIconResources()
{
    Q_INIT_RESOURCE(icons);
}

namespace quoll::widgets {

namespace {

// Renders an SVG resource at exactly the requested pixel size, so pictures
// stay crisp at every scale; results are kept in the global pixmap cache.
class SvgIconEngine : public QIconEngine
{
public:
    explicit SvgIconEngine(QString alias) : m_alias(std::move(alias)) {}

    QIconEngine *clone() const override { return new SvgIconEngine(m_alias); }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override { return size; }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap pm = pixmap(rect.size() * ratio, mode, state);
        pm.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, pm);
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State) override
    {
        if (size.isEmpty())
            return {};
        const QString key = u"quoll-svg:%1:%2x%3:%4"_s.arg(m_alias).arg(size.width()).arg(size.height()).arg(int(mode));
        QPixmap cached;
        if (QPixmapCache::find(key, &cached))
            return cached;
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QSvgRenderer renderer(m_alias);
        if (renderer.isValid()) {
            QPainter painter(&image);
            renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
        }
        if (mode == QIcon::Disabled)
            image = greyed(image);
        QPixmap pm = QPixmap::fromImage(image);
        QPixmapCache::insert(key, pm);
        return pm;
    }

    QString key() const override { return u"QuollSvgIconEngine"_s; }

private:
    static QImage greyed(const QImage &source)
    {
        QImage out = source.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < out.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
            for (int x = 0; x < out.width(); ++x) {
                const int grey = qGray(line[x]);
                const int lighter = grey + (255 - grey) / 2;
                line[x] = qRgba(lighter, lighter, lighter, qAlpha(line[x]) / 2);
            }
        }
        return out;
    }

    QString m_alias;
};

} // namespace

QIcon svgIcon(const QString &alias)
{
    static const bool registered = (initIconResources(), true);
    Q_UNUSED(registered);
    return QIcon(new SvgIconEngine(alias));
}

ImageList::ImageList(int imageSize, QList<Entry> entries)
    : m_imageSize(imageSize), m_entries(std::move(entries))
{
}

ImageList ImageList::commands()
{
    return ImageList(32, {
        {0, ":/icons/connect"},
        {2, ":/icons/execute"},
        {4, ":/icons/begin-commit"},
        {5, ":/icons/rollback"},
        {7, ":/icons/about"},
        {9, ":/icons/export-html"},
        {10, ":/icons/export-spreadsheet"},
        {11, ":/icons/open"},
        {12, ":/icons/save"},
        {13, ":/icons/record-count"},
        {14, ":/icons/execute-selection"},
        {15, ":/icons/font-bigger"},
        {16, ":/icons/font-smaller"},
        {17, ":/icons/export-tsv"},
        {18, ":/icons/undo"},
        {19, ":/icons/redo"},
        {21, ":/icons/erase"},
        {22, ":/icons/viewer"},
        {23, ":/icons/first"},
        {24, ":/icons/prior"},
        {25, ":/icons/next"},
        {26, ":/icons/last"},
        {27, ":/icons/refresh"},
        {28, ":/icons/templates"},
    });
}

ImageList ImageList::listIcons()
{
    return ImageList(16, {
        {ListIcon::SortAscending, ":/icons/list/sort-asc"},
        {ListIcon::SortDescending, ":/icons/list/sort-desc"},
        {ListIcon::PrimaryKey, ":/icons/list/primary-key"},
        {ListIcon::Reference, ":/icons/list/reference"},
        {ListIcon::Check, ":/icons/list/check"},
        {ListIcon::NotNull, ":/icons/list/not-null"},
        {ListIcon::UserTable, ":/icons/list/table"},
        {ListIcon::SystemTable, ":/icons/list/system-table"},
        {ListIcon::UserView, ":/icons/list/view"},
        {ListIcon::SystemView, ":/icons/list/system-view"},
        {ListIcon::Find, ":/icons/list/find"},
    });
}

QList<int> ImageList::indexes() const
{
    QList<int> result;
    for (const Entry &e : m_entries)
        result.append(e.index);
    return result;
}

bool ImageList::contains(int index) const
{
    return std::any_of(m_entries.begin(), m_entries.end(), [index](const Entry &e) { return e.index == index; });
}

QString ImageList::alias(int index) const
{
    for (const Entry &e : m_entries)
        if (e.index == index)
            return QString::fromLatin1(e.alias);
    return {};
}

QIcon ImageList::icon(int index) const
{
    const QString a = alias(index);
    return a.isEmpty() ? QIcon() : svgIcon(a);
}

} // namespace quoll::widgets
