#pragma once
// The console's command list: four groups of programmer commands, each item
// labelled by a two-digit code, and the frame text each code builds for the
// selected part from the typed OWI address and data.
#include <QString>
#include <QStringList>
#include <optional>

namespace rx041::launcher {

inline constexpr int kCommandGroupCount = 4;

// The items of a group (0 relay control, 1 communication, 2 OWI commands,
// 3 others) in list order; nullopt for any other group.
std::optional<QStringList> commandGroupItems(int group);

struct CommandInput {
  QChar part;       // '1' or '2'
  QString address;  // used as typed
  QString data;     // used as typed
};

struct BuiltCommand {
  QString text;
  bool usesAddress = false;
  bool usesData = false;
};

// The frame for an item's code (its first two characters); nullopt for an
// unknown code.
std::optional<BuiltCommand> buildCommand(const QString& code, const CommandInput& input);

}  // namespace rx041::launcher
