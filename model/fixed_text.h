#pragma once
// A text buffer of fixed capacity. The model keeps every text (records, status lines,
// codes) in one of these so that no operation allocates. Appends that do not fit are
// refused whole (Append) or cut at the capacity (AppendCut); the buffer is always
// NUL-terminated.
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string_view>

template <std::size_t N>
class FixedText {
public:
    static constexpr std::size_t capacity = N;

    FixedText() { buf_[0] = '\0'; }
    FixedText(std::string_view s) { Assign(s); }

    std::size_t size() const { return len_; }
    bool empty() const { return len_ == 0; }
    const char* c_str() const { return buf_; }
    std::string_view view() const { return {buf_, len_}; }
    operator std::string_view() const { return view(); }
    char operator[](std::size_t i) const { return buf_[i]; }
    char* data() { return buf_; }

    void Clear() { len_ = 0; buf_[0] = '\0'; }

    // Replaces the text; a text longer than the capacity is cut.
    void Assign(std::string_view s) {
        len_ = s.size() < N ? s.size() : N;
        if (len_) std::memcpy(buf_, s.data(), len_);
        buf_[len_] = '\0';
    }

    // Appends the whole text or nothing; returns false when it does not fit.
    bool Append(std::string_view s) {
        if (s.size() > N - len_) return false;
        if (s.empty()) return true;
        std::memcpy(buf_ + len_, s.data(), s.size());
        len_ += s.size();
        buf_[len_] = '\0';
        return true;
    }

    // Append for the short texts of the move engine: the caller has checked the room.
    void AppendShort(std::string_view s) {
        char* out = buf_ + len_;
        for (std::size_t i = 0; i < s.size(); ++i) out[i] = s[i];
        len_ += s.size();
        buf_[len_] = '\0';
    }

    // Append of a short text held in a NUL-padded block (size < B): where the whole
    // block fits it is copied in one piece, its padding ending the text. The caller
    // has checked the room for the text itself.
    template <std::size_t B>
    void AppendPadded(const char (&block)[B], std::size_t size) {
        if (len_ + B <= N) {
            std::memcpy(buf_ + len_, block, B);
            len_ += size;
        } else {
            AppendShort(std::string_view(block, size));
        }
    }

    bool Append(char c) {
        if (len_ >= N) return false;
        buf_[len_++] = c;
        buf_[len_] = '\0';
        return true;
    }

    // Appends as much of the text as fits; returns false when it was cut.
    bool AppendCut(std::string_view s) {
        std::size_t room = N - len_;
        bool whole = s.size() <= room;
        std::size_t n = whole ? s.size() : room;
        if (n) std::memcpy(buf_ + len_, s.data(), n);
        len_ += n;
        buf_[len_] = '\0';
        return whole;
    }

    // Appends a number in decimal as "%d" writes it; cut at the capacity.
    void AppendInt(int value) {
        char digits[12];
        int n = 0;
        long long v = value;
        bool negative = v < 0;
        if (negative) v = -v;
        do {
            digits[n++] = static_cast<char>('0' + v % 10);
            v /= 10;
        } while (v > 0);
        if (negative) digits[n++] = '-';
        while (n > 0 && len_ < N) buf_[len_++] = digits[--n];
        buf_[len_] = '\0';
    }

    // Cuts the text to at most n characters.
    void Truncate(std::size_t n) {
        if (n < len_) { len_ = n; buf_[len_] = '\0'; }
    }

    // printf-style replacement; the result is cut at the capacity.
    template <typename... Args>
    void Format(const char* fmt, Args... args) {
        int n = std::snprintf(buf_, N + 1, fmt, args...);
        len_ = n < 0 ? 0 : (static_cast<std::size_t>(n) < N ? static_cast<std::size_t>(n) : N);
        buf_[len_] = '\0';
    }

    // printf-style append; the result is cut at the capacity.
    template <typename... Args>
    void AppendFormat(const char* fmt, Args... args) {
        int n = std::snprintf(buf_ + len_, N + 1 - len_, fmt, args...);
        if (n < 0) { buf_[len_] = '\0'; return; }
        std::size_t room = N - len_;
        len_ += static_cast<std::size_t>(n) < room ? static_cast<std::size_t>(n) : room;
        buf_[len_] = '\0';
    }

    bool operator==(std::string_view s) const { return view() == s; }

private:
    char buf_[N + 1];
    std::size_t len_ = 0;
};
