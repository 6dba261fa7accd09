// The walk over a wave image's chunks: which "fmt " and "data" it finds, and
// which images it turns away without reading past them.
#include <gtest/gtest.h>

#include <vector>

#include "sound/wave.h"
#include "support/synthetic_wave.h"

using kalvenor_test::WaveImage;

namespace {

constexpr size_t kFirstChunk = 12;
constexpr size_t kChunkHeader = 8;

const std::vector<uint8_t> kSamples = {1, 2, 3, 4, 5, 6, 7, 8};

struct Parsed {
    bool ok = false;
    WAVEFORMATEX* format = nullptr;
    BYTE* data = nullptr;
    DWORD size = 0;
};

// Parses a copy of exactly the given bytes, so that a read past them would
// leave the allocation.
Parsed Parse(std::vector<uint8_t>& image) {
    Parsed p;
    p.ok = ParseWave(image.data(), DWORD(image.size()), &p.format, &p.data, &p.size);
    return p;
}

size_t OffsetOf(const std::vector<uint8_t>& image, const BYTE* at) { return size_t(at - image.data()); }

TEST(ParseWave, FindsFormatAndDataInEitherOrder) {
    std::vector<uint8_t> usual = WaveImage().Format(1, 16000, 16).Data(kSamples).Bytes();
    std::vector<uint8_t> swapped = WaveImage().Data(kSamples).Format(1, 16000, 16).Bytes();
    Parsed a = Parse(usual);
    Parsed b = Parse(swapped);
    ASSERT_TRUE(a.ok);
    ASSERT_TRUE(b.ok);
    EXPECT_EQ(OffsetOf(usual, reinterpret_cast<BYTE*>(a.format)), 20u);
    EXPECT_EQ(OffsetOf(usual, a.data), 44u);
    EXPECT_EQ(OffsetOf(swapped, b.data), 20u);
    EXPECT_EQ(OffsetOf(swapped, reinterpret_cast<BYTE*>(b.format)), 36u);
    for (const Parsed& p : {a, b}) {
        EXPECT_EQ(p.size, kSamples.size());
        EXPECT_EQ(std::vector<uint8_t>(p.data, p.data + p.size), kSamples);
        EXPECT_EQ(p.format->nSamplesPerSec, 16000u);
        EXPECT_EQ(p.format->wBitsPerSample, 16);
    }
}

TEST(ParseWave, StepsOverAnOddChunkAndItsPadByte) {
    WaveImage wave;
    wave.Format();
    size_t oddHeader = wave.Size();
    wave.Chunk("odd ", {9, 9, 9, 9, 9}).Data(kSamples);
    std::vector<uint8_t> image = wave.Bytes();
    Parsed p = Parse(image);
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(OffsetOf(image, p.data), oddHeader + 14 + kChunkHeader);
    EXPECT_EQ(p.size, kSamples.size());
}

TEST(ParseWave, ChunksAfterDataAndTheFirstOfEachKindWin) {
    std::vector<uint8_t> plain = WaveImage().Format().Data(kSamples).Bytes();
    std::vector<uint8_t> extra = WaveImage()
                                     .Format()
                                     .Chunk("fact", {0, 0, 0, 0})
                                     .Data(kSamples)
                                     .Chunk("LIST", std::vector<uint8_t>(148, 'x'))
                                     .Chunk("data", {7, 7})
                                     .Bytes();
    Parsed a = Parse(plain);
    Parsed b = Parse(extra);
    ASSERT_TRUE(a.ok);
    ASSERT_TRUE(b.ok);
    EXPECT_EQ(b.size, a.size);
    EXPECT_EQ(std::vector<uint8_t>(b.data, b.data + b.size), kSamples);
}

TEST(ParseWave, AStrayByteAfterTheRiffImageIsIgnored) {
    std::vector<uint8_t> image =
        WaveImage().Format(1, 11025, 8).Data({0x80, 0x90, 0xA0, 0xB0}).Trailing({0xEE}).Bytes();
    Parsed p = Parse(image);
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.size, 4u);
    EXPECT_EQ(p.format->nSamplesPerSec, 11025u);
}

TEST(ParseWave, AShortFormatFailsTheWholeParse) {
    std::vector<uint8_t> shortFormat(12, 0);
    std::vector<uint8_t> afterData = WaveImage().Data(kSamples).Chunk("fmt ", shortFormat).Bytes();
    std::vector<uint8_t> beforeData = WaveImage().Chunk("fmt ", shortFormat).Data(kSamples).Bytes();
    EXPECT_FALSE(Parse(afterData).ok);
    EXPECT_FALSE(Parse(beforeData).ok);
}

TEST(ParseWave, AFourteenByteFormatIsEnoughWhenItsRecordLiesInTheImage) {
    std::vector<uint8_t> body(kalvenor_test::PcmFormatBody(1, 22050, 16));
    body.resize(14);
    std::vector<uint8_t> followed = WaveImage().Chunk("fmt ", body).Data(kSamples).Bytes();
    EXPECT_TRUE(Parse(followed).ok);
    // DirectSound reads 16 bytes of the format: at the very end of the image
    // two of them would lie outside it.
    std::vector<uint8_t> last = WaveImage().Data(kSamples).Chunk("fmt ", body).Bytes();
    EXPECT_FALSE(Parse(last).ok);
}

TEST(ParseWave, ARiffLengthOfFourOrLessReadsNoChunk) {
    for (uint32_t length : {0u, 3u, 4u}) {
        SCOPED_TRACE(length);
        std::vector<uint8_t> image = WaveImage().Format().Data(kSamples).RiffLength(length).Bytes();
        EXPECT_FALSE(Parse(image).ok);
    }
}

TEST(ParseWave, TheRiffLengthEndsTheWalk) {
    WaveImage wave;
    wave.Format();
    uint32_t beforeData = uint32_t(wave.Size() - 8);
    std::vector<uint8_t> image = wave.Data(kSamples).RiffLength(beforeData).Bytes();
    EXPECT_FALSE(Parse(image).ok);
}

TEST(ParseWave, RejectsImagesThatAreNotWaves) {
    std::vector<uint8_t> good = WaveImage().Format().Data(kSamples).Bytes();
    std::vector<uint8_t> notRiff = good;
    notRiff[0] = 'X';
    std::vector<uint8_t> notWave = good;
    notWave[8] = 'X';
    std::vector<uint8_t> noData = WaveImage().Format().Chunk("LIST", {1, 2}).Bytes();
    std::vector<uint8_t> noFormat = WaveImage().Data(kSamples).Bytes();
    for (auto* image : {&notRiff, &notWave, &noData, &noFormat}) EXPECT_FALSE(Parse(*image).ok);
    EXPECT_FALSE(ParseWave(nullptr, 100, nullptr, nullptr, nullptr));
}

TEST(ParseWave, EveryTruncationIsRejectedWithoutReadingPastIt) {
    std::vector<uint8_t> full = WaveImage().Format().Chunk("odd ", {1, 2, 3}).Data(kSamples).Bytes();
    for (size_t size = 0; size < full.size(); ++size) {
        SCOPED_TRACE(size);
        std::vector<uint8_t> cut(full.begin(), full.begin() + ptrdiff_t(size));
        EXPECT_FALSE(Parse(cut).ok);
    }
}

TEST(ParseWave, ALengthRunningPastTheImageIsNotFollowed) {
    std::vector<uint8_t> skipped =
        WaveImage().Format().Chunk("LIST", {1, 2}, 0xFFFFFFF0).Data(kSamples).Bytes();
    std::vector<uint8_t> data = WaveImage().Format().Chunk("data", kSamples, 0x7FFFFFFF).Bytes();
    EXPECT_FALSE(Parse(skipped).ok);
    EXPECT_FALSE(Parse(data).ok);
}

TEST(ParseWave, OnlyWhatIsAskedForIsLookedFor) {
    std::vector<uint8_t> dataOnly = WaveImage().Chunk("LIST", {1}).Data(kSamples).Bytes();
    DWORD size = 0;
    EXPECT_TRUE(ParseWave(dataOnly.data(), DWORD(dataOnly.size()), nullptr, nullptr, &size));
    EXPECT_EQ(size, kSamples.size());

    std::vector<uint8_t> formatOnly = WaveImage().Format().Bytes();
    WAVEFORMATEX* format = nullptr;
    EXPECT_TRUE(ParseWave(formatOnly.data(), DWORD(formatOnly.size()), &format, nullptr, nullptr));
    EXPECT_EQ(reinterpret_cast<BYTE*>(format), formatOnly.data() + kFirstChunk + kChunkHeader);

    // With nothing asked for, nothing is found.
    EXPECT_FALSE(ParseWave(formatOnly.data(), DWORD(formatOnly.size()), nullptr, nullptr, nullptr));
}

}  // namespace
