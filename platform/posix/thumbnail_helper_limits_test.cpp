#include "platform/posix/thumbnail_helper_limits.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ctime>
#include <fstream>
#include <regex>
#include <sstream>

extern char** environ;

namespace zb {
namespace {

// The real helper on one end of a socket, told that `run` started it.
pid_t StartHelper(int socket, pid_t run) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, socket, STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, socket, STDOUT_FILENO);
  std::string runText = std::to_string(run);
  char* argv[] = {const_cast<char*>(ZORBELLE_THUMBNAILER_PATH),
                  const_cast<char*>("--thumbnail-worker"), runText.data(), nullptr};
  pid_t pid = -1;
  const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  return failed == 0 ? pid : -1;
}

// Whether the other end closes (its last holder ended) within a minute.
bool Closes(int socket) {
  pollfd p{socket, POLLIN, 0};
  char byte;
  return poll(&p, 1, 60 * 1000) == 1 && read(socket, &byte, 1) == 0;
}

struct SocketPair {
  SocketPair() { socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends); }
  ~SocketPair() {
    close(ends[0]);
    close(ends[1]);
  }
  int ends[2] = {-1, -1};
};

TEST(ThumbnailHelperLimits, TheHelperRunsWithBoundedMemoryAndNoCoreFiles) {
  SocketPair socket;
  const pid_t helper = StartHelper(socket.ends[1], getpid());
  ASSERT_GT(helper, 0);
  std::string limits;
  // The limits are set first thing; the helper then waits for a request.
  const std::regex confined("Max core file size +0 +0 ");
  for (int i = 0; i < 500 && !std::regex_search(limits, confined); ++i) {
    std::ostringstream text;
    text << std::ifstream("/proc/" + std::to_string(helper) + "/limits").rdbuf();
    limits = text.str();
    usleep(10000);
  }
  if (kHelperAddressSpaceBounded) {
    EXPECT_THAT(limits, testing::ContainsRegex("Max address space +1073741824 +1073741824"));
  }
  EXPECT_THAT(limits, testing::ContainsRegex("Max core file size +0 +0"));
  close(socket.ends[0]);
  socket.ends[0] = -1;
  int status = 0;
  ASSERT_EQ(waitpid(helper, &status, 0), helper);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// Asks for a picture that is not there; true once the helper answered.
bool Answered(int socket) {
  const std::string path = "/nowhere.jpg";
  const std::uint32_t request[2] = {240, static_cast<std::uint32_t>(path.size())};
  std::uint32_t size = 1;
  return write(socket, request, sizeof request) == sizeof request &&
         write(socket, path.data(), path.size()) == static_cast<ssize_t>(path.size()) &&
         read(socket, &size, sizeof size) == sizeof size && size == 0;
}

// A run killed outright takes its helper along, even one that still has a
// reader on its socket and so never sees the end of its input.
TEST(ThumbnailHelperLimits, TheHelperDiesWithItsRunAndLeavesWhenItsRunIsGoneAlready) {
  SocketPair socket;
  const pid_t run = fork();
  ASSERT_GE(run, 0);
  if (run == 0) {
    if (StartHelper(socket.ends[1], getpid()) < 0) _exit(1);
    pause();
    _exit(0);
  }
  close(socket.ends[1]);
  socket.ends[1] = -1;
  ASSERT_TRUE(Answered(socket.ends[0]));
  kill(run, SIGKILL);
  waitpid(run, nullptr, 0);
  EXPECT_TRUE(Closes(socket.ends[0]));

  // Started for a run that is not its parent (one gone before the helper
  // could ask to die with it): it leaves at once.
  SocketPair orphan;
  const pid_t helper = StartHelper(orphan.ends[1], getppid());
  ASSERT_GT(helper, 0);
  close(orphan.ends[1]);
  orphan.ends[1] = -1;
  EXPECT_TRUE(Closes(orphan.ends[0]));
  kill(helper, SIGKILL);
  int status = 0;
  ASSERT_EQ(waitpid(helper, &status, 0), helper);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

void BurnProcessorUntil(double seconds) {
  while (static_cast<double>(std::clock()) / CLOCKS_PER_SEC < seconds) {
  }
}

// Each picture gets its own processor time; one that takes more ends the
// helper by the kernel's signal.
TEST(ThumbnailHelperLimits, ProcessorTimeIsGrantedPerPicture) {
  rusage before{};
  getrusage(RUSAGE_CHILDREN, &before);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    GrantProcessorSeconds(1);
    BurnProcessorUntil(0.7);
    GrantProcessorSeconds(1);
    BurnProcessorUntil(1.4);
    GrantProcessorSeconds(1);
    BurnProcessorUntil(30);
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status)) << status;
  EXPECT_EQ(WTERMSIG(status), SIGXCPU);
  rusage after{};
  getrusage(RUSAGE_CHILDREN, &after);
  const auto seconds = [](const rusage& r) {
    return static_cast<double>(r.ru_utime.tv_sec + r.ru_stime.tv_sec) +
           static_cast<double>(r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
  };
  EXPECT_GE(seconds(after) - seconds(before), 2.0) << "killed only after its grants";
}

}  // namespace
}  // namespace zb
