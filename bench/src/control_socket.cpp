#include "control_socket.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace rx041::bench {
namespace {

constexpr std::size_t kMaxClients = 16;
constexpr std::size_t kMaxLine = 1024;

sockaddr_un addressOf(const std::filesystem::path& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.native().size() >= sizeof address.sun_path)
    throw std::runtime_error("control socket path too long: " + path.string());
  std::strcpy(address.sun_path, path.c_str());
  return address;
}

// A socket file nobody listens on is left over from a bench that died.
void removeStaleSocket(const std::filesystem::path& path, const sockaddr_un& address) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return;
  if (!S_ISSOCK(info.st_mode)) throw std::runtime_error(path.string() + " exists and is not a socket");
  const int probe = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const bool live = ::connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  ::close(probe);
  if (live) throw std::runtime_error(path.string() + " is in use by another bench");
  ::unlink(path.c_str());
}

struct Client {
  int fd;
  std::string pending;
  bool overlong = false;  // discarding the rest of a line that was too long
};

}  // namespace

std::string ControlSocket::answer(const std::string& command) const {
  try {
    return handler_(command);
  } catch (const std::exception& error) {
    return std::string("error ") + error.what();
  }
}

ControlSocket::ControlSocket(const std::filesystem::path& path, Handler handler, int stopFd)
    : path_(path), handler_(std::move(handler)), stopFd_(stopFd) {
  const sockaddr_un address = addressOf(path);
  removeStaleSocket(path, address);
  listenFd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (listenFd_ < 0 || ::bind(listenFd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listenFd_, 8) != 0) {
    const std::string reason = std::strerror(errno);
    if (listenFd_ >= 0) ::close(listenFd_);
    throw std::runtime_error("cannot open the control socket " + path.string() + ": " + reason);
  }
  thread_ = std::thread([this] { serve(); });
}

ControlSocket::~ControlSocket() {
  thread_.join();
  ::close(listenFd_);
  ::unlink(path_.c_str());
}

void ControlSocket::serve() {
  std::vector<Client> clients;
  for (;;) {
    std::vector<pollfd> fds{{stopFd_, POLLIN, 0}, {listenFd_, POLLIN, 0}};
    for (const Client& client : clients) fds.push_back({client.fd, POLLIN, 0});
    if (::poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR) break;
    if (fds[0].revents) break;

    std::vector<Client> kept;
    for (std::size_t i = 0; i < clients.size(); ++i) {
      Client& client = clients[i];
      bool open = true;
      if (fds[i + 2].revents) {
        char buffer[512];
        const ssize_t n = ::read(client.fd, buffer, sizeof buffer);
        open = n > 0;
        for (ssize_t k = 0; k < n && open; ++k) {
          if (buffer[k] != '\n') {
            if (client.pending.size() < kMaxLine)
              client.pending += buffer[k];
            else
              client.overlong = true;
            continue;
          }
          if (!client.pending.empty() && client.pending.back() == '\r') client.pending.pop_back();
          const std::string reply = (client.overlong ? "error line too long" : answer(client.pending)) + "\n";
          client.pending.clear();
          client.overlong = false;
          open = ::send(client.fd, reply.data(), reply.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(reply.size());
        }
      }
      if (open)
        kept.push_back(std::move(client));
      else
        ::close(client.fd);
    }
    clients = std::move(kept);

    if (fds[1].revents & POLLIN) {
      const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
      if (fd >= 0 && clients.size() < kMaxClients)
        clients.push_back({fd, {}});
      else if (fd >= 0)
        ::close(fd);
    }
  }
  for (const Client& client : clients) ::close(client.fd);
}

}  // namespace rx041::bench
