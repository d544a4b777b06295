#include "app/recent_files.h"

#include <QSettings>

namespace fendo {
namespace {

constexpr char kOrganisation[] = "Local AppWizard-Generated Applications";
constexpr char kApplication[] = "Fendo";
constexpr char kGroup[] = "Recent File List";

QString EntryKey(int k) { return QStringLiteral("File%1").arg(k + 1); }

}  // namespace

RecentFileList::RecentFileList() {
  QSettings store(kOrganisation, kApplication);
  store.beginGroup(kGroup);
  for (int k = 0; k < kEntries; ++k) {
    const QString path = store.value(EntryKey(k)).toString();
    if (!path.isEmpty()) files_ << path;
  }
}

void RecentFileList::Add(const QString& path) {
  files_.removeAll(path);
  files_.prepend(path);
  while (files_.size() > kEntries) files_.removeLast();
  Store();
}

void RecentFileList::Remove(const QString& path) {
  files_.removeAll(path);
  Store();
}

void RecentFileList::Store() const {
  QSettings store(kOrganisation, kApplication);
  store.beginGroup(kGroup);
  for (int k = 0; k < kEntries; ++k) {
    if (k < files_.size()) {
      store.setValue(EntryKey(k), files_[k]);
    } else {
      store.remove(EntryKey(k));
    }
  }
}

}  // namespace fendo
