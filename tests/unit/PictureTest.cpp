#include <gtest/gtest.h>

#include <wx/image.h>

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

TEST(Picture, CopiesSharePixelsUntilOneIsWritten)
{
    Picture a(3, 2, 0xFF112233u);
    const Picture b = a;
    EXPECT_TRUE(b.SharesPixelsWith(a));
    EXPECT_EQ(b.Pixels(), static_cast<const Picture&>(a).Pixels());
    a.Row(1)[2] = 0xFFFFFFFFu;
    EXPECT_FALSE(b.SharesPixelsWith(a));
    EXPECT_EQ(b.GetPixel(2, 1), 0xFF112233u);
    EXPECT_EQ(a.GetPixel(2, 1), 0xFFFFFFFFu);
    EXPECT_EQ(a.GetPixel(0, 0), 0xFF112233u);
    // A picture nobody shares is written in place.
    const uint32_t* before = static_cast<const Picture&>(a).Pixels();
    a.Pixels()[0] = 0;
    EXPECT_EQ(static_cast<const Picture&>(a).Pixels(), before);
    EXPECT_FALSE(Picture().SharesPixelsWith(Picture()));
}

TEST(Picture, ScalingWeighsColourByAlpha)
{
    // Opaque white beside clear pixels: every resampled pixel stays white at its
    // own opacity, with no dark fringe from the clear pixels' colour.
    Picture p(8, 8, 0u);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 4; ++x)
            p.Row(y)[x] = 0xFFFFFFFFu;
    for (const wxSize size : {wxSize(3, 3), wxSize(5, 2), wxSize(13, 7)}) {
        const Picture s = p.Scaled(size);
        ASSERT_EQ(s.GetSize(), size);
        bool translucent = false;
        for (int y = 0; y < size.y; ++y)
            for (int x = 0; x < size.x; ++x) {
                const uint32_t px = s.GetPixel(x, y);
                const uint32_t a = px >> 24;
                translucent |= a > 0 && a < 255;
                ASSERT_EQ(px, a * 0x01010101u) << x << "," << y;
            }
        EXPECT_TRUE(translucent);
    }
    EXPECT_FALSE(p.Scaled(wxSize(0, 4)).IsOk());
    EXPECT_TRUE(p.Scaled(wxSize(8, 8)).SharesPixelsWith(p));
}

TEST(Picture, MaskColourBecomesTransparent)
{
    // GIF, XPM and icon files load with a mask colour instead of an alpha channel.
    wxImage image(2, 1);
    image.SetRGB(0, 0, 200, 100, 50);
    image.SetRGB(1, 0, 10, 20, 30);
    image.SetMaskColour(10, 20, 30);
    const Picture p = Picture::FromImage(image);
    ASSERT_TRUE(p.IsOk());
    EXPECT_EQ(p.GetPixel(0, 0), 0xFFC86432u);
    EXPECT_EQ(p.GetPixel(1, 0), 0u);
}
