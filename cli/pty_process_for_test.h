#pragma once

#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace zb {

// For tests: zorbelle-cli on a pseudo-terminal, as a person would run it.
class PtyProcess {
 public:
  PtyProcess(const std::vector<std::string>& args, const std::vector<std::string>& env) {
    std::vector<std::string> all{ZORBELLE_CLI_PATH};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<std::string> environment(env);
    for (char** e = environ; *e; ++e) environment.emplace_back(*e);
    std::vector<char*> argv, envp;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    for (std::string& e : environment) envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_ = forkpty(&master_, nullptr, nullptr, nullptr);
    if (pid_ < 0) throw std::runtime_error("forkpty");
    if (pid_ == 0) {
      execve(argv[0], argv.data(), envp.data());
      _exit(127);
    }
  }
  ~PtyProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    close(master_);
  }
  PtyProcess(const PtyProcess&) = delete;
  PtyProcess& operator=(const PtyProcess&) = delete;

  // Reads what the program shows until the text appears; false when the
  // program ended (or a minute passed) first.
  bool WaitFor(const std::string& text) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (seen_.find(text, from_) == std::string::npos) {
      if (std::chrono::steady_clock::now() > deadline || !ReadSome(1000)) return false;
    }
    from_ = seen_.find(text, from_) + text.size();
    return true;
  }
  void Type(const std::string& keys) {
    if (write(master_, keys.data(), keys.size()) != static_cast<ssize_t>(keys.size())) {
      throw std::runtime_error("pty write");
    }
  }
  // Everything shown, until the program ends; its exit code (128 + signal).
  int Finish() {
    while (ReadSome(60000)) {
    }
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  const std::string& seen() const { return seen_; }
  pid_t pid() const { return pid_; }

 private:
  bool ReadSome(int timeoutMs) {
    pollfd one{master_, POLLIN, 0};
    if (poll(&one, 1, timeoutMs) <= 0) return false;
    char buffer[4096];
    const ssize_t n = read(master_, buffer, sizeof buffer);
    if (n <= 0) return false;  // EIO once the program has ended
    seen_.append(buffer, static_cast<std::size_t>(n));
    return true;
  }

  pid_t pid_ = -1;
  int master_ = -1;
  std::string seen_;
  std::size_t from_ = 0;
};

}  // namespace zb
