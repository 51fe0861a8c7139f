// Decoding a 4000 x 3000 truecolour picture: our PNG reader and the JPEG reader against Qt's
// readers (libpng, libjpeg) on the same bytes. Target: within 2x of libpng for PNG.
#include "raster/JpegReader.h"
#include "raster/PngReader.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <span>

using namespace plumex;

namespace {

void ensureApp() {
    static int argc = 1;
    static char name[] = "bench_picture";
    static char* argv[] = {name, nullptr};
    if (QGuiApplication::instance()) return;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

// Smooth shading with a little noise, so it compresses like a scanned drawing or photo.
QImage testPicture() {
    QImage image(4000, 3000, QImage::Format_RGB32);
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> noise(-6, 6);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const double s = std::sin(x * 0.003) * std::cos(y * 0.004);
            const auto ch = [&](double v) { return std::clamp(int(v) + noise(rng), 0, 255); };
            row[x] = qRgb(ch(128 + 100 * s), ch(x * 255.0 / 4000), ch(y * 255.0 / 3000));
        }
    }
    return image;
}

const QByteArray& encoded(const char* format) {
    ensureApp();
    static const QImage picture = testPicture();
    static QByteArray png, jpeg;
    QByteArray& out = format[0] == 'P' ? png : jpeg;
    if (out.isEmpty()) {
        QBuffer buffer(&out);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, format, format[0] == 'P' ? -1 : 90);
    }
    return out;
}

std::span<const uint8_t> bytesOf(const QByteArray& a) {
    return {reinterpret_cast<const uint8_t*>(a.constData()), size_t(a.size())};
}

void BM_PngOurs(benchmark::State& state) {
    const QByteArray& data = encoded("PNG");
    for (auto _ : state) benchmark::DoNotOptimize(readPng(bytesOf(data)).pixels.data());
    state.counters["MB"] = data.size() / 1e6;
}

void BM_PngQt(benchmark::State& state) {
    const QByteArray& data = encoded("PNG");
    for (auto _ : state) benchmark::DoNotOptimize(QImage::fromData(data, "PNG").constBits());
}

void BM_JpegOurs(benchmark::State& state) {
    const QByteArray& data = encoded("JPEG");
    for (auto _ : state) benchmark::DoNotOptimize(readJpeg(bytesOf(data)).pixels.data());
    state.counters["MB"] = data.size() / 1e6;
}

void BM_JpegQt(benchmark::State& state) {
    const QByteArray& data = encoded("JPEG");
    for (auto _ : state) benchmark::DoNotOptimize(QImage::fromData(data, "JPEG").constBits());
}

} // namespace

BENCHMARK(BM_PngOurs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngQt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegOurs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegQt)->Unit(benchmark::kMillisecond);
