#include <gtest/gtest.h>

#include <QImage>
#include <set>

#include "support/QtPrinting.h"
#include "ui/kit/ImageStrip.h"
#include "ui/kit/Resources.h"

using namespace quorrel;

namespace {

constexpr QRgb kMagenta = qRgb(255, 0, 255);
const QString kSourceImages = QStringLiteral(QUORREL_SOURCE_DIR "/src/ui/kit/images");

int keyPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += (image.pixel(x, y) | 0xFF000000u) == kMagenta;
    return count;
}

}  // namespace

TEST(Artwork, FeatureStripHoldsTheEightSourceIconsOnMagenta) {
    const QImage strip = Resources::instance().bitmap(172);
    ASSERT_EQ(strip.size(), QSize(8 * 32, 32));
    std::set<QByteArray> distinct;
    for (int i = 0; i < 8; ++i) {
        const QImage slice = strip.copy(i * 32, 0, 32, 32).convertToFormat(QImage::Format_RGB32);
        const QImage source = QImage(kSourceImages + QStringLiteral("/features/%1.png").arg(i + 1))
                                  .convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(slice, source) << "strip image " << i + 1
                                 << " is stale; rerun quorrel-draw-icons";
        EXPECT_EQ(slice.pixel(0, 0) | 0xFF000000u, kMagenta) << "icon " << i + 1;
        const int key = keyPixels(slice);
        EXPECT_GT(key, 100) << "icon " << i + 1 << " needs a magenta background";
        EXPECT_LT(key, 32 * 32 - 150) << "icon " << i + 1 << " is nearly empty";
        distinct.insert(
            QByteArray(reinterpret_cast<const char*>(slice.constBits()), slice.sizeInBytes()));
    }
    EXPECT_EQ(distinct.size(), 8u);
}

TEST(Artwork, StripIconsAreTransparentWhereTheStripIsMagenta) {
    const QList<QIcon> icons = iconsFromStrip(Resources::instance().bitmap(172), 32, 8);
    ASSERT_EQ(icons.size(), 8);
    const QImage first = icons[0].pixmap(32, 32).toImage();
    EXPECT_EQ(qAlpha(first.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(first.pixel(16, 16)), 255);
    EXPECT_EQ(iconsFromStrip(QImage(64, 32, QImage::Format_RGB32), 32, 8).size(), 2);
}

TEST(Artwork, ProgramIconsExist) {
    for (int id : {128, 184}) {
        const QIcon icon = Resources::instance().icon(id);
        ASSERT_FALSE(icon.isNull()) << id;
        EXPECT_EQ(icon.pixmap(32, 32).size(), QSize(32, 32)) << id;
    }
}
