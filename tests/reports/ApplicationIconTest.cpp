// The program's icon, drawn from its SVG resource at the sizes asked for, and the
// about box's picture of it.

#include "reports/AboutBox.h"
#include "reports/ApplicationIcon.h"

#include <QIcon>
#include <QImage>
#include <QLabel>

#include <gtest/gtest.h>

using namespace orvik::reports;

TEST(ApplicationIconTest, TheIconIsDrawnAtEverySizeAndTheAboutBoxShowsIt)
{
    for (const int size : {16, 48, 256}) {
        const QImage picture = applicationPicture(size).toImage();
        ASSERT_EQ(picture.size(), QSize(size, size));
        EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0) << size << ": beyond the rounded corner";
        EXPECT_EQ(qAlpha(picture.pixel(size / 2, size / 2)), 255) << size << ": the picture was drawn";
    }
    const QList<QSize> sizes = applicationIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(256, 256)));

    const TAboutBox box;
    EXPECT_EQ(box.Image1->pixmap().toImage(), applicationPicture(40).toImage());
}
