#include "RawPictureReader.h"

#include <libraw.h>

#include <QImage>
#include <memory>
#include <vector>

namespace filebridge {

namespace {

struct ProcessedImageRelease {
    void operator()(libraw_processed_image_t* image) const { LibRaw::dcraw_clear_mem(image); }
};
using ProcessedImage = std::unique_ptr<libraw_processed_image_t, ProcessedImageRelease>;

// LibRaw's state is megabytes that take long to set up: each thread keeps one decoder and clears it
// after every file.
LibRaw& ThreadDecoder() {
    thread_local const std::unique_ptr<LibRaw> decoder =
        std::make_unique<LibRaw>(LIBRAW_OPIONS_NO_MEMERR_CALLBACK | LIBRAW_OPIONS_NO_DATAERR_CALLBACK);
    decoder->imgdata.params.use_camera_wb = 1;
    return *decoder;
}

// Clears the thread's decoder when a reading ends, however it ends; the decoder itself stays.
struct DecoderRecycle {
    void operator()(LibRaw* decoder) const { decoder->recycle(); }
};

bool Fail(DrawingCollector& out, int libRawError) {
    return out.Fail("unreadable camera raw file: " + RawFailureReason(libRawError));
}

bool TooLarge(const libraw_image_sizes_t& sizes, std::int64_t maxPixels) {
    const std::int64_t raw = static_cast<std::int64_t>(sizes.raw_width) * sizes.raw_height;
    const std::int64_t shown = static_cast<std::int64_t>(sizes.width) * sizes.height;
    return raw > maxPixels || shown > maxPixels;
}

}  // namespace

std::string RawFailureReason(int libRawError) {
    switch (libRawError) {
        case LIBRAW_SUCCESS:
            return "no error";
        case LIBRAW_FILE_UNSUPPORTED:
            return "not a camera raw file or a camera not supported";
        case LIBRAW_REQUEST_FOR_NONEXISTENT_IMAGE:
            return "the file holds no such image";
        case LIBRAW_OUT_OF_ORDER_CALL:
        case LIBRAW_INPUT_CLOSED:
            return "decoder used out of order";
        case LIBRAW_NO_THUMBNAIL:
        case LIBRAW_UNSUPPORTED_THUMBNAIL:
        case LIBRAW_NOT_IMPLEMENTED:
            return "image kind not supported";
        case LIBRAW_UNSUFFICIENT_MEMORY:
        case LIBRAW_MEMPOOL_OVERFLOW:
        case LIBRAW_TOO_BIG:
            return "file needs more memory than is available";
        case LIBRAW_DATA_ERROR:
            return "damaged image data";
        case LIBRAW_IO_ERROR:
            return "file cut short or unreadable";
        case LIBRAW_BAD_CROP:
            return "bad crop area";
        case LIBRAW_CANCELLED_BY_CALLBACK:
            return "cancelled";
        default:
            return "error " + std::to_string(libRawError);
    }
}

bool ReadRawPicture(std::string_view bytes, DrawingCollector& out, std::int64_t maxPixels) {
    // The decoder wants a writable buffer although it only reads it.
    std::vector<char> buffer(bytes.begin(), bytes.end());
    const std::unique_ptr<LibRaw, DecoderRecycle> raw(&ThreadDecoder());
    if (const int error = raw->open_buffer(buffer.data(), buffer.size()); error != LIBRAW_SUCCESS) {
        return Fail(out, error);
    }
    if (TooLarge(raw->imgdata.sizes, maxPixels)) {
        return out.Fail("picture larger than the import limit");
    }
    if (const int error = raw->unpack(); error != LIBRAW_SUCCESS) {
        return Fail(out, error);
    }
    if (const int error = raw->dcraw_process(); error != LIBRAW_SUCCESS) {
        return Fail(out, error);
    }
    int error = LIBRAW_SUCCESS;
    const ProcessedImage developed(raw->dcraw_make_mem_image(&error));
    if (!developed) {
        return Fail(out, error);
    }
    const int width = developed->width;
    const int height = developed->height;
    const std::size_t needed = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3;
    if (developed->type != LIBRAW_IMAGE_BITMAP || developed->colors != 3 || developed->bits != 8 ||
        developed->data_size < needed) {
        return Fail(out, LIBRAW_NOT_IMPLEMENTED);
    }
    const QImage image(developed->data, width, height, static_cast<qsizetype>(width) * 3, QImage::Format_RGB888);
    return AddPicture(image, {}, out, maxPixels);
}

}  // namespace filebridge
