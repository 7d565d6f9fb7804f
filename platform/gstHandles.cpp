#include "gstHandles.h"

#include <mutex>

std::optional<std::string> EnsureGstInit() {
  static std::once_flag once;
  static std::optional<std::string> failure;
  std::call_once(once, [] {
    GError* raw = nullptr;
    if (!gst_init_check(nullptr, nullptr, &raw)) {
      TGErrorPtr error(raw);
      failure = error ? error->message : "GStreamer could not be initialised.";
    }
  });
  return failure;
}
