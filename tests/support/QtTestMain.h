#pragma once
// The main of every test program that runs Qt: the same platform, style,
// locale and hash seed on every machine, then one application for all tests.
#include <QApplication>
#include <QHashSeed>
#include <QLocale>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

inline int runQtTests(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("LC_ALL", "C", 1);
    std::setlocale(LC_ALL, "C");
    QHashSeed::setDeterministicGlobalSeed();
    testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    QLocale::setDefault(QLocale::c());
    QApplication::setStyle(QStringLiteral("Fusion"));
    return RUN_ALL_TESTS();
}
