// zorbelle-thumbnailer: decodes pictures into thumbnails for zorbelle and
// zorbelle-cli, which start it. Only this program loads the picture decoders,
// so the others start without them.
#include <unistd.h>

#include <charconv>
#include <csignal>
#include <cstdio>
#include <string_view>

#include "decoding/thumbnail_decode_job.h"
#include "platform/posix/descriptor_channel.h"
#include "platform/posix/picture_file.h"
#include "platform/posix/thumbnail_helper_limits.h"

int main(int argc, char** argv) {
  pid_t run = 0;
  const std::string_view runText = argc == 3 ? argv[2] : "";
  const auto [end, error] = std::from_chars(runText.data(), runText.data() + runText.size(), run);
  // Started by hand it would wait on the terminal for requests it cannot get.
  if (argc != 3 || std::string_view(argv[1]) != zb::kThumbnailHelperArgument ||
      error != std::errc() || end != runText.data() + runText.size() || run <= 1) {
    std::fprintf(stderr,
                 "zorbelle-thumbnailer: a helper of zorbelle and zorbelle-cli, "
                 "which start it themselves\n");
    return 2;
  }
  if (!zb::ConfineThumbnailHelper(run)) return 0;  // its run is gone
  // A stop signal is for the run, which ends its helpers in order (they
  // leave when their socket closes).
  for (int stop : {SIGINT, SIGTERM, SIGHUP}) std::signal(stop, SIG_IGN);
  zb::DescriptorChannel channel(STDIN_FILENO, STDOUT_FILENO);
  zb::ServeThumbnailRequests(
      channel,
      [](const std::string& hostPath) {
        return zb::ReadPictureFile(hostPath, zb::kMaxPictureFileBytes);
      },
      [] { zb::GrantProcessorSeconds(zb::kHelperProcessorSecondsPerPicture); });
  return 0;
}
