#pragma once
// While a QuietStderr lives, standard error goes nowhere: the image and video libraries
// print their own warnings there (a damaged JPEG, a video without frames gives dozens of
// lines), and the user is told once, by our own message, instead. Nested and concurrent
// holders share one redirection.
namespace velmora::photos {

class QuietStderr {
public:
    QuietStderr();
    ~QuietStderr();
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;
};

}  // namespace velmora::photos
