// Video frames as the camera and video decoders deliver them, turned into the pictures
// the face finder and the live view use: every YUV layout handled directly, in both
// ranges, gives the BT.601 colours of four blocks back in their places, and the live
// view's picture is mirrored and made to fit.
#include <QVideoFrame>
#include <QVideoFrameFormat>
#include <array>
#include <gtest/gtest.h>

#include "ui/dialogs/frame_source.h"

namespace velmora::test {
namespace {

using Format = QVideoFrameFormat::PixelFormat;
using Range = QVideoFrameFormat::ColorRange;

// Y U V of the four blocks (top left, top right, bottom left, bottom right) and their
// R G B by BT.601 in full and in video range.
constexpr std::array<std::array<int, 3>, 4> kYuv = {{{100, 100, 180}, {180, 140, 110}, {80, 160, 110}, {160, 90, 140}}};
constexpr std::array<std::array<int, 3>, 4> kFullRgb = {{{173, 73, 50}, {155, 189, 201}, {55, 82, 137}, {177, 165, 93}}};
constexpr std::array<std::array<int, 3>, 4> kVideoRgb = {{{181, 66, 41}, {162, 201, 215}, {46, 77, 139}, {187, 173, 91}}};

constexpr int kW = 70, kH = 40;  // a width that is no multiple of any row alignment

int Block(int x, int y) { return (y >= kH / 2 ? 2 : 0) + (x >= kW / 2 ? 1 : 0); }

QVideoFrame Frame(Format format, Range range) {
    QVideoFrameFormat surface(QSize(kW, kH), format);
    surface.setColorRange(range);
    surface.setColorSpace(QVideoFrameFormat::ColorSpace_BT601);
    QVideoFrame frame(surface);
    EXPECT_TRUE(frame.map(QVideoFrame::WriteOnly));
    auto at = [&](int plane, int x, int y) -> uchar& { return frame.bits(plane)[y * frame.bytesPerLine(plane) + x]; };
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const auto& c = kYuv[static_cast<std::size_t>(Block(x, y))];
            const uchar Y = static_cast<uchar>(c[0]), U = static_cast<uchar>(c[1]), V = static_cast<uchar>(c[2]);
            const int cx = x / 2, cy = y / 2;
            switch (format) {
            case Format::Format_YUV420P: at(0, x, y) = Y; at(1, cx, cy) = U; at(2, cx, cy) = V; break;
            case Format::Format_YV12: at(0, x, y) = Y; at(1, cx, cy) = V; at(2, cx, cy) = U; break;
            case Format::Format_NV12: at(0, x, y) = Y; at(1, 2 * cx, cy) = U; at(1, 2 * cx + 1, cy) = V; break;
            case Format::Format_NV21: at(0, x, y) = Y; at(1, 2 * cx, cy) = V; at(1, 2 * cx + 1, cy) = U; break;
            case Format::Format_YUYV: at(0, 2 * x, y) = Y; at(0, 4 * cx + 1, y) = U; at(0, 4 * cx + 3, y) = V; break;
            case Format::Format_UYVY: at(0, 2 * x + 1, y) = Y; at(0, 4 * cx, y) = U; at(0, 4 * cx + 2, y) = V; break;
            default: ADD_FAILURE() << "layout not filled by the test";
            }
        }
    frame.unmap();
    return frame;
}

void ExpectColour(const QColor& seen, const std::array<int, 3>& rgb, const char* where) {
    EXPECT_NEAR(seen.red(), rgb[0], 3) << where;
    EXPECT_NEAR(seen.green(), rgb[1], 3) << where;
    EXPECT_NEAR(seen.blue(), rgb[2], 3) << where;
}

class FrameConversion : public ::testing::TestWithParam<std::tuple<Format, Range>> {};

TEST_P(FrameConversion, GivesTheBlocksColoursInPlaceAndAMirroredFittedView) {
    const auto [format, range] = GetParam();
    const QImage bgr = FrameToBgr(Frame(format, range));
    ASSERT_EQ(bgr.size(), QSize(kW, kH));
    ASSERT_EQ(bgr.format(), QImage::Format_BGR888);
    const auto& rgb = range == Range::ColorRange_Full ? kFullRgb : kVideoRgb;
    for (int b = 0; b < 4; ++b) {
        const int x = b % 2 ? kW * 3 / 4 : kW / 4, y = b / 2 ? kH * 3 / 4 : kH / 4;
        ExpectColour(bgr.pixelColor(x, y), rgb[static_cast<std::size_t>(b)], "whole picture");
    }
    // Fitted into a square it keeps its shape; left and right change places.
    const QImage shown = MirroredToFit(bgr, QSize(35, 35));
    ASSERT_EQ(shown.size(), QSize(35, 20));
    ExpectColour(shown.pixelColor(4, 4), rgb[1], "shown, top left");
    ExpectColour(shown.pixelColor(30, 15), rgb[2], "shown, bottom right");
}

INSTANTIATE_TEST_SUITE_P(Layouts, FrameConversion,
                         ::testing::Combine(::testing::Values(Format::Format_YUV420P, Format::Format_YV12,
                                                              Format::Format_NV12, Format::Format_NV21,
                                                              Format::Format_YUYV, Format::Format_UYVY),
                                            ::testing::Values(Range::ColorRange_Full, Range::ColorRange_Video)));

}  // namespace
}  // namespace velmora::test
