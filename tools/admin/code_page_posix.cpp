// POSIX implementation of code_page.h, through iconv.
#include <cerrno>

#include <iconv.h>

#include "code_page.h"
#include "common/failure.h"

namespace tavro::admin {
namespace {

constexpr unsigned kUtf8CodePage = 65001;

}  // namespace

struct CodePageDecoder::Platform {
  explicit Platform(iconv_t handle) : converter(handle) {}
  ~Platform() { iconv_close(converter); }
  Platform(const Platform&) = delete;
  Platform& operator=(const Platform&) = delete;

  iconv_t converter;
};

unsigned default_code_page() {
  return 1252;
}

CodePageDecoder::CodePageDecoder(unsigned code_page) : code_page_(code_page) {
  const std::string name = code_page == kUtf8CodePage ? "UTF-8" : "CP" + std::to_string(code_page);
  const iconv_t handle = iconv_open("UTF-8", name.c_str());
  if (handle ==
      reinterpret_cast<iconv_t>(-1)) {  // NOLINT(performance-no-int-to-ptr): iconv's error value
    throw Failure(L"Code page " + std::to_wstring(code_page) +
                  L" is not one this system can convert from (iconv knows no " +
                  std::wstring(name.begin(), name.end()) + L").");
  }
  platform_ = std::make_unique<Platform>(handle);
}

CodePageDecoder::~CodePageDecoder() = default;

CodePageDecoder::CodePageDecoder(CodePageDecoder&& other) noexcept = default;

std::optional<std::size_t> CodePageDecoder::to_utf8(std::string_view bytes, std::string& utf8) {
  iconv(platform_->converter, nullptr, nullptr, nullptr, nullptr);  // a fresh start
  // No code page in use takes more than 3 UTF-8 bytes for one of its bytes.
  utf8.resize(bytes.size() * 3 + 4);
  char* in = const_cast<char*>(
      bytes.data());  // NOLINT(cppcoreguidelines-pro-type-const-cast): iconv's type; it only reads
  std::size_t in_left = bytes.size();
  char* out = utf8.data();
  std::size_t out_left = utf8.size();
  for (;;) {
    if (iconv(platform_->converter, &in, &in_left, &out, &out_left) !=
        static_cast<std::size_t>(-1)) {
      break;
    }
    if (errno != E2BIG) return static_cast<std::size_t>(in - bytes.data());
    const std::size_t used = static_cast<std::size_t>(out - utf8.data());
    utf8.resize(utf8.size() * 2);
    out = utf8.data() + used;
    out_left = utf8.size() - used;
  }
  utf8.resize(static_cast<std::size_t>(out - utf8.data()));
  return std::nullopt;
}

}  // namespace tavro::admin
