// tools/quarnell/make_test_jar.cpp — writes a small MIDlet-like JAR for tests.
//
// See Usage() for the options. The archive holds META-INF/MANIFEST.MF,
// icon.png (one solid colour), Main.class (CAFEBABE and filler bytes) and,
// when asked, res/data.bin of incompressible bytes stored uncompressed, to
// give the JAR a chosen size. Exit 0 when the file was written, 2 on a bad
// command line, 1 when writing failed.
#include <minizip/zip.h>
#include <png.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char* Usage() {
  return "usage: make-test-jar OUT.jar [options]\n"
         "  --name N            MIDlet-Name and name of MIDlet-1 (default \"Test MIDlet\")\n"
         "  --vendor V          MIDlet-Vendor (default \"Tolvanex Tests\")\n"
         "  --version X         MIDlet-Version (default \"1.0.0\")\n"
         "  --icon-size S       icon.png is S x S pixels (default 16; 0 leaves it out)\n"
         "  --icon-colour HEX   its colour as RRGGBB (default FF0000)\n"
         "  --midlet-icon       also name the icon in a MIDlet-Icon field\n"
         "  --midlets K         MIDlet-1 .. MIDlet-K entries (default 1)\n"
         "  --manifest-name P   store the manifest as P (default META-INF/MANIFEST.MF)\n"
         "  --no-manifest       leave the manifest out\n"
         "  --class-bytes B     size of Main.class (default 1024)\n"
         "  --padding-bytes B   add res/data.bin, B incompressible bytes, stored\n"
         "MIDlet-1 reads \"NAME, /icon.png, Main\"; MIDlet-k for k > 1 reads\n"
         "\"NAME k, /icon.png, Maink\".\n";
}

struct JarRequest {
  std::string output;
  std::string name = "Test MIDlet";
  std::string vendor = "Tolvanex Tests";
  std::string version = "1.0.0";
  int iconSize = 16;
  uint32_t iconColour = 0xFF0000;
  bool midletIcon = false;
  int midlets = 1;
  std::string manifestName = "META-INF/MANIFEST.MF";
  bool manifest = true;
  long classBytes = 1024;
  long paddingBytes = 0;
};

bool ParseRequest(int argc, char** argv, JarRequest* request) {
  for (int i = 1; i < argc; ++i) {
    std::string option = argv[i];
    bool hasValue = i + 1 < argc;
    if (option == "--midlet-icon") request->midletIcon = true;
    else if (option == "--no-manifest") request->manifest = false;
    else if (option.rfind("--", 0) == 0 && !hasValue) return false;
    else if (option == "--name") request->name = argv[++i];
    else if (option == "--vendor") request->vendor = argv[++i];
    else if (option == "--version") request->version = argv[++i];
    else if (option == "--icon-size") request->iconSize = std::atoi(argv[++i]);
    else if (option == "--icon-colour") request->iconColour = static_cast<uint32_t>(std::strtoul(argv[++i], nullptr, 16));
    else if (option == "--midlets") request->midlets = std::atoi(argv[++i]);
    else if (option == "--manifest-name") request->manifestName = argv[++i];
    else if (option == "--class-bytes") request->classBytes = std::atol(argv[++i]);
    else if (option == "--padding-bytes") request->paddingBytes = std::atol(argv[++i]);
    else if (option.rfind("--", 0) == 0 || !request->output.empty()) return false;
    else request->output = option;
  }
  return !request->output.empty() && request->iconSize >= 0 && request->iconSize <= 4096 &&
         request->classBytes >= 4 && request->paddingBytes >= 0;
}

std::string ManifestText(const JarRequest& request) {
  std::string text = "Manifest-Version: 1.0\r\nMIDlet-Name: " + request.name + "\r\nMIDlet-Vendor: " +
                     request.vendor + "\r\nMIDlet-Version: " + request.version + "\r\n";
  for (int k = 1; k <= request.midlets; ++k) {
    std::string suffix = k == 1 ? "" : " " + std::to_string(k);
    text += "MIDlet-" + std::to_string(k) + ": " + request.name + suffix + ", /icon.png, Main" +
            (k == 1 ? "" : std::to_string(k)) + "\r\n";
  }
  if (request.midletIcon) text += "MIDlet-Icon: /icon.png\r\n";
  return text + "MicroEdition-Configuration: CLDC-1.0\r\nMicroEdition-Profile: MIDP-2.0\r\n";
}

std::string SolidPng(int size, uint32_t colour) {
  std::string pixels;
  for (int i = 0; i < size * size; ++i) {
    pixels += static_cast<char>((colour >> 16) & 0xff);
    pixels += static_cast<char>((colour >> 8) & 0xff);
    pixels += static_cast<char>(colour & 0xff);
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(size);
  image.height = static_cast<png_uint_32>(size);
  image.format = PNG_FORMAT_RGB;
  png_alloc_size_t length = 0;
  if (!png_image_write_to_memory(&image, nullptr, &length, 0, pixels.data(), 0, nullptr)) return {};
  std::string png(length, '\0');
  if (!png_image_write_to_memory(&image, png.data(), &length, 0, pixels.data(), 0, nullptr)) return {};
  png.resize(length);
  return png;
}

// Bytes that do not compress, the same on every run.
std::string FillerBytes(long count, uint32_t seed) {
  std::string bytes(static_cast<size_t>(count), '\0');
  for (char& byte : bytes) {
    seed ^= seed << 13;
    seed ^= seed >> 17;
    seed ^= seed << 5;
    byte = static_cast<char>(seed & 0xff);
  }
  return bytes;
}

bool AddEntry(zipFile zip, const std::string& name, const std::string& content, bool compress) {
  zip_fileinfo info{};
  info.tmz_date.tm_year = 2024;
  info.tmz_date.tm_mday = 1;
  if (zipOpenNewFileInZip(zip, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                          compress ? Z_DEFLATED : 0, compress ? Z_DEFAULT_COMPRESSION : 0) != ZIP_OK)
    return false;
  bool wrote = content.empty() ||
               zipWriteInFileInZip(zip, content.data(), static_cast<unsigned>(content.size())) == ZIP_OK;
  return zipCloseFileInZip(zip) == ZIP_OK && wrote;
}

bool WriteJar(const JarRequest& request) {
  zipFile zip = zipOpen64(request.output.c_str(), APPEND_STATUS_CREATE);
  if (!zip) return false;
  bool ok = true;
  if (request.manifest) ok = ok && AddEntry(zip, request.manifestName, ManifestText(request), true);
  if (request.iconSize > 0) ok = ok && AddEntry(zip, "icon.png", SolidPng(request.iconSize, request.iconColour), true);
  std::string mainClass = "\xCA\xFE\xBA\xBE" + FillerBytes(request.classBytes - 4, 2463534242u);
  ok = ok && AddEntry(zip, "Main.class", mainClass, true);
  if (request.paddingBytes > 0) ok = ok && AddEntry(zip, "res/data.bin", FillerBytes(request.paddingBytes, 88172645u), false);
  return zipClose(zip, nullptr) == ZIP_OK && ok;
}

}  // namespace

int main(int argc, char** argv) {
  JarRequest request;
  if (!ParseRequest(argc, argv, &request)) {
    std::fputs(Usage(), stderr);
    return 2;
  }
  if (!WriteJar(request)) {
    std::fprintf(stderr, "make-test-jar: cannot write \"%s\"\n", request.output.c_str());
    return 1;
  }
  return 0;
}
