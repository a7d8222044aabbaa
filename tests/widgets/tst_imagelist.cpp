#include "widgets/imagelist.h"

#include "testregistry.h"

#include <QImage>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using quoll::widgets::ImageList;

namespace {

ImageList listNamed(const QString &name)
{
    return name == u"commands"_s ? ImageList::commands() : ImageList::listIcons();
}

bool hasVisiblePixel(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                return true;
    return false;
}

} // namespace

class TstImageList : public QObject
{
    Q_OBJECT

private slots:
    void everyPictureRenders_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("designSize");
        for (const auto &[name, size] : {std::pair(u"commands"_s, 32), std::pair(u"listIcons"_s, 16)}) {
            for (int index : listNamed(name).indexes())
                QTest::addRow("%s %d", qPrintable(name), index) << name << index << size;
        }
    }

    // At its design size and at twice that for a 2x screen; the disabled
    // rendering is a visibly different picture.
    void everyPictureRenders()
    {
        QFETCH(QString, list);
        QFETCH(int, index);
        QFETCH(int, designSize);
        const ImageList images = listNamed(list);
        QCOMPARE(images.imageSize(), designSize);
        const QIcon icon = images.icon(index);
        QVERIFY(!icon.isNull());

        const QSize design(designSize, designSize);
        const QPixmap normal = icon.pixmap(design, 1.0);
        QCOMPARE(normal.size(), design);
        QVERIFY2(hasVisiblePixel(normal.toImage()), qPrintable(images.alias(index)));

        const QPixmap doubled = icon.pixmap(design, 2.0);
        QCOMPARE(doubled.size(), design * 2);
        QCOMPARE(doubled.deviceIndependentSize().toSize(), design);
        QVERIFY2(hasVisiblePixel(doubled.toImage()), qPrintable(images.alias(index)));

        const QImage disabled = icon.pixmap(design, 1.0, QIcon::Disabled).toImage();
        QVERIFY(hasVisiblePixel(disabled));
        QVERIFY(disabled.convertToFormat(QImage::Format_ARGB32) != normal.toImage().convertToFormat(QImage::Format_ARGB32));
    }

    void listIconIndexesAreZeroToTen()
    {
        QCOMPARE(ImageList::listIcons().indexes(), (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    }

    void indexWithoutPictureGivesNullIcon()
    {
        for (int index : {-1, 1, 3, 20, 29}) {
            QVERIFY(!ImageList::commands().contains(index));
            QVERIFY(ImageList::commands().icon(index).isNull());
        }
        for (int index : {-1, 11})
            QVERIFY(ImageList::listIcons().icon(index).isNull());
    }
};

QUOLL_TEST(TstImageList);

#include "tst_imagelist.moc"
