#pragma once
// Where the Qt-free parts (curve mathematics, field and target point rules)
// send the texts they report to the operator; the windows hand them on to
// their operator interface (operator_sink.h).
#include <functional>
#include <string>

namespace rx41 {

using MessageSink = std::function<void(const std::string& text)>;

}  // namespace rx41
