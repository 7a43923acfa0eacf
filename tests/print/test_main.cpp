// The sheets measure real fonts: a QGuiApplication (offscreen unless the
// environment names a platform) and the free fonts standing in for the
// ones the sheets name.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "print/PrintFonts.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    korvexa::print::SubstituteFonts();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
