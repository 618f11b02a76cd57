#include <gtest/gtest.h>

#include "Picture.h"

TEST(Picture, ImageRoundTripPremultiplies)
{
    wxImage image(2, 1);
    image.InitAlpha();
    image.SetRGB(0, 0, 255, 128, 0);
    image.SetAlpha(0, 0, 128);
    image.SetRGB(1, 0, 10, 20, 30);
    image.SetAlpha(1, 0, 0);
    const Picture p = Picture::FromImage(image);
    ASSERT_TRUE(p.IsOk());
    EXPECT_EQ(p.GetPixel(0, 0), 0x80804000u);
    EXPECT_EQ(p.GetPixel(1, 0), 0u);
    const wxImage back = p.ToImage();
    EXPECT_EQ(back.GetRed(0, 0), 255);
    EXPECT_EQ(back.GetAlpha(0, 0), 128);
}

TEST(Picture, SubPictureClipsToThePicture)
{
    Picture p(4, 4, 0xFF000000u);
    p.Row(3)[3] = 0xFFFFFFFFu;
    const Picture sub = p.GetSubPicture(wxRect(2, 2, 10, 10));
    ASSERT_EQ(sub.GetSize(), wxSize(2, 2));
    EXPECT_EQ(sub.GetPixel(1, 1), 0xFFFFFFFFu);
    EXPECT_FALSE(p.GetSubPicture(wxRect(5, 5, 2, 2)).IsOk());
}
