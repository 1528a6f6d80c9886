#pragma once
// The control commands on a Unix-domain stream socket: any number of clients
// (up to a small limit), one command per line, one reply line each. Serves on
// its own thread until the stop descriptor becomes readable.
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

namespace rx041::bench {

class ControlSocket {
 public:
  using Handler = std::function<std::string(const std::string&)>;

  // Throws std::runtime_error when the path cannot be bound (a live socket of
  // another bench, a file that is not a socket, a path too long).
  ControlSocket(const std::filesystem::path& path, Handler handler, int stopFd);
  ~ControlSocket();  // joins the thread, removes the socket file
  ControlSocket(const ControlSocket&) = delete;
  ControlSocket& operator=(const ControlSocket&) = delete;

 private:
  void serve();
  // The handler's reply; an exception becomes an error reply, not the end of the thread.
  std::string answer(const std::string& command) const;

  std::filesystem::path path_;
  Handler handler_;
  int stopFd_;
  int listenFd_ = -1;
  std::thread thread_;
};

}  // namespace rx041::bench
