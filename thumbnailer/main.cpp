// zorbelle-thumbnailer: decodes pictures into thumbnails for zorbelle and
// zorbelle-cli, which start it. Only this program loads the picture decoders,
// so the others start without them.
#include <unistd.h>

#include <cstdio>
#include <string_view>

#include "platform/posix/thumbnail_worker.h"

int main(int argc, char** argv) {
  // Started by hand it would wait on the terminal for requests it cannot get.
  if (argc != 2 || std::string_view(argv[1]) != zb::kThumbnailWorkerArgument) {
    std::fprintf(stderr,
                 "zorbelle-thumbnailer: a helper of zorbelle and zorbelle-cli, "
                 "which start it themselves\n");
    return 2;
  }
  return zb::RunThumbnailWorker(STDIN_FILENO, STDOUT_FILENO);
}
