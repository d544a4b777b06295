#include "app/qt_input_source.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <algorithm>

namespace fendo {
namespace {

// How long the wait rests between two looks at the event queue.
constexpr qint64 kEventSliceMs = 5;

}  // namespace

QtInputSource::QtInputSource() { clock_.start(); }

void QtInputSource::Sleep(int milliseconds) {
  keys_.TakeSnapshot();
  const QDeadlineTimer deadline(milliseconds);
  QCoreApplication::processEvents();
  while (!deadline.hasExpired()) {
    QThread::msleep(static_cast<unsigned long>(std::min(kEventSliceMs, deadline.remainingTime())));
    QCoreApplication::processEvents();
  }
}

}  // namespace fendo
