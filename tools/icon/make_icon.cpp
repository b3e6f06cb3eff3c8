// Draws the product icon and writes it as a Windows .ico file: a red square
// with a yellow frame and a white "T+", at 16, 32 and 48 pixels. The artwork
// has three opaque colours, so each image is stored with a 16-colour palette,
// 4 bits per pixel, and an AND mask: the same pixels as at 32 bits in a sixth
// of the bytes, in the one format that every Windows version shows.
//
//   make_icon OUTPUT.ico

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace {

struct Image {
    int size;
    std::vector<std::uint32_t> pixels;  // 0xAARRGGBB, top row first

    explicit Image(int s) : size(s), pixels(static_cast<std::size_t>(s) * s, 0) {}
    void Fill(int x0, int y0, int x1, int y1, std::uint32_t color) {
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                if (x >= 0 && y >= 0 && x < size && y < size) {
                    pixels[static_cast<std::size_t>(y) * size + x] = color;
                }
            }
        }
    }
};

constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kYellow = 0xFFFFFF00;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;

// The artwork in units of size/16, so every size has the same proportions.
Image Draw(int size) {
    Image image(size);
    const int u = size / 16;
    image.Fill(0, 0, size, size, kYellow);
    image.Fill(u, u, size - u, size - u, kRed);
    // "T"
    image.Fill(3 * u, 4 * u, 9 * u, 6 * u, kWhite);
    image.Fill(5 * u, 6 * u, 7 * u, 12 * u, kWhite);
    // "+"
    image.Fill(9 * u, 7 * u, 14 * u, 9 * u, kWhite);
    image.Fill(10 * u + u / 2, 5 * u + u / 2, 12 * u + u / 2, 10 * u + u / 2, kWhite);
    return image;
}

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

constexpr int kPaletteSize = 16;
constexpr int kBitsPerPixel = 4;

// One icon image: BITMAPINFOHEADER (double height: colour + mask), the
// 16-entry palette, the 4-bit colour rows bottom-up, then the AND mask rows
// (all zero: every pixel opaque). Rows are padded to whole 32-bit words.
std::vector<std::uint8_t> Encode(const Image& image) {
    std::vector<std::uint32_t> palette;
    for (std::uint32_t pixel : image.pixels) {
        if (std::find(palette.begin(), palette.end(), pixel) == palette.end()) {
            palette.push_back(pixel);
        }
    }
    if (palette.size() > kPaletteSize) {
        throw std::runtime_error("the artwork has more colours than the palette holds");
    }
    std::vector<std::uint8_t> out;
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(image.size));
    Put32(out, static_cast<std::uint32_t>(image.size * 2));
    Put16(out, 1);
    Put16(out, kBitsPerPixel);
    for (int i = 0; i < 6; ++i) {
        Put32(out, 0);
    }
    palette.resize(kPaletteSize, 0);
    for (std::uint32_t color : palette) {
        Put32(out, color & 0x00FFFFFF);  // blue, green, red, reserved
    }
    const int colorRow = ((image.size * kBitsPerPixel + 31) / 32) * 4;
    for (int y = image.size - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(colorRow), 0);
        for (int x = 0; x < image.size; ++x) {
            const auto index = static_cast<std::uint8_t>(
                std::find(palette.begin(), palette.end(),
                          image.pixels[static_cast<std::size_t>(y) * image.size + x]) -
                palette.begin());
            row[static_cast<std::size_t>(x / 2)] |= x % 2 == 0 ? index << 4 : index;
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    const int maskRow = ((image.size + 31) / 32) * 4;
    out.insert(out.end(), static_cast<std::size_t>(maskRow) * image.size, 0);
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icon OUTPUT.ico\n");
        return 2;
    }
    const int sizes[] = {16, 32, 48};
    std::vector<std::vector<std::uint8_t>> images;
    for (int size : sizes) {
        images.push_back(Encode(Draw(size)));
    }
    std::vector<std::uint8_t> file;
    Put16(file, 0);  // reserved
    Put16(file, 1);  // icon
    Put16(file, static_cast<unsigned>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        file.push_back(static_cast<std::uint8_t>(sizes[i]));
        file.push_back(static_cast<std::uint8_t>(sizes[i]));
        file.push_back(kPaletteSize);
        file.push_back(0);
        Put16(file, 1);  // planes
        Put16(file, kBitsPerPixel);
        Put32(file, static_cast<std::uint32_t>(images[i].size()));
        Put32(file, offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const auto& image : images) {
        file.insert(file.end(), image.begin(), image.end());
    }
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()),
              static_cast<std::streamsize>(file.size()));
    return out ? 0 : 1;
}
