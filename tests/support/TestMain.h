#pragma once

#include <QApplication>
#include <QLocale>
#include <QTest>

#include <ctime>

// Like QTEST_MAIN, and fixes the locale the program formats with, whatever the machine's is.
#define TAVORO_TEST_MAIN(TestClass)                                                                                    \
    int main(int argc, char* argv[]) {                                                                                 \
        QApplication app(argc, argv);                                                                                  \
        QApplication::setOrganizationName(QStringLiteral("Quenset"));                                                 \
        QApplication::setApplicationName(QStringLiteral("Tavoro!"));                                                  \
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));                                         \
        tzset();                                                                                                       \
        TestClass test;                                                                                                \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
