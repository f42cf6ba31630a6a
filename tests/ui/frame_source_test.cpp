// Video frames in each YUV layout and range give the BT.601 colours of four blocks back
// in their places (a four-byte RGB layout its own colours), and the live view's picture
// mirrored and made to fit.
#include <QVideoFrame>
#include <cstdlib>
#include <gtest/gtest.h>

#include "ui/dialogs/frame_source.h"

namespace velmora::test {
namespace {

using Format = QVideoFrameFormat::PixelFormat;
using Range = QVideoFrameFormat::ColorRange;

// Y U V of the blocks (top left, top right, bottom left, bottom right), and their
// R G B in full and in video range.
constexpr uchar kYuv[4][3] = {{100, 100, 180}, {180, 140, 110}, {80, 160, 110}, {160, 90, 140}};
constexpr int kRgb[2][4][3] = {{{173, 73, 50}, {155, 189, 201}, {55, 82, 137}, {177, 165, 93}},
                               {{181, 66, 41}, {162, 201, 215}, {46, 77, 139}, {187, 173, 91}}};
constexpr int kW = 70, kH = 40;  // a width that is no multiple of any row alignment

QVideoFrame Frame(Format format, Range range) {
    QVideoFrameFormat surface(QSize(kW, kH), format);
    surface.setColorRange(range);
    QVideoFrame frame(surface);
    EXPECT_TRUE(frame.map(QVideoFrame::WriteOnly));
    auto at = [&](int plane, int x, int y) -> uchar& { return frame.bits(plane)[y * frame.bytesPerLine(plane) + x]; };
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const int block = (y >= kH / 2 ? 2 : 0) + (x >= kW / 2 ? 1 : 0);
            const uchar* c = kYuv[block];
            const int cx = x / 2, cy = y / 2;
            switch (format) {
            case Format::Format_YUV420P: at(0, x, y) = c[0]; at(1, cx, cy) = c[1]; at(2, cx, cy) = c[2]; break;
            case Format::Format_NV12: at(0, x, y) = c[0]; at(1, 2 * cx, cy) = c[1]; at(1, 2 * cx + 1, cy) = c[2]; break;
            case Format::Format_YUYV: at(0, 2 * x, y) = c[0]; at(0, 4 * cx + 1, y) = c[1]; at(0, 4 * cx + 3, y) = c[2]; break;
            case Format::Format_UYVY: at(0, 2 * x + 1, y) = c[0]; at(0, 4 * cx, y) = c[1]; at(0, 4 * cx + 2, y) = c[2]; break;
            default:  // four bytes X R G B: the colours themselves
                for (int i = 0; i < 3; ++i) at(0, 4 * x + 1 + i, y) = static_cast<uchar>(kRgb[0][block][i]);
            }
        }
    frame.unmap();
    return frame;
}

// Every channel of the pixel within 3 of rgb.
bool Near(const QImage& image, int x, int y, const int* rgb) {
    const QColor c = image.pixelColor(x, y);
    return std::abs(c.red() - rgb[0]) <= 3 && std::abs(c.green() - rgb[1]) <= 3 && std::abs(c.blue() - rgb[2]) <= 3;
}

class FrameConversion : public ::testing::TestWithParam<std::tuple<Format, Range>> {};

TEST_P(FrameConversion, GivesTheBlocksColoursInPlaceAndAMirroredFittedView) {
    const auto [format, range] = GetParam();
    const QImage bgr = FrameToBgr(Frame(format, range));
    // Fitted into a square the shown picture keeps its shape; left and right change places.
    const QImage shown = MirroredToFit(bgr, QSize(35, 35));
    ASSERT_TRUE(bgr.size() == QSize(kW, kH) && shown.size() == QSize(35, 20)) << bgr.width() << " " << shown.width();
    for (int b = 0; b < 4; ++b) {
        const int* rgb = kRgb[range == Range::ColorRange_Full || format == Format::Format_XRGB8888 ? 0 : 1][b];
        EXPECT_TRUE(Near(bgr, b % 2 ? kW - 9 : 8, b / 2 ? kH - 9 : 8, rgb)) << "block " << b;
        EXPECT_TRUE(Near(shown, b % 2 ? 4 : 30, b / 2 ? 15 : 4, rgb)) << "shown block " << b;
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, FrameConversion,
                         ::testing::Combine(::testing::Values(Format::Format_YUV420P, Format::Format_NV12, Format::Format_YUYV,
                                                              Format::Format_UYVY, Format::Format_XRGB8888),
                                            ::testing::Values(Range::ColorRange_Full, Range::ColorRange_Video)));

}  // namespace
}  // namespace velmora::test
