#include "support/run_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <stdexcept>
#include <string_view>

namespace mapbasis::testing {

namespace {

// Reads both pipes to their ends; false when the deadline passes first.
bool ReadBoth(int outFd, int errFd, std::string& out, std::string& err,
              std::chrono::steady_clock::time_point deadline) {
  std::array<pollfd, 2> fds{{{outFd, POLLIN, 0}, {errFd, POLLIN, 0}}};
  int open = 2;
  char buffer[4096];
  while (open > 0) {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    const int ready = left.count() <= 0 ? 0 : poll(fds.data(), fds.size(), left.count());
    if (ready == 0) {
      for (const auto& p : fds) {
        if (p.fd >= 0) close(p.fd);
      }
      return false;
    }
    if (ready < 0) {
      if (errno == EINTR) continue;
      break;
    }
    for (auto& p : fds) {
      if (p.fd < 0 || (p.revents & (POLLIN | POLLHUP | POLLERR)) == 0) continue;
      const ssize_t n = read(p.fd, buffer, sizeof buffer);
      if (n > 0) {
        (p.fd == outFd ? out : err).append(buffer, static_cast<std::size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        close(p.fd);
        p.fd = -1;
        --open;
      }
    }
  }
  return true;
}

}  // namespace

ProcessResult RunProcess(const std::vector<std::string>& argv, const std::string& workingDir) {
  return RunProcess(argv, ProcessOptions{workingDir});
}

ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessOptions& options) {
  int outPipe[2], errPipe[2];
  if (pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(errPipe, O_CLOEXEC) != 0) {
    throw std::runtime_error("pipe failed");
  }
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  std::vector<char*> env;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string_view entry(*e);
    const auto same = [&](const std::string& o) {
      return o.substr(0, o.find('=') + 1) == entry.substr(0, o.find('=') + 1);
    };
    if (std::none_of(options.env.begin(), options.env.end(), same)) env.push_back(*e);
  }
  for (const auto& e : options.env) env.push_back(const_cast<char*>(e.c_str()));
  env.push_back(nullptr);

  // The child sets itself up with async-signal-safe calls only: tests start children from
  // several threads at once.
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(outPipe[1], STDOUT_FILENO);
    dup2(errPipe[1], STDERR_FILENO);
    if (options.closedStderr) {
      int closed[2];
      if (pipe(closed) != 0 || close(closed[0]) != 0) _exit(127);
      dup2(closed[1], STDERR_FILENO);
    }
    if (!options.workingDir.empty() && chdir(options.workingDir.c_str()) != 0) _exit(127);
    if (options.fileSizeLimit >= 0) {
      const rlimit limit{static_cast<rlim_t>(options.fileSizeLimit),
                         static_cast<rlim_t>(options.fileSizeLimit)};
      if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(127);
    }
    execve(args[0], args.data(), env.data());
    _exit(127);
  }
  close(outPipe[1]);
  close(errPipe[1]);

  ProcessResult result;
  if (pid < 0) {
    close(outPipe[0]);
    close(errPipe[0]);
    throw std::runtime_error("cannot start " + argv.at(0));
  }
  const bool ended = ReadBoth(outPipe[0], errPipe[0], result.out, result.err,
                              std::chrono::steady_clock::now() + options.deadline);
  if (!ended) {
    kill(pid, SIGKILL);
    result.err += "[" + argv.at(0) + " hung: killed at the test's deadline]\n";
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  result.exitStatus = ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

std::string MapbasisExe() { return MAPBASIS_EXE; }
std::string SourceDir() { return MAPBASIS_SOURCE_DIR; }

}  // namespace mapbasis::testing
