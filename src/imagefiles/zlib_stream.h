#pragma once
// zlib streams that end themselves, so that no error path leaks one.

#include <zlib.h>

namespace tw {

class InflateStream {
public:
    InflateStream() { ok_ = inflateInit(&z_) == Z_OK; }
    ~InflateStream() {
        if (ok_) inflateEnd(&z_);
    }
    InflateStream(const InflateStream&) = delete;
    InflateStream& operator=(const InflateStream&) = delete;

    bool Ok() const { return ok_; }
    z_stream& Z() { return z_; }

private:
    z_stream z_{};
    bool ok_ = false;
};

class DeflateStream {
public:
    explicit DeflateStream(int level) { ok_ = deflateInit(&z_, level) == Z_OK; }
    ~DeflateStream() {
        if (ok_) deflateEnd(&z_);
    }
    DeflateStream(const DeflateStream&) = delete;
    DeflateStream& operator=(const DeflateStream&) = delete;

    bool Ok() const { return ok_; }
    z_stream& Z() { return z_; }

private:
    z_stream z_{};
    bool ok_ = false;
};

}  // namespace tw
