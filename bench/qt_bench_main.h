#pragma once
// main() of the benchmarks that draw through the Qt canvas: a QApplication on the offscreen
// platform, then Google Benchmark.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>

#define QUORVEL_QT_BENCHMARK_MAIN()                                        \
  int main(int argc, char** argv) {                                        \
    setenv("QT_QPA_PLATFORM", "offscreen", 0);                             \
    QApplication app(argc, argv);                                          \
    benchmark::Initialize(&argc, argv);                                    \
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;      \
    benchmark::RunSpecifiedBenchmarks();                                   \
    benchmark::Shutdown();                                                 \
    return 0;                                                              \
  }
