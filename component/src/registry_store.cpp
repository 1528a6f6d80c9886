#include "registry_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace rx041::com::detail {
namespace {

std::string trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  const auto last = s.find_last_not_of(" \t\r");
  return s.substr(first, last - first + 1);
}

bool writeFileAtomically(const std::filesystem::path& file, const std::string& text, std::string* message) {
  const auto temporary = file.string() + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << text;
    out.flush();
    if (!out) {
      if (message) *message = "cannot write " + temporary;
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(temporary, file, ec);
  if (ec) {
    if (message) *message = "cannot replace " + file.string() + ": " + ec.message();
    return false;
  }
  return true;
}

}  // namespace

RegistryStore RegistryStore::parse(const std::string& text) {
  RegistryStore store;
  std::istringstream in(text);
  std::string line;
  std::string current;
  while (std::getline(in, line)) {
    line = trim(line);
    if (line.empty() || line[0] == '#') continue;
    if (line.front() == '[' && line.back() == ']') {
      current = line.substr(1, line.size() - 2);
      store.sections_[current];
      continue;
    }
    const auto eq = line.find('=');
    if (eq == std::string::npos || current.empty()) continue;
    store.sections_[current][trim(line.substr(0, eq))] = trim(line.substr(eq + 1));
  }
  return store;
}

std::string RegistryStore::serialize() const {
  std::ostringstream out;
  out << "# Class registry of the RX041 programming software. Written by rx041-regsvr.\n";
  for (const auto& [name, entries] : sections_) {
    out << "\n[" << name << "]\n";
    for (const auto& [key, value] : entries) out << key << "=" << value << "\n";
  }
  return out.str();
}

std::optional<RegistryStore> RegistryStore::load(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::stringstream text;
  text << in.rdbuf();
  return parse(text.str());
}

bool RegistryStore::update(const std::filesystem::path& file, const std::function<void(RegistryStore&)>& change,
                           std::string* message) {
  std::error_code ec;
  std::filesystem::create_directories(file.parent_path(), ec);
  const auto lockPath = file.string() + ".lock";
  const int lockFd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (lockFd < 0) {
    if (message) *message = "cannot open " + lockPath + ": " + std::strerror(errno);
    return false;
  }
  while (::flock(lockFd, LOCK_EX) != 0 && errno == EINTR) {
  }
  RegistryStore store = load(file).value_or(RegistryStore());
  change(store);
  const bool written = writeFileAtomically(file, store.serialize(), message);
  ::close(lockFd);  // releases the lock
  return written;
}

const Section* RegistryStore::section(const std::string& name) const {
  const auto it = sections_.find(name);
  return it == sections_.end() ? nullptr : &it->second;
}

std::optional<std::string> RegistryStore::value(const std::string& sectionName, const std::string& key) const {
  const Section* s = section(sectionName);
  if (!s) return std::nullopt;
  const auto it = s->find(key);
  if (it == s->end()) return std::nullopt;
  return it->second;
}

void RegistryStore::set(const std::string& sectionName, const std::string& key, const std::string& value) {
  sections_[sectionName][key] = value;
}

void RegistryStore::remove(const std::string& sectionName) { sections_.erase(sectionName); }

}  // namespace rx041::com::detail
