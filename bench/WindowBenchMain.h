// The main() of the benchmarks of windows: offscreen, with a settings
// folder of their own and no beeps; `prepare` runs once the application
// object exists (fonts for printed pages, for instance).
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "app/UserMessages.h"

inline int RunWindowBenchmarks(int argc, char** argv, void (*prepare)() = nullptr)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("KORVEXA_CONFIG_DIR", config.path().toUtf8());
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvexa"));
    if (prepare)
        prepare();
    korvexa::app::Messages().beep = [] {};
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
