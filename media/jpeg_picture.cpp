#include "media/jpeg_picture.h"

#include <csetjmp>
#include <cstdio>
#include <utility>

#include <jerror.h>
#include <jpeglib.h>

#include "media/picture_budget.h"
#include "platform/error.h"

namespace kv {

// A JPEG payload is a 4-byte signed length N and N bytes of JPEG stream, kept as they are.
// libjpeg reports errors by calling a handler that must not return; ours longjmps back to the
// function that started the work. Those functions (ReadHeaderInto, DecodeInto) hold only plain
// C data, so the jump skips no destructor; their callers turn the error number into kv::Error.

namespace {

struct ErrorJump {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

void JumpOnError(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<ErrorJump*>(cinfo->err)->jump, 1);
}

// Warnings (a stream cut short, say) leave a usable picture; they are not the player's concern.
void IgnoreMessage(j_common_ptr, int) {}

void Fail(j_decompress_ptr cinfo, int code) {
  cinfo->err->msg_code = code;
  cinfo->err->error_exit(reinterpret_cast<j_common_ptr>(cinfo));
}

void Prepare(jpeg_decompress_struct& cinfo, ErrorJump& err) {
  cinfo.err = jpeg_std_error(&err.manager);
  err.manager.error_exit = JumpOnError;
  err.manager.emit_message = IgnoreMessage;
}

struct HeaderJob {
  const uint8_t* data;
  size_t size;
  JpegHeader header;
  int error_code;
  uint64_t declared_width;  // the frame's size, when it is over the limit
  uint64_t declared_height;
};

void ReadHeaderInto(HeaderJob* job) {
  jpeg_decompress_struct cinfo{};
  ErrorJump err;
  Prepare(cinfo, err);
  if (setjmp(err.jump)) {
    job->error_code = err.manager.msg_code;
    jpeg_destroy_decompress(&cinfo);
    return;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, job->data, static_cast<unsigned long>(job->size));
  jpeg_read_header(&cinfo, TRUE);
  if (uint64_t{cinfo.image_width} * cinfo.image_height > kMaxPicturePixels) {
    job->declared_width = cinfo.image_width;
    job->declared_height = cinfo.image_height;
    Fail(&cinfo, JERR_IMAGE_TOO_BIG);
  }
  job->header.width = static_cast<int>(cinfo.image_width);
  job->header.height = static_cast<int>(cinfo.image_height);
  job->header.grey = cinfo.num_components == 1 && cinfo.jpeg_color_space == JCS_GRAYSCALE;
  job->header.progressive = jpeg_has_multiple_scans(&cinfo);
  jpeg_destroy_decompress(&cinfo);
}

struct DecodeJob {
  const uint8_t* data;
  size_t size;
  JpegHeader header;
  uint8_t* rgb;      // width x height x 3, allocated by the caller; or null, and then
  uint16_t* rgb565;  // width x height, the same pixels in 565
  uint8_t palette[256][3];
  int palette_size;
  int error_code;
};

void DecodeInto(DecodeJob* job) {
  jpeg_decompress_struct cinfo{};
  ErrorJump err;
  Prepare(cinfo, err);
  if (setjmp(err.jump)) {
    job->error_code = err.manager.msg_code;
    jpeg_destroy_decompress(&cinfo);
    return;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, job->data, static_cast<unsigned long>(job->size));
  jpeg_read_header(&cinfo, TRUE);
  cinfo.scale_num = 1;
  cinfo.scale_denom = 1;
  cinfo.dct_method = JDCT_ISLOW;
  cinfo.do_block_smoothing = TRUE;
  const bool grey = job->header.grey;
  if (grey) {
    // libjpeg falls back to its one-pass quantiser for one component; with grey levels that
    // gives the same evenly spaced palette the two-pass one would aim for.
    cinfo.quantize_colors = TRUE;
    cinfo.desired_number_of_colors = 236;
    cinfo.two_pass_quantize = TRUE;
    cinfo.dither_mode = JDITHER_FS;
  } else {
    cinfo.out_color_space = JCS_RGB;
  }
  jpeg_start_decompress(&cinfo);
  const JDIMENSION width = static_cast<JDIMENSION>(job->header.width);
  if (cinfo.output_width != width ||
      cinfo.output_height != static_cast<JDIMENSION>(job->header.height) ||
      cinfo.output_components != (grey ? 1 : 3)) {
    Fail(&cinfo, JERR_IMAGE_TOO_BIG);  // cannot happen for the stream the header came from
  }

  if (grey) {
    const int colours = cinfo.actual_number_of_colors;
    const int components = cinfo.out_color_components;
    for (int i = 0; i < colours && i < 256; ++i) {
      for (int c = 0; c < 3; ++c) job->palette[i][c] = cinfo.colormap[components == 3 ? c : 0][i];
    }
    job->palette_size = colours < 256 ? colours : 256;
    JSAMPARRAY buffer =
        (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE, width, 1);
    uint16_t table[256] = {};
    for (int i = 0; i < job->palette_size; ++i) {
      table[i] = To565(job->palette[i][0], job->palette[i][1], job->palette[i][2]);
    }
    while (cinfo.output_scanline < cinfo.output_height) {
      const size_t y = cinfo.output_scanline;
      jpeg_read_scanlines(&cinfo, buffer, 1);
      for (JDIMENSION x = 0; x < width; ++x) {
        const int index = buffer[0][x] < job->palette_size ? buffer[0][x] : 0;
        if (job->rgb565) {
          job->rgb565[y * width + x] = table[index];
        } else {
          const uint8_t* entry = job->palette[index];
          uint8_t* out = job->rgb + (y * width + x) * 3;
          out[0] = entry[0];
          out[1] = entry[1];
          out[2] = entry[2];
        }
      }
    }
  } else if (job->rgb565) {
    // The row sits one byte off alignment: libjpeg-turbo writes aligned rows with
    // non-temporal stores, which would send each row out to memory just before it is read
    // back here.
    JSAMPARRAY buffer = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo),
                                                   JPOOL_IMAGE, width * 3 + 1, 1);
    JSAMPROW row = buffer[0] + 1;
    while (cinfo.output_scanline < cinfo.output_height) {
      uint16_t* out = job->rgb565 + size_t{cinfo.output_scanline} * width;
      jpeg_read_scanlines(&cinfo, &row, 1);
      const uint8_t* in = row;
      for (JDIMENSION x = 0; x < width; ++x, in += 3) out[x] = To565(in[0], in[1], in[2]);
    }
  } else {
    while (cinfo.output_scanline < cinfo.output_height) {
      JSAMPROW row = job->rgb + size_t{cinfo.output_scanline} * width * 3;
      jpeg_read_scanlines(&cinfo, &row, 1);
    }
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
}

}  // namespace

JpegHeader ReadJpegHeader(std::span<const uint8_t> stream) {
  HeaderJob job{stream.data(), stream.size(), {}, 0, 0, 0};
  ReadHeaderInto(&job);
  if (job.declared_width != 0) {
    throw PictureTooLarge(Format("JPEG error #%d", job.error_code),
                          static_cast<int64_t>(job.declared_width),
                          static_cast<int64_t>(job.declared_height));
  }
  if (job.error_code != 0) throw Error(Format("JPEG error #%d", job.error_code));
  return job.header;
}

JpegPicture::JpegPicture(std::vector<uint8_t> stream, const JpegHeader& header)
    : stream_(std::move(stream)), header_(header) {}

const RgbImage& JpegPicture::Pixels() {
  if (decoded_) return *decoded_;
  RgbImage image;
  if (!empty()) {
    image.width = header_.width;
    image.height = header_.height;
    image.rgb.assign(size_t(header_.width) * size_t(header_.height) * 3, 0);
    Decode(image.rgb.data(), nullptr);
  }
  decoded_ = std::move(image);
  return *decoded_;
}

Image565 JpegPicture::Pixels565() {
  // Pixels already decoded to RGB for someone else are converted and let go.
  if (decoded_) return Picture::Pixels565();
  if (empty()) return {};
  Image565 image(header_.width, header_.height);
  Decode(nullptr, image.pixels.data());
  return image;
}

void JpegPicture::Decode(uint8_t* rgb, uint16_t* rgb565) {
  DecodeJob job{stream_.data(), stream_.size(), header_, rgb, rgb565, {}, 0, 0};
  DecodeInto(&job);
  if (job.error_code != 0) throw Error(Format("JPEG error #%d", job.error_code));
  palette_.clear();
  for (int i = 0; i < job.palette_size; ++i) {
    palette_.push_back({job.palette[i][2], job.palette[i][1], job.palette[i][0], 0});
  }
}

std::unique_ptr<JpegPicture> ReadJpegPayload(ByteReader& in) {
  const int32_t length = in.ReadI32();
  // A negative length is read as what it would be unsigned: more than any value holds.
  if (length < 0) throw Error(kStreamReadError);
  std::vector<uint8_t> stream = in.ReadVector(static_cast<size_t>(length));
  if (stream.empty()) return std::make_unique<JpegPicture>();
  const JpegHeader header = ReadJpegHeader(stream);
  return std::make_unique<JpegPicture>(std::move(stream), header);
}

}  // namespace kv
