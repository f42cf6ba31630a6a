#pragma once
// The 3 x 3 grid inside the photo part. A face is held as a map from grid coordinates
// to picture pixels: sticker (column c, row r) has its centre at grid point (c, r),
// c, r = 0, 1, 2, so the face's outline runs from -0.5 to 2.5 on both axes.
#include <array>

#include <opencv2/core.hpp>

#include "photos/face_reader.h"

namespace velmora::photos {

cv::Point2d MapPoint(const cv::Matx33d& h, double x, double y);

// Reads the face the map describes: outline, centres and the nine robust samples.
// centres, when given, replaces the mapped sticker centres (stickers found one by one).
FaceReading ReadGrid(const cv::Mat& bgr, const cv::Matx33d& gridToPicture,
                     const std::array<cv::Point2d, 9>* centres = nullptr);

// One sticker's colour from the pixels of its inner area (a square of half-width
// `half` grid units around its centre): glare and clipped pixels are set aside,
// then the median of each channel.
Rgb SampleSticker(const cv::Mat& bgr, const cv::Matx33d& gridToPicture, cv::Point2d centre, double half);

}  // namespace velmora::photos
