// Tells a blank screenshot from a drawing: reads a PNG and counts its
// pixels that are not white, and those near each colour asked for.
//
//   controlla_schermata FILE.png [RRGGBB:MINIMO ...]
//
// Prints the counts; exits 0 when at least 2 % of the pixels are not white
// and each colour has at least its minimum of pixels, 1 otherwise, 2 when
// the file cannot be read as a PNG.
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct colore {
  int r = 0, g = 0, b = 0;
  long minimo = 0;
  long trovati = 0;
};

bool vicino(const unsigned char* p, const colore& c) {
  return std::abs(p[0] - c.r) <= 40 && std::abs(p[1] - c.g) <= 40 &&
         std::abs(p[2] - c.b) <= 40;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "uso: %s FILE.png [RRGGBB:MINIMO ...]\n", argv[0]);
    return 2;
  }
  std::vector<colore> colori;
  for (int i = 2; i < argc; ++i) {
    const std::string a = argv[i];
    colore c;
    const unsigned long v = std::stoul(a.substr(0, 6), nullptr, 16);
    c.r = static_cast<int>((v >> 16) & 0xFF);
    c.g = static_cast<int>((v >> 8) & 0xFF);
    c.b = static_cast<int>(v & 0xFF);
    c.minimo = std::stol(a.substr(7));
    colori.push_back(c);
  }
  png_image immagine{};
  immagine.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&immagine, argv[1])) {
    std::fprintf(stderr, "%s: %s\n", argv[1], immagine.message);
    return 2;
  }
  immagine.format = PNG_FORMAT_RGB;
  std::vector<unsigned char> pixel(PNG_IMAGE_SIZE(immagine));
  if (!png_image_finish_read(&immagine, nullptr, pixel.data(), 0, nullptr)) {
    std::fprintf(stderr, "%s: %s\n", argv[1], immagine.message);
    return 2;
  }
  const long totale = static_cast<long>(immagine.width) * immagine.height;
  long non_bianchi = 0;
  for (long i = 0; i < totale; ++i) {
    const unsigned char* p = &pixel[static_cast<std::size_t>(i) * 3];
    if (p[0] < 245 || p[1] < 245 || p[2] < 245) ++non_bianchi;
    for (colore& c : colori) c.trovati += vicino(p, c);
  }
  std::printf("%ux%u pixels, %ld not white\n", immagine.width, immagine.height,
              non_bianchi);
  bool bene = non_bianchi * 50 >= totale;
  for (const colore& c : colori) {
    std::printf("%02x%02x%02x: %ld (at least %ld)\n", c.r, c.g, c.b, c.trovati,
                c.minimo);
    bene = bene && c.trovati >= c.minimo;
  }
  return bene ? 0 : 1;
}
