#include "rx41/dual/dual_windows.h"

#include <memory>

#include "rx41/dual/main_form_2parts.h"

namespace rx41 {

void registerDualWindows(WindowCatalogue& catalogue) {
  for (const Sources sources : {Sources::Dual, Sources::Single}) {
    const std::string_view className = dualVariant(sources).className;
    catalogue.add(QString::fromLatin1(className.data(), static_cast<qsizetype>(className.size())),
                  [sources](OperatorInterface& op) { return std::make_unique<MainForm2Parts2Src>(op, sources); });
  }
}

}  // namespace rx41
