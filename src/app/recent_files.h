#pragma once

#include <QString>
#include <QStringList>

namespace fendo {

// The files opened last, newest first, kept in the platform's settings store from run to run.
class RecentFileList {
 public:
  static constexpr int kEntries = 4;

  RecentFileList();

  const QStringList& files() const { return files_; }
  // Puts `path` first (once), drops the oldest beyond the list's size, and stores the list.
  void Add(const QString& path);
  void Remove(const QString& path);

 private:
  void Store() const;

  QStringList files_;
};

}  // namespace fendo
