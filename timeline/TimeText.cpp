#include "TimeText.h"

QString TimeText(std::int32_t n) {
  return QString::asprintf("%.2d:%.2d:%.2d", n / 3600, (n % 3600) / 60, n % 60);
}
