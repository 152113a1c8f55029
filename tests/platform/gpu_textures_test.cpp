// Pictures from files: loaded at their own size, and refused with the numbers the texture
// cache shows.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "gl_fixture.h"
#include "platform/gpu/null_device.h"
#include "platform/gpu/picture.h"
#include "platform/gpu/picture_guards.h"
#include "platform/gpu/recording_device.h"

namespace fs = std::filesystem;
using namespace gpu;

namespace {

// A 32-bit BMP (a format the decoder reads as well as PNG and JPEG) of 0xAARRGGBB pixels.
std::string Bmp(int width, int height, const std::vector<uint32_t>& pixels) {
    std::string out = "BM";
    auto put = [&](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) out += char((v >> (8 * i)) & 255);
    };
    const uint32_t size = uint32_t(width) * uint32_t(height) * 4;
    put(54 + size, 4), put(0, 4), put(54, 4);
    put(40, 4), put(uint32_t(width), 4), put(uint32_t(-height), 4), put(1, 2), put(32, 2),
        put(0, 4), put(size, 4);
    put(0, 4), put(0, 4), put(0, 4), put(0, 4);
    for (uint32_t p : pixels) put(p, 4);
    return out;
}

class PictureFiles : public ::testing::Test {
  protected:
    fs::path folder = fs::temp_directory_path() / ("pictures-" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(folder / "gfx"); }
    void TearDown() override { fs::remove_all(folder); }
    std::string Write(const std::string& name, const std::string& bytes) {
        std::ofstream(folder / name, std::ios::binary) << bytes;
        return (folder / name).string();
    }
};

} // namespace

TEST_F(PictureFiles, DecodesAtTheFileSizeOrSaysWhyNot) {
    std::vector<uint32_t> pixels(15);
    for (int i = 0; i < 15; ++i) pixels[i] = 0xFF000000u | uint32_t(i);
    Write("gfx/odd.bmp", Bmp(3, 5, pixels));
    Picture p;
    // The game's own path form, with "\", reaches the file.
    ASSERT_EQ(DecodePicture((folder / "gfx").string() + "\\odd.bmp", p), TextureError::None);
    EXPECT_EQ(p.width, 3); // not rounded up to a power of two
    EXPECT_EQ(p.height, 5);
    EXPECT_EQ(p.pixels, pixels);

    EXPECT_EQ(DecodePicture("", p), TextureError::InvalidCall);
    EXPECT_EQ(DecodePicture((folder / "missing.png").string(), p), TextureError::InvalidData);
    EXPECT_EQ(p.width, 0);
    const std::string whole = Bmp(3, 5, pixels);
    EXPECT_EQ(DecodePicture(Write("cut.png", whole.substr(0, 40)), p), TextureError::InvalidData);
    EXPECT_EQ(DecodePicture(Write("text.png", "not a picture at all"), p),
              TextureError::InvalidData);
    EXPECT_EQ(DecodePicture(Write("empty.png", ""), p), TextureError::InvalidData);
}

TEST_F(PictureFiles, OversizedPicturesAreRefusedFromTheirHeader) {
    struct tcase {
        int width, height;
        TextureError answer;
    };
    // Only the header is written: the big ones would cost a gigabyte if decoded.
    const tcase cases[] = {
        {MaxPictureSide, 1, TextureError::None},
        {1, MaxPictureSide, TextureError::None},
        {MaxPictureSide + 1, 1, TextureError::NotAvailable},
        {1, MaxPictureSide + 1, TextureError::NotAvailable},
        {16385, 16385, TextureError::NotAvailable},
    };
    for (const tcase& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        const bool small = c.answer == TextureError::None;
        std::vector<uint32_t> pixels(small ? size_t(c.width) * size_t(c.height) : 0, 0xFF102030u);
        Picture p;
        EXPECT_EQ(DecodePicture(Write("big.bmp", Bmp(c.width, c.height, pixels)), p), c.answer);
        EXPECT_EQ(p.width, small ? c.width : 0);
        EXPECT_EQ(p.pixels.size(), pixels.size());
    }
}

TEST_F(PictureFiles, PicturesTheirFileCannotHoldAreRefusedUndecoded) {
    // A 25-byte Targa declaring 3855 x 3855 that the decoder filled with zeros for 60 MB.
    const std::string targa("\0\0\2\0\0\0\0\x23\x28\0\0\x0f\x0f\x0f\x0f\x0f\x0f\x0f\x0f"
                            "\x08\x02\x06\xe1\x97",
                            25);
    const std::string bmpHeader = Bmp(2048, 2048, {});
    Picture p;
    EXPECT_EQ(DecodePicture(Write("lies.tga", targa), p), TextureError::InvalidData);
    EXPECT_EQ(DecodePicture(Write("header.bmp", bmpHeader), p), TextureError::InvalidData);
    EXPECT_TRUE(p.pixels.empty());

    // The bounds a real file of the best compression still meets.
    struct tcase {
        std::string bytes;
        int64_t width, height;
        bool fits;
    };
    const std::string png = "\x89PNG" + std::string(996, '\0');  // 1,000 bytes
    const std::string jpeg = "\xFF\xD8" + std::string(98, '\0'); // 100 bytes
    const tcase cases[] = {
        {png, 2048, 4031, true},  // one-bit pixels at deflate's best
        {png, 2048, 4032, false}, //
        {jpeg, 51200, 1, true},   // one bit for each 8 x 8 block
        {jpeg, 51201, 1, false},  //
        {bmpHeader, 2048, 2048, false}, {Bmp(2, 2, {1, 2, 3, 4}), 2, 2, true},
    };
    for (const tcase& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        EXPECT_EQ(PictureFitsItsFile(c.bytes, c.width, c.height), c.fits);
    }
}

TEST_F(PictureFiles, PngChunksAreWalkedBeforeDecoding) {
    // An 8 x 8 grey PNG, cut before its data chunk.
    const std::string header("\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52"
                             "\x00\x00\x00\x08\x00\x00\x00\x08\x08\x00\x00\x00\x00\xe1\x64\xe1"
                             "\x57",
                             33);
    const std::string data("\x00\x00\x00\x1e\x49\x44\x41\x54\x78\x5e\x63\x64\xe0\x86\x00\xc6"
                           "\x08\x18\x63\x03\x8c\xc1\x01\x65\xb0\xc0\xa5\x76\xc0\xa4\x04\xd0"
                           "\xa5\x00\xb5\x27\x04\xff\xff\x99\x1f\x33\x00\x00\x00\x00\x49\x45"
                           "\x4e\x44\xae\x42\x60\x82",
                           54);
    const std::string emptyData("\0\0\0\0IDAT\x35\xaf\x06\x1e", 12);
    Picture plain, padded;
    ASSERT_EQ(DecodePicture(Write("plain.png", header + data), plain), TextureError::None);
    ASSERT_EQ(DecodePicture(Write("padded.png", header + emptyData + data), padded),
              TextureError::None);
    EXPECT_EQ(padded.pixels, plain.pixels);

    // What the chunk walk leaves of a file, or refuses.
    std::string claimsTooMuch = data;
    claimsTooMuch[0] = '\x7f';
    struct tcase {
        std::string bytes;
        bool fits;
        std::string after;
    };
    const tcase cases[] = {
        {header + emptyData + data, true, header + data},
        {header + claimsTooMuch, false, header + claimsTooMuch},
        {header + claimsTooMuch.substr(0, 8), false, header + claimsTooMuch.substr(0, 8)},
        {header + data + "\xff\xff\xff\xffjunk", true, header + data + "\xff\xff\xff\xffjunk"},
    };
    for (const tcase& c : cases) {
        std::string bytes = c.bytes;
        EXPECT_EQ(PngChunksFit(bytes), c.fits);
        EXPECT_EQ(bytes, c.after);
    }
}

TEST(PictureGuards, PnmHeadersTheDecoderReadsSafely) {
    const struct {
        std::string header;
        bool fits;
    } cases[] = {
        {"P5 8 8 255\n", true},
        {"P6\n# made by hand 99999999999\n8 8\n255\n", true},
        {"P5 999999999 8 255", true},
        {"P5 1234567890 8 255", false},
        {"P6 8\t12345678901 255", false},
        {"P5" + std::string(100, '5'), false},
        {"P6 13 93 9780 ", false}, // two-byte samples
        {"P5 8 8 256", false},
        {"P3 99999999999", true}, // a form the decoder does not read
    };
    for (const auto& c : cases) EXPECT_EQ(PnmHeaderFits(c.header), c.fits) << c.header;
}

TEST_F(PictureFiles, RecorderLoadsForRealAndNumbersWhatItMakes) {
    RecordingDevice device;
    Write("a.bmp", Bmp(2, 1, {0xFFFFFFFF, 0xFF000000}));
    TexturePtr texture;
    EXPECT_EQ(device.CreateTextureFromFile((folder / "a.bmp").string(), texture),
              TextureError::None);
    ASSERT_TRUE(texture);
    EXPECT_EQ(texture->Width(), 2);
    EXPECT_EQ(RecordingDevice::NameOf(texture.get()), "tex1");
    EXPECT_EQ(device.CreateTextureFromFile((folder / "b.png").string(), texture),
              TextureError::InvalidData);
    EXPECT_FALSE(texture);
    device.SetTexture(0, nullptr);
    EXPECT_EQ(device.calls.back(), "SetTexture 0 none");
    EXPECT_EQ(device.Count("CreateTextureFromFile"), 2);
}

namespace {

// A JPEG start, one table segment of the given symbol counts (16 per table, each table
// followed by that many symbols), and an end; `before` goes between start and tables.
std::string JpegWithTables(const std::vector<std::vector<int>>& tables, std::string before = "") {
    std::string body;
    for (const auto& counts : tables) {
        body += char(0x00);
        int symbols = 0;
        for (int c : counts) body += char(c), symbols += c;
        body += std::string(size_t(symbols), char(1));
    }
    const size_t length = body.size() + 2;
    return "\xFF\xD8" + before + "\xFF\xC4" + char(length >> 8) + char(length & 255) + body +
           "\xFF\xD9";
}

} // namespace

TEST_F(PictureFiles, JpegTablesWithTooManySymbolsAreRefusedBeforeDecoding) {
    const std::vector<int> full(16, 16), over = [] {
        std::vector<int> v(16, 16);
        v[15] = 17;
        return v;
    }();
    // Scan data of a first picture, with a stuffed FF 00, before the tables of the next.
    const std::string scan = std::string("\xFF\xDA\x00\x03\x00", 5) + "\x12\xFF" + '\0' + "\x34";
    struct tcase {
        const char* what;
        std::string bytes;
        bool fits;
    };
    const tcase cases[] = {
        {"256 symbols", JpegWithTables({full}), true},
        {"257 symbols", JpegWithTables({over}), false},
        {"second table of a segment", JpegWithTables({full, over}), false},
        {"after a scan", JpegWithTables({over}, scan), false},
        {"after padding and fill bytes", JpegWithTables({over}, "\x01\x02\xFF\xFF"), false},
        {"fill bytes before the start", "\xFF\xFF" + JpegWithTables({over}), false},
        {"counts cut off by the end", std::string("\xFF\xD8\xFF\xC4\x00\x40\x00\xFF", 8), true},
        {"not a JPEG", "\x89PNG\xFF\xC4\x00\x13" + std::string(17, char(0xFF)), true},
    };
    for (const tcase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(JpegHuffmanTablesFit(c.bytes), c.fits);
    }
    Picture p;
    EXPECT_EQ(DecodePicture(Write("overrun.jpg", cases[1].bytes), p), TextureError::InvalidData);
    EXPECT_TRUE(p.pixels.empty());
}

// What the game reads back from a device that draws nothing: sizes, and failures where the
// GL device would fail; never a picture.
TEST(PictureGuards, JpegScansUseOnlyTablesDefinedBeforeThem) {
    // DC table 0 and AC table 0, one one-bit code each; then a one-component scan.
    const std::string table = std::string(1, '\x01') + std::string(15, '\0') + '\x05';
    const std::string tables = std::string("\xFF\xC4\x00\x26\x00", 5) + table + '\x10' + table;
    auto jpeg = [&](bool progressive, char selectors, std::string spectral) {
        const std::string frame = progressive ? std::string("\xFF\xC2\x00\x02", 4) : "";
        return "\xFF\xD8" + frame + tables + std::string("\xFF\xDA\x00\x08\x01\x01", 6) +
               selectors + spectral + "\xFF\xD9";
    };
    const std::string whole("\x00\x3F\x00", 3), firstDc("\x00\x00\x00", 3),
        dcRefinement("\x00\x00\x10", 3), ac("\x01\x05\x00", 3);
    struct tcase {
        const char* what;
        std::string bytes;
        bool fits;
    };
    const tcase cases[] = {
        {"tables defined", jpeg(false, '\x00', whole), true},
        {"DC table 3 never defined", jpeg(false, '\x30', whole), false},
        {"AC table 1 never defined", jpeg(false, '\x01', whole), false},
        {"progressive DC pass names an unused AC table", jpeg(true, '\x01', firstDc), true},
        {"DC refinement uses no table", jpeg(true, '\x33', dcRefinement), true},
        {"progressive AC pass", jpeg(true, '\x02', ac), false},
    };
    for (const tcase& c : cases) EXPECT_EQ(JpegHuffmanTablesFit(c.bytes), c.fits) << c.what;
}

TEST_F(PictureFiles, NullDeviceKeepsSizesAndRefusesWhatGlWould) {
    NullDevice device(320, 200);
    EXPECT_EQ(device.Width(), 320);
    EXPECT_EQ(device.Height(), 200);
    Write("a.bmp", Bmp(3, 5, std::vector<uint32_t>(15, 0xFFFFFFFF)));
    TexturePtr texture;
    ASSERT_EQ(device.CreateTextureFromFile((folder / "a.bmp").string(), texture),
              TextureError::None);
    EXPECT_EQ(texture->Width(), 3);
    EXPECT_EQ(texture->Height(), 5);
    EXPECT_EQ(device.CreateTextureFromFile(Write("bad.png", "not a picture"), texture),
              TextureError::InvalidData);
    EXPECT_FALSE(texture);

    const uint32_t pixels[6] = {};
    const TexturePtr made = device.CreateTexture(2, 3, pixels);
    ASSERT_TRUE(made);
    EXPECT_EQ(made->Width(), 2);
    EXPECT_EQ(made->Height(), 3);
    EXPECT_FALSE(device.CreateTexture(0, 3, pixels));
    EXPECT_FALSE(device.CreateTexture(2, 3, nullptr));

    const PlainVertex vertices[3] = {};
    const VertexBufferPtr buffer = device.CreateVertexBuffer(VertexFormat::Plain, vertices, 3);
    ASSERT_TRUE(buffer);
    EXPECT_EQ(buffer->VertexCount(), 3);
    EXPECT_EQ(buffer->Format(), VertexFormat::Plain);
    EXPECT_FALSE(device.CreateVertexBuffer(VertexFormat::Plain, vertices, 0));

    device.SetStreamSource(buffer.get());
    device.DrawTriangleList(0, 1);
    device.DrawSprite(made.get(), nullptr, 0, 0, 1, 1, 0xFFFFFFFF);
    device.Present();
    std::vector<uint32_t> shown{1, 2, 3};
    int width = -1, height = -1;
    EXPECT_FALSE(device.ReadFrontBuffer(shown, width, height));
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(device.Stats().drawCalls, 0u);
    EXPECT_EQ(device.Stats().backendCalls, 0u);
}

class GlPictures : public GlTest {
  protected:
    fs::path folder = fs::temp_directory_path() / ("glpictures-" + std::to_string(::getpid()));
    void SetUp() override {
        GlTest::SetUp();
        fs::create_directories(folder);
    }
    void TearDown() override {
        fs::remove_all(folder);
        GlTest::TearDown();
    }
};

TEST_F(GlPictures, OddSizedPictureDrawsTexelForPixel) {
    std::vector<uint32_t> pixels(15);
    for (int i = 0; i < 15; ++i)
        pixels[i] = 0xFF000000u | uint32_t(i * 17) << 16 | uint32_t(255 - i * 17);
    std::ofstream(folder / "odd.bmp", std::ios::binary) << Bmp(3, 5, pixels);
    TexturePtr texture;
    ASSERT_EQ(device->CreateTextureFromFile((folder / "odd.bmp").string(), texture),
              TextureError::None);
    EXPECT_EQ(texture->Width(), 3);
    EXPECT_EQ(texture->Height(), 5);
    device->Clear(ClearTarget, 0xFF000000, 1, 0);
    device->DrawSprite(texture.get(), nullptr, 7, 9, 1, 1, 0xFFFFFFFF);
    Show();
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(Pixel(7 + x, 9 + y), pixels[y * 3 + x] & 0xFFFFFF) << x << "," << y;

    // Wider than any texture the driver can hold.
    const int tooWide = 65536;
    std::ofstream(folder / "wide.bmp", std::ios::binary)
        << Bmp(tooWide, 1, std::vector<uint32_t>(tooWide));
    EXPECT_EQ(device->CreateTextureFromFile((folder / "wide.bmp").string(), texture),
              TextureError::NotAvailable);
    EXPECT_FALSE(texture);
}

TEST_F(GlTest, ResourcesOutliveTheDeviceSafely) {
    const uint32_t white = 0xFFFFFFFF;
    TexturePtr texture = device->CreateTexture(1, 1, &white);
    const auto square = Square(-1, -1, 1, 1);
    VertexBufferPtr buffer = device->CreateVertexBuffer(VertexFormat::Plain, square.data(), 6);
    device->SetTexture(0, texture.get());
    device->SetStreamSource(buffer.get());
    device->DrawTriangleList(0, 2);
    // A texture freed while bound, then a new one: the device draws with the new one.
    texture.reset();
    const uint32_t red = 0xFFFF0000;
    TexturePtr second = device->CreateTexture(1, 1, &red);
    device->SetRenderState(RenderState::Lighting, 0);
    device->SetTexture(0, second.get());
    StandardCamera();
    device->Clear(ClearTarget | ClearZBuffer, 0xFF000000, 1, 0);
    device->DrawTriangleList(0, 2);
    Show();
    EXPECT_EQ(Pixel(kSize / 2, kSize / 2), 0xFF0000u);
    // Draws past the end of the buffer are refused rather than read out of bounds.
    const uint64_t draws = device->Stats().drawCalls;
    device->DrawTriangleList(1, 2);
    device->DrawTriangleList(0, 3);
    EXPECT_EQ(device->Stats().drawCalls, draws);
    device.reset();
    second.reset(); // after the device: no GL call, no crash
    buffer.reset();
}
