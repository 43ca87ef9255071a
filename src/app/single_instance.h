#pragma once
// One window per user: the first start holds a lock file and listens; a
// second start with file names hands them over and ends, one without ends at
// once, silently, touching nothing.

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QLocalServer;

namespace lumivo::app {

// LUMIVO_CONFIG_DIR when set (a portable or test setup is an instance of its
// own), otherwise the user's runtime folder. Ends in "/".
QString InstanceFolder();
// The lock's name: the program's mutex name made safe for a file name.
QString InstanceLockName();

class SingleInstance final : public QObject {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(SingleInstance)

 public:
  explicit SingleInstance(const QString& folder, QObject* parent = nullptr);
  ~SingleInstance() override;

  // True when this process is the first: it holds the lock until it ends.
  bool Claim();
  // The first instance: takes hand-overs from now on (needs an event loop).
  bool Listen();
  // A second instance: gives the names to the first. False when no first
  // instance answered in time.
  bool HandOver(const QStringList& names, int timeoutMs = 5000) const;

 signals:
  void namesReceived(const QStringList& names);

 private:
  QString serverName_;
  QLockFile lock_;
  QLocalServer* server_ = nullptr;
};

// Names as the program got them, made absolute; names that are not there are left out.
QStringList ExistingNames(const QStringList& arguments);

}  // namespace lumivo::app
