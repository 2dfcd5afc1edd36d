#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/posix/testing/test_folder.h"

extern char** environ;

namespace zb {

// For tests: zorbelle-cli as a child process.
struct ProcessResult {
  int exitCode = -1;  // 128 + the signal when a signal ended it
  std::string out;
  std::string err;
};

// zorbelle-cli started with these arguments and this environment before the
// inherited one, its input empty, its output streams into pipes.
class CliProcess {
 public:
  // Another program may stand in for zorbelle-cli.
  CliProcess(const std::vector<std::string>& args, const std::vector<std::string>& env,
             const std::string& program = ZORBELLE_CLI_PATH) {
    std::vector<std::string> all{program};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> environment(env);
    for (char** e = environ; *e; ++e) environment.emplace_back(*e);
    std::vector<char*> envp;
    for (std::string& e : environment) envp.push_back(e.data());
    envp.push_back(nullptr);

    int out[2], err[2];
    if (pipe(out) != 0 || pipe(err) != 0) throw std::runtime_error("pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, err[0]);
    // Signals the test runner may have ignored reach the program as from a shell.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&defaults, signal);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    const int spawned =
        posix_spawn(&pid_, argv[0], &actions, &attributes, argv.data(), envp.data());
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    out_ = out[0];
    err_ = err[0];
    if (spawned != 0) {
      close(out_);
      close(err_);
      throw std::runtime_error("cannot start the command-line program");
    }
  }
  ~CliProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      Finish();
    }
    close(out_);
    close(err_);
  }
  CliProcess(const CliProcess&) = delete;
  CliProcess& operator=(const CliProcess&) = delete;

  pid_t pid() const { return pid_; }

  // Reads both streams to their ends and waits for the child.
  ProcessResult Finish() {
    ProcessResult result;
    // The error stream is small; reading it after the output cannot block the child.
    result.out = ReadAll(out_);
    result.err = ReadAll(err_);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
  }

 private:
  static std::string ReadAll(int fd) {
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, n);
    return text;
  }

  pid_t pid_ = -1;
  int out_ = -1;
  int err_ = -1;
};

inline ProcessResult RunCli(const std::vector<std::string>& args,
                            const std::vector<std::string>& env) {
  return CliProcess(args, env).Finish();
}

// Drive C: over the test folder, Z: over the host's root, the settings in
// `config` below the folder.
inline std::vector<std::string> CliEnvironment(const TestFolder& folder,
                                               const std::string& config = "config") {
  return {"ZORBELLE_DRIVES=c=" + folder.path() + ";z=/", "XDG_CONFIG_HOME=" + folder.Host(config)};
}

// A GIF whose header alone gives the pages its size.
inline std::string Gif(unsigned width, unsigned height) {
  std::string bytes = "GIF89a";
  for (unsigned v : {width, height}) {
    bytes += static_cast<char>(v & 0xFF);
    bytes += static_cast<char>(v >> 8);
  }
  return bytes + std::string(20, '\0');
}

}  // namespace zb
