#include "rx41/core/app_state.h"

namespace rx41 {

AppState& appState() {
  static AppState state;
  return state;
}

}  // namespace rx41
