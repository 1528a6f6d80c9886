// rx041-sim as an operator runs it: the device path first, the COM link while
// it runs, a clean end on SIGINT and SIGTERM.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "raw_line.h"
#include "rx041/test_support/temp_dir.h"
#include "rx041/transport/port_map.h"

namespace rx041::bench::test {
namespace {

namespace fs = std::filesystem;

// The program with its standard output on a pipe.
class SimProcess {
 public:
  explicit SimProcess(std::vector<std::string> arguments) {
    int out[2];
    if (::pipe(out) != 0) throw std::runtime_error("pipe");
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(out[1], STDOUT_FILENO);
      ::close(out[0]);
      ::close(out[1]);
      std::vector<char*> argv{const_cast<char*>(RX041_SIM_PROGRAM)};
      for (auto& argument : arguments) argv.push_back(argument.data());
      argv.push_back(nullptr);
      ::execv(RX041_SIM_PROGRAM, argv.data());
      ::_exit(127);
    }
    ::close(out[1]);
    output_ = ::fdopen(out[0], "r");
  }
  ~SimProcess() {
    if (pid_ > 0 && !exited_) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    std::fclose(output_);
  }

  std::string firstLine() {
    char line[512] = {};
    if (!std::fgets(line, sizeof line, output_)) return "";
    std::string text(line);
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
  }

  // Sends the signal and returns the exit status, or -1 when it does not end in time.
  int stop(int signal) {
    ::kill(pid_, signal);
    for (int i = 0; i < 200; ++i) {
      int status = 0;
      if (::waitpid(pid_, &status, WNOHANG) == pid_) {
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      ::usleep(10'000);
    }
    return -1;
  }

 private:
  pid_t pid_ = -1;
  bool exited_ = false;
  std::FILE* output_ = nullptr;
};

TEST(SimProgramTest, ServesBehindItsComNumberAndEndsCleanlyOnEitherSignal) {
  rx041::test::TempDir dir;
  rx041::test::ScopedEnv ports("RX041_PORTS", dir.path().c_str());
  for (int signal : {SIGTERM, SIGINT}) {
    SimProcess sim({"--com", "1", "--control", (dir / "control").string()});
    const std::string device = sim.firstLine();
    ASSERT_FALSE(device.empty());
    EXPECT_EQ(fs::read_symlink(transport::comPortPath(1)), device);
    {
      RawLine host(transport::comPortPath(1));
      host.send("$R,P,O,1,FF,FF#");
      EXPECT_EQ(host.readLine().value_or(""), "Part#1 power relay ON");
    }
    EXPECT_EQ(sim.stop(signal), 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(transport::comPortPath(1))));
    EXPECT_FALSE(fs::exists(dir / "control"));
  }
}

TEST(SimProgramTest, RefusesATakenComNumber) {
  rx041::test::TempDir dir;
  rx041::test::ScopedEnv ports("RX041_PORTS", dir.path().c_str());
  fs::create_symlink("/dev/null", transport::comPortPath(1));
  SimProcess sim({"--com", "1"});
  EXPECT_EQ(sim.firstLine(), "");
  EXPECT_EQ(sim.stop(0), 1);
}

}  // namespace
}  // namespace rx041::bench::test
