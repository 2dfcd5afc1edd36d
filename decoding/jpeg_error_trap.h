#pragma once

// clang-format off
#include <cstdio>  // jpeglib.h needs FILE
#include <jpeglib.h>
// clang-format on
#include <csetjmp>

namespace zb {

// libjpeg ends the process on an error unless error_exit leaves by longjmp:
// the caller sets the jump with setjmp(trap.jump) in a frame that holds no
// C++ object needing destruction, then arms the trap.
struct JpegErrorTrap {
  jpeg_error_mgr manager;  // first: libjpeg hands back its address
  std::jmp_buf jump;

  [[noreturn]] static void Escape(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegErrorTrap*>(info->err)->jump, 1);
  }
  static void Quiet(j_common_ptr) {}

  jpeg_error_mgr* Arm() {
    jpeg_error_mgr* errors = jpeg_std_error(&manager);
    errors->error_exit = Escape;
    errors->output_message = Quiet;
    return errors;
  }
};

}  // namespace zb
