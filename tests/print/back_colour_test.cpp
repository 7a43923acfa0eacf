// The panel colour and its stored form in the settings file.
#include <gtest/gtest.h>

#include "print/BackColour.h"

using namespace korvexa;

TEST(BackColour, PackedColoursAreBlueGreenRed)
{
    EXPECT_EQ(ToPackedColour(QColor(255, 0, 0)), 255);
    EXPECT_EQ(ToPackedColour(QColor(0, 0, 255)), 16711680);
    EXPECT_EQ(ToPackedColour(QColor(0, 255, 0)), 65280);
    EXPECT_EQ(ToPackedColour(DesignedBackColour()), 192 + 220 * 256 + 192 * 65536);
    EXPECT_EQ(FromPackedColour(255), QColor(255, 0, 0));
    EXPECT_EQ(FromPackedColour(16711680), QColor(0, 0, 255));
    for (long packed : {0L, 1L, 0x123456L, 0xFFFFFFL})
        EXPECT_EQ(ToPackedColour(FromPackedColour(packed)), packed);
    // A colour given in another model still packs its RGB value.
    EXPECT_EQ(ToPackedColour(QColor::fromHsv(0, 255, 255)), 255);
}

TEST(BackColour, StoredTextGivesItsColourOrTheDefault)
{
    EXPECT_EQ(BackColourFromText(QStringLiteral("255")), QColor(255, 0, 0));
    EXPECT_EQ(BackColourFromText(QStringLiteral("16711680")), QColor(0, 0, 255));
    EXPECT_EQ(BackColourFromText(QStringLiteral("0")), QColor(0, 0, 0));
    EXPECT_EQ(BackColourFromText(QStringLiteral(" 65280 ")), QColor(0, 255, 0));

    // Nothing stored, a damaged value or one that is no colour: the default.
    for (const char* text : {"", "   ", "abc", "255abc", "12.5", "0xFF", "$FF", "-1", "16777216",
                             "2147483663", "99999999999999999999"})
        EXPECT_EQ(BackColourFromText(QString::fromUtf8(text)), DesignedBackColour()) << text;

    const QColor panel(10, 20, 30);
    EXPECT_EQ(BackColourFromText(QString(), panel), panel);
    EXPECT_EQ(BackColourFromText(QStringLiteral("x"), panel), panel);
}

TEST(BackColour, TextToStoreIsEmptyForTheDefault)
{
    EXPECT_EQ(BackColourText(DesignedBackColour()), QString());
    EXPECT_EQ(BackColourText(QColor(255, 0, 0)), QStringLiteral("255"));
    EXPECT_EQ(BackColourText(QColor(0, 0, 255)), QStringLiteral("16711680"));

    const QColor panel(10, 20, 30);
    EXPECT_EQ(BackColourText(panel, panel), QString());
    EXPECT_EQ(BackColourText(DesignedBackColour(), panel), QString::number(ToPackedColour(DesignedBackColour())));

    // What is stored reads back as the same colour.
    for (const QColor& c : {QColor(1, 2, 3), QColor(255, 255, 255), QColor(0, 0, 0), QColor(200, 100, 50)})
        EXPECT_EQ(BackColourFromText(BackColourText(c)), c);
}
