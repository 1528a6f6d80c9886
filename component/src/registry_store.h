#pragma once
// The registry file: sections of key=value lines, the layout of the classic
// class registry ("[Chanlink.SerialChannel]", "[CLSID\{...}]"). Updates take
// an exclusive lock and replace the file atomically, so two servers being
// registered at once (a parallel build) never lose each other's entries.
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace rx041::com::detail {

using Section = std::map<std::string, std::string>;

// "CLSID\{...}" and "TypeLib\{...}": the sections of a class and of a type library.
inline std::string clsidSection(std::string_view clsid) { return "CLSID\\" + std::string(clsid); }
inline std::string typeLibSection(std::string_view id) { return "TypeLib\\" + std::string(id); }

class RegistryStore {
 public:
  static std::optional<RegistryStore> load(const std::filesystem::path& file);
  static bool update(const std::filesystem::path& file, const std::function<void(RegistryStore&)>& change,
                     std::string* message);

  const Section* section(const std::string& name) const;
  std::optional<std::string> value(const std::string& section, const std::string& key) const;
  void set(const std::string& section, const std::string& key, const std::string& value);
  void remove(const std::string& section);

  std::string serialize() const;
  static RegistryStore parse(const std::string& text);

 private:
  std::map<std::string, Section> sections_;
};

}  // namespace rx041::com::detail
