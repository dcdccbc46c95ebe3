// icongen: builds a 16-colour .ico from pixel-art text files, one image per file.
//
// Art file format: lines starting with '#' are comments; a line "= C N" maps the character C
// to palette index N (0-15) or, with N = "transparent", to a transparent pixel; every other
// non-empty line is one row of pixels, top row first. The rows form a square of 16 or 32.
//
// usage: icongen OUTPUT.ico ART.txt...
#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kTransparent = -1;

// The standard 16-colour palette as red, green, blue.
constexpr std::array<std::array<std::uint8_t, 3>, 16> kPalette{{
    {0x00, 0x00, 0x00},  // 0 black
    {0x80, 0x00, 0x00},  // 1 maroon
    {0x00, 0x80, 0x00},  // 2 green
    {0x80, 0x80, 0x00},  // 3 olive
    {0x00, 0x00, 0x80},  // 4 navy
    {0x80, 0x00, 0x80},  // 5 purple
    {0x00, 0x80, 0x80},  // 6 teal
    {0xC0, 0xC0, 0xC0},  // 7 silver
    {0x80, 0x80, 0x80},  // 8 gray
    {0xFF, 0x00, 0x00},  // 9 red
    {0x00, 0xFF, 0x00},  // 10 lime
    {0xFF, 0xFF, 0x00},  // 11 yellow
    {0x00, 0x00, 0xFF},  // 12 blue
    {0xFF, 0x00, 0xFF},  // 13 fuchsia
    {0x00, 0xFF, 0xFF},  // 14 aqua
    {0xFF, 0xFF, 0xFF},  // 15 white
}};

struct Image {
    int size = 0;
    std::vector<int> pixels;  // palette index or kTransparent, row-major, top row first
};

void fail(const std::string& message) {
    std::fprintf(stderr, "icongen: %s\n", message.c_str());
}

bool readArt(const std::string& path, Image& image) {
    std::ifstream in(path);
    if (!in) {
        fail("cannot open " + path);
        return false;
    }
    std::map<char, int> legend;
    std::vector<std::string> rows;
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string where = path + ":" + std::to_string(lineNumber);
        if (line.empty() || line[0] == '#')
            continue;
        if (line[0] == '=') {
            std::istringstream fields(line.substr(1));
            std::string key;
            std::string value;
            if (!(fields >> key >> value) || key.size() != 1) {
                fail(where + ": legend lines read \"= C N\"");
                return false;
            }
            int index = kTransparent;
            if (value != "transparent") {
                index = -2;
                if (value.find_first_not_of("0123456789") == std::string::npos && value.size() <= 2)
                    index = std::stoi(value);
                if (index < 0 || index > 15) {
                    fail(where + ": palette index must be 0-15 or transparent");
                    return false;
                }
            }
            legend[key[0]] = index;
            continue;
        }
        rows.push_back(line);
    }
    const int size = static_cast<int>(rows.size());
    if (size != 16 && size != 32) {
        fail(path + ": the art must have 16 or 32 rows");
        return false;
    }
    image.size = size;
    image.pixels.clear();
    for (int y = 0; y < size; ++y) {
        if (static_cast<int>(rows[y].size()) != size) {
            fail(path + ": row " + std::to_string(y + 1) + " is not " + std::to_string(size) +
                 " pixels wide");
            return false;
        }
        for (char c : rows[y]) {
            auto it = legend.find(c);
            if (it == legend.end()) {
                fail(path + ": row " + std::to_string(y + 1) + ": '" + std::string(1, c) +
                     "' is not in the legend");
                return false;
            }
            image.pixels.push_back(it->second);
        }
    }
    return true;
}

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// BITMAPINFOHEADER (height doubled for the mask), palette, XOR bits, AND mask; rows bottom-up,
// each padded to 32 bits.
std::vector<std::uint8_t> encodeImage(const Image& image) {
    const int n = image.size;
    const int xorStride = ((n * 4 + 31) / 32) * 4;
    const int andStride = ((n + 31) / 32) * 4;
    std::vector<std::uint8_t> out;
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(n));
    put32(out, static_cast<std::uint32_t>(2 * n));
    put16(out, 1);  // planes
    put16(out, 4);  // bits per pixel
    put32(out, 0);  // no compression
    put32(out, static_cast<std::uint32_t>((xorStride + andStride) * n));
    put32(out, 0);
    put32(out, 0);
    put32(out, 16);  // colours used
    put32(out, 0);
    for (const auto& rgb : kPalette) {
        out.push_back(rgb[2]);
        out.push_back(rgb[1]);
        out.push_back(rgb[0]);
        out.push_back(0);
    }
    for (int y = n - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(xorStride), 0);
        for (int x = 0; x < n; ++x) {
            const int p = image.pixels[static_cast<std::size_t>(y * n + x)];
            const auto index = static_cast<std::uint8_t>(p == kTransparent ? 0 : p);
            row[static_cast<std::size_t>(x / 2)] |= (x % 2 == 0) ? index << 4 : index;
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    for (int y = n - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(andStride), 0);
        for (int x = 0; x < n; ++x) {
            if (image.pixels[static_cast<std::size_t>(y * n + x)] == kTransparent)
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

std::vector<std::uint8_t> encodeIcon(const std::vector<Image>& images) {
    std::vector<std::vector<std::uint8_t>> encoded;
    for (const Image& image : images)
        encoded.push_back(encodeImage(image));
    std::vector<std::uint8_t> out;
    put16(out, 0);  // reserved
    put16(out, 1);  // icon
    put16(out, static_cast<std::uint32_t>(images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.push_back(static_cast<std::uint8_t>(images[i].size));
        out.push_back(static_cast<std::uint8_t>(images[i].size));
        out.push_back(16);  // colours
        out.push_back(0);
        put16(out, 1);  // planes
        put16(out, 4);  // bits per pixel
        put32(out, static_cast<std::uint32_t>(encoded[i].size()));
        put32(out, offset);
        offset += static_cast<std::uint32_t>(encoded[i].size());
    }
    for (const auto& bytes : encoded)
        out.insert(out.end(), bytes.begin(), bytes.end());
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: icongen OUTPUT.ico ART.txt...\n");
        return 2;
    }
    std::vector<Image> images;
    for (int i = 2; i < argc; ++i) {
        Image image;
        if (!readArt(argv[i], image))
            return 1;
        images.push_back(image);
    }
    const std::vector<std::uint8_t> bytes = encodeIcon(images);
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        fail(std::string("cannot write ") + argv[1]);
        return 1;
    }
    return 0;
}
