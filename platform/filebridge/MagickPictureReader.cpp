#include "MagickPictureReader.h"

#include <Magick++.h>

#include <cstdint>
#include <mutex>

#include "PictureReader.h"

namespace filebridge {

namespace {

void InitialiseOnce() {
    static std::once_flag once;
    std::call_once(once, [] { Magick::InitializeMagick(nullptr); });
}

}  // namespace

bool ReadMagickPicture(std::string_view bytes, const std::string& format, DrawingCollector& out) {
    InitialiseOnce();
    try {
        const Magick::Blob input(bytes.data(), bytes.size());
        Magick::Image image;
        image.magick(format);
        image.ping(input);
        if (static_cast<std::int64_t>(image.columns()) * static_cast<std::int64_t>(image.rows()) >
            kMaxPicturePixels) {
            return out.Fail("picture larger than the import limit");
        }
        image.read(input);
        image.autoOrient();  // a TGA stored from its bottom row states so, and comes in upright
        Magick::Blob bitmap;
        image.magick("BMP3");
        image.write(&bitmap);
        return ReadPicture(std::string_view(static_cast<const char*>(bitmap.data()), bitmap.length()), out);
    } catch (const Magick::Exception& error) {
        return out.Fail(std::string("unreadable picture: ") + error.what());
    }
}

bool CanDecodeMagickFormat(const std::string& format) {
    InitialiseOnce();
    try {
        return Magick::CoderInfo(format).isReadable();
    } catch (const Magick::Exception&) {
        return false;
    }
}

}  // namespace filebridge
