#include <csetjmp>
#include <cstdio>
#include <stdexcept>
#include <string>

#include <jpeglib.h>

#include "tools/writer/picture_writer.h"

namespace kv::writer {
namespace {

struct ErrorJump {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

// libjpeg's default handler ends the process; ours jumps back to Compress, which reports the
// failure to its caller. No C++ object with a destructor lives in Compress's frame.
void JumpOnError(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<ErrorJump*>(cinfo->err)->jump, 1);
}

// Output grows a vector in steps; libjpeg's own memory destination loses its buffer when an
// error jumps out of it.
struct VectorDestination {
  jpeg_destination_mgr manager;
  std::vector<uint8_t>* out;
};

constexpr size_t kDestinationStep = 16384;

void StartDestination(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<VectorDestination*>(cinfo->dest);
  dest->out->resize(kDestinationStep);
  dest->manager.next_output_byte = dest->out->data();
  dest->manager.free_in_buffer = dest->out->size();
}

boolean GrowDestination(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<VectorDestination*>(cinfo->dest);
  const size_t used = dest->out->size();
  dest->out->resize(used + kDestinationStep);
  dest->manager.next_output_byte = dest->out->data() + used;
  dest->manager.free_in_buffer = kDestinationStep;
  return TRUE;
}

void FinishDestination(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<VectorDestination*>(cinfo->dest);
  dest->out->resize(dest->out->size() - dest->manager.free_in_buffer);
}

struct CompressJob {
  const uint8_t* rgb;
  int width;
  int height;
  int quality;
  bool grey;
  bool progressive;
  std::vector<uint8_t>* out;
  int error_code;
};

void Compress(CompressJob* job) {
  jpeg_compress_struct cinfo{};
  ErrorJump err;
  cinfo.err = jpeg_std_error(&err.manager);
  err.manager.error_exit = JumpOnError;
  if (setjmp(err.jump)) {
    job->error_code = err.manager.msg_code;
    jpeg_destroy_compress(&cinfo);
    return;
  }
  jpeg_create_compress(&cinfo);
  VectorDestination dest{{}, job->out};
  dest.manager.init_destination = StartDestination;
  dest.manager.empty_output_buffer = GrowDestination;
  dest.manager.term_destination = FinishDestination;
  cinfo.dest = &dest.manager;
  cinfo.image_width = static_cast<JDIMENSION>(job->width);
  cinfo.image_height = static_cast<JDIMENSION>(job->height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  if (job->grey) jpeg_set_colorspace(&cinfo, JCS_GRAYSCALE);
  jpeg_set_quality(&cinfo, job->quality, TRUE);
  if (job->progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(job->rgb + static_cast<size_t>(cinfo.next_scanline) *
                                                       static_cast<size_t>(job->width) * 3);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
}

}  // namespace

std::vector<uint8_t> EncodeJpeg(const RgbImage& image, int quality, bool grey, bool progressive) {
  if (image.width <= 0 || image.height <= 0 ||
      image.rgb.size() != static_cast<size_t>(image.width) * image.height * 3) {
    throw std::invalid_argument("a JPEG needs a non-empty picture of matching size");
  }
  std::vector<uint8_t> bytes;
  CompressJob job{
      image.rgb.data(), image.width, image.height, quality, grey, progressive, &bytes, 0};
  Compress(&job);
  if (job.error_code != 0) {
    throw std::runtime_error("JPEG encoding failed (" + std::to_string(job.error_code) + ")");
  }
  return bytes;
}

}  // namespace kv::writer
