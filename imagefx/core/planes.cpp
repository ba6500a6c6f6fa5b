// Splitting the working picture into its colour planes.
#include "imagefx/core/planes.h"

namespace imagefx {

void Planes::release() {
    width = height = 0;
    LargeBuffer<std::uint8_t>().swap(PlaneR);
    LargeBuffer<std::uint8_t>().swap(PlaneG);
    LargeBuffer<std::uint8_t>().swap(PlaneB);
}

void loadPlanes(const Picture& work, Planes& planes, ProgressSink* progress) {
    planes.release();
    planes.width = work.width();
    planes.height = work.height();
    const std::size_t count = static_cast<std::size_t>(planes.width) * planes.height;
    planes.PlaneR.resize(count);
    planes.PlaneG.resize(count);
    planes.PlaneB.resize(count);

    ProgressMeter meter(planes.height, progress);
    const int w = planes.width;
    for (int y = 0; y < planes.height; ++y) {
        const std::uint32_t* __restrict in = work.row(y);
        const std::size_t base = static_cast<std::size_t>(y) * w;
        std::uint8_t* __restrict r = planes.PlaneR.data() + base;
        std::uint8_t* __restrict g = planes.PlaneG.data() + base;
        std::uint8_t* __restrict b = planes.PlaneB.data() + base;
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = in[x];
            r[x] = static_cast<std::uint8_t>((p >> 16) & 0xff);
            g[x] = static_cast<std::uint8_t>((p >> 8) & 0xff);
            b[x] = static_cast<std::uint8_t>(p & 0xff);
        }
        meter.rowDone(y);
    }
}

}  // namespace imagefx
