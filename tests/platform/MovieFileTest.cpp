#include "platform/qt/MovieFile.h"

#include <gtest/gtest.h>

namespace {

QByteArray header(const char* signature, char version, quint32 length, int totalSize)
{
    QByteArray bytes(signature, 3);
    bytes.append(version);
    for (int shift = 0; shift < 32; shift += 8)
        bytes.append(static_cast<char>((length >> shift) & 0xFF));
    bytes.append(QByteArray(totalSize - bytes.size(), '\x50'));
    return bytes;
}

struct MovieBytes {
    const char* name;
    QByteArray bytes;
    bool movie;
};

class LooksLikeMovieTest : public testing::TestWithParam<MovieBytes> {};

TEST_P(LooksLikeMovieTest, JudgesByHeader)
{
    EXPECT_EQ(platform::qt::looksLikeMovie(GetParam().bytes), GetParam().movie);
}

INSTANTIATE_TEST_SUITE_P(Headers, LooksLikeMovieTest,
    testing::Values(MovieBytes{"Uncompressed", header("FWS", 8, 30, 30), true},
        MovieBytes{"UncompressedWithTrailingBytes", header("FWS", 8, 30, 40), true},
        MovieBytes{"UncompressedCutShort", header("FWS", 8, 30, 29), false},
        MovieBytes{"Zlib", header("CWS", 10, 5000, 20), true},
        MovieBytes{"Lzma", header("ZWS", 13, 5000, 20), true},
        MovieBytes{"VersionZero", header("CWS", 0, 5000, 20), false},
        MovieBytes{"LengthBelowHeader", header("CWS", 8, 8, 20), false},
        MovieBytes{"LowerCaseSignature", header("cws", 8, 5000, 20), false},
        MovieBytes{"Text", QByteArray("这不是影片 at all, just some text"), false},
        MovieBytes{"Png", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), false},
        MovieBytes{"TooShort", QByteArray("FWS\x08\x09\0\0", 7), false},
        MovieBytes{"Empty", QByteArray(), false}),
    [](const testing::TestParamInfo<MovieBytes>& info) { return std::string(info.param.name); });

} // namespace
