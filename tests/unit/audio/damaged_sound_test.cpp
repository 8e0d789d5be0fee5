// Damaged sound files decode to an empty sound or to what is really there,
// never crash and never leave more samples than the file holds. One changed
// byte in the comment or set-up header of an Ogg file made by the game's own
// encoder used to crash the Ogg decoder.
#include <algorithm>
#include <fstream>
#include <iterator>

#include "audio_fixture.h"

namespace {

typedef std::vector<unsigned char> Bytes;

class AudioDamaged : public AudioTest {
protected:
    Bytes encode(int channels, int frames, int format) {
        std::string path = sound_path("made");
        std::vector<float> samples((size_t)(frames * channels), 0.25f);
        EXPECT_TRUE(write_sound_file(path, samples, channels, format));
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
};

struct Decoded {
    float* samples;
    uint64_t count;
};

Decoded decode(const Bytes& file, bool ogg) {
    Decoded d = {};
    d.samples = decode_sound_data(file.data(), file.size(), ogg, &d.count);
    return d;
}

// Ogg pages carry a CRC over the whole page; recomputed so that a change
// reaches the Vorbis header parser instead of failing the page check.
void fix_page_crc(Bytes& file, size_t page) {
    size_t segments = file[page + 26];
    size_t size = 27 + segments;
    for (size_t i = 0; i < segments; i++) size += file[page + 27 + i];
    for (int i = 22; i < 26; i++) file[page + (size_t)i] = 0;
    uint32_t crc = 0;
    for (size_t i = page; i < page + size; i++) {
        crc ^= (uint32_t)file[i] << 24;
        for (int bit = 0; bit < 8; bit++) crc = crc & 0x80000000u ? (crc << 1) ^ 0x04c11db7u : crc << 1;
    }
    for (int i = 0; i < 4; i++) file[page + 22 + (size_t)i] = (unsigned char)(crc >> (8 * i));
}

size_t find(const Bytes& file, const std::string& text, size_t from = 0) {
    auto at = std::search(file.begin() + (long)from, file.end(), text.begin(), text.end());
    return at == file.end() ? std::string::npos : (size_t)(at - file.begin());
}

}  // namespace

TEST_F(AudioDamaged, OggWhoseVendorTextRunsPastItsHeaderGivesNoSound) {
    Bytes file = encode(1, 2400, SF_FORMAT_OGG | SF_FORMAT_VORBIS);
    Decoded intact = decode(file, true);
    EXPECT_EQ(intact.count, 2400u);
    free(intact.samples);

    size_t comment = find(file, std::string("\x03vorbis", 7));
    size_t page = find(file, "OggS", 4);
    ASSERT_NE(comment, std::string::npos);
    ASSERT_LT(page, comment);
    file[comment + 7]++;  // the vendor text's length, one byte too long
    for (bool fixed : {false, true}) {
        SCOPED_TRACE(fixed ? "page checksum fixed" : "page checksum broken");
        if (fixed) fix_page_crc(file, page);
        Decoded d = decode(file, true);
        EXPECT_EQ(d.count, 0u);
        EXPECT_EQ(d.samples, nullptr);
    }
}

TEST_F(AudioDamaged, OggWithAnyByteOfItsHeadersChangedDecodesSafely) {
    Bytes whole = encode(2, 1200, SF_FORMAT_OGG | SF_FORMAT_VORBIS);
    size_t second_page = find(whole, "OggS", 4);
    size_t third_page = find(whole, "OggS", second_page + 4);
    ASSERT_NE(third_page, std::string::npos);
    // The header pages, every 5th byte, each damaged alone.
    for (size_t at = 0; at < third_page; at += 5) {
        Bytes file = whole;
        file[at] ^= 0xff;
        if (at >= second_page) fix_page_crc(file, second_page);
        Decoded d = decode(file, true);
        EXPECT_LE(d.count, 1200u) << "byte " << at;
        free(d.samples);
    }
}

TEST_F(AudioDamaged, CutFilesGiveAtMostWhatIsThere) {
    struct Case {
        bool ogg;
        int format;
    } cases[] = {{true, SF_FORMAT_OGG | SF_FORMAT_VORBIS}, {false, SF_FORMAT_WAV | SF_FORMAT_PCM_16},
                 {false, SF_FORMAT_WAV | SF_FORMAT_IMA_ADPCM}};
    for (const Case& c : cases) {
        Bytes whole = encode(1, 2000, c.format);
        // ADPCM rounds up to whole blocks: the intact file is the measure.
        Decoded intact = decode(whole, c.ogg);
        EXPECT_GE(intact.count, 2000u);
        free(intact.samples);
        for (size_t length = 0; length < whole.size(); length += 37) {
            Bytes cut(whole.begin(), whole.begin() + (long)length);
            Decoded d = decode(cut, c.ogg);
            EXPECT_LE(d.count, intact.count) << "format " << c.format << ", " << length << " bytes";
            EXPECT_EQ(d.samples == nullptr, d.count == 0);
            free(d.samples);
        }
    }
}

TEST_F(AudioDamaged, FloatWavWithNanOrInfinityGivesSilenceThere) {
    std::string path = sound_path("odd.wav");
    std::vector<float> samples = {0.5f, NAN, -0.25f, INFINITY, -INFINITY, 0.75f};
    ASSERT_TRUE(write_wav(path, samples, SF_FORMAT_FLOAT));
    std::ifstream in(path, std::ios::binary);
    Bytes file((std::istreambuf_iterator<char>(in)), {});
    Decoded d = decode(file, false);
    ASSERT_EQ(d.count, 6u);
    const float expected[] = {0.5f, 0.0f, -0.25f, 0.0f, 0.0f, 0.75f};
    for (int i = 0; i < 6; i++) EXPECT_EQ(d.samples[i], expected[i]) << i;
    free(d.samples);
}

TEST_F(AudioDamaged, EachEndingDecodesOnlyItsOwnFormat) {
    // A WAV file renamed to .ogg is not an Ogg file: silent.
    Bytes wav = encode(1, 500, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    Decoded d = decode(wav, true);
    EXPECT_EQ(d.count, 0u);
    d = decode(wav, false);
    EXPECT_EQ(d.count, 500u);
    free(d.samples);
    // Other formats the WAV library knows are not WAV files either.
    for (int format : {SF_FORMAT_OGG | SF_FORMAT_VORBIS, SF_FORMAT_AIFF | SF_FORMAT_PCM_16,
                       SF_FORMAT_FLAC | SF_FORMAT_PCM_16}) {
        Bytes other = encode(1, 500, format);
        d = decode(other, false);
        EXPECT_EQ(d.count, 0u) << "format " << format;
        free(d.samples);
    }
}
